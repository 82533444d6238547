#pragma once

#include "PlayState.h"

#include <cstdint>

namespace drawmentor {

class TTableHand;

// What the player may do next, taken from the session as it stands. A value:
// it does not follow the session, so a window asks for it again after every
// command rather than keeping one.
class TPlayRules {
  public:
    // `dealtHands`: the hands of the deal on the table, that hand included.
    TPlayRules(const TTableHand& hand, TPlayMode mode, int dealtHands);

    bool CanChangeBet() const {
        return FState == TGameState::gsIdle || FState == TGameState::gsDrawn;
    }
    bool CanDealDraw() const { return FState != TGameState::gsDoubleUp; }
    bool CanHint() const { return CanHold() && HintOffered(); }
    // Real Play gives no help, so the button is not even shown.
    bool HintOffered() const { return FMode != TPlayMode::pmRealPlay; }
    // A double-up stakes one hand's win: a deal of several hands has none.
    bool CanDouble() const {
        return FState == TGameState::gsDrawn && FWin > 0 && FOpen && FDealtHands == 1;
    }
    // Every hold of the dealt hand, in every mode, Real Play too; after the
    // draw, those of the hand just played until the next deal.
    bool CanShowAllHands() const {
        return CanHold() || (FState == TGameState::gsDrawn && FBet != 0);
    }
    // The next press of Deal/Draw draws (true) or deals (false).
    bool NextPressDraws() const { return FState == TGameState::gsDealt; }
    // The hold may still change: dealt, and Draw not pressed yet.
    bool CanHold() const { return FState == TGameState::gsDealt && !FDrawUnderWay; }

  private:
    TGameState FState;
    TPlayMode FMode;
    bool FDrawUnderWay;
    bool FOpen;
    int32_t FWin;
    int FBet;
    int FDealtHands;
};

} // namespace drawmentor
