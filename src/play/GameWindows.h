#pragma once

namespace drawmentor {

class TGameEngine;

// The windows the game engine opens. The window layer implements them; tests
// and the command line use fakes. The defaults answer as a player who closes
// every window would.
class IGameWindows {
  public:
    virtual ~IGameWindows() = default;

    struct TWarningAnswer {
        bool ApplyBest = false;    // take the best hold instead of the player's
        bool StopWarnings = false; // "don't show warnings" was ticked
    };
    // The player's hold costs more than 0.01 coins of expected return.
    virtual TWarningAnswer ShowWarning(TGameEngine&) { return {}; }
    // No error hand to replay: 0, 1 or 2 for the mode to play instead, -1 to cancel.
    virtual int AskModeForNoErrors() { return -1; }
    virtual void ShowStatistics(TGameEngine&) {}
    virtual void ShowCharts(TGameEngine&) {}
    virtual void ShowErrors(TGameEngine&) {}
    virtual void ShowPreferences(TGameEngine&) {}
    // True when the player confirmed clearing the records the filter shows.
    virtual bool ConfirmClearByFilter(TGameEngine&) { return false; }
};

} // namespace drawmentor
