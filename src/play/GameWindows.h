#pragma once

namespace drawmentor {

class TSession;

// What play itself must ask the player. The window layer implements it; tests
// and the command line use fakes. The defaults answer as a player who closes
// every window would, but for the warning, which keeps the player's hold:
// play without windows goes on.
class IGameWindows {
  public:
    virtual ~IGameWindows() = default;

    struct TWarningAnswer {
        bool ApplyBest = false;    // take the best hold instead of the player's
        bool StopWarnings = false; // "don't show warnings" was ticked
        bool ChangeHold = false;   // back to the hand: nothing drawn, the hold may change
    };
    // The player's hold costs more than 0.01 coins of expected return.
    virtual TWarningAnswer ShowWarning(TSession&) { return {}; }
    // No error hand to replay: 0, 1 or 2 for the mode to play instead, -1 to cancel.
    virtual int AskModeForNoErrors() { return -1; }
    // A deal of several hands was refused: its bet (coins) is more than the credits.
    virtual void RefuseBet(int /*betCoins*/, int /*credits*/) {}
};

} // namespace drawmentor
