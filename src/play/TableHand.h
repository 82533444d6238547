#pragma once

#include "LogRecord.h"
#include "PlayState.h"

#include "cards/Cards.h"

#include <array>
#include <cstdint>

namespace drawmentor {

class TSession;

// The hand on the table as the windows see it: the five cards, the hold, the
// state of play, the paying line and the win, and the record the hand will be
// logged with. Only the session changes it.
class TTableHand {
  public:
    TGameState State() const { return FState; }
    int CardAt(int position) const;
    // A card the player sees as a back: an empty place, or the dealer's
    // hidden cards during a double-up.
    bool ShowsBack(int position) const;
    // Held cards keep their band after the draw until the next deal.
    bool IsHeld(int position) const;
    int DrawMask() const { return FDrawMask; }
    int CurrentLine() const { return FLine; }
    int32_t CurrentWin() const { return FWin; }
    const TLogRecord& Record() const { return FRecord; }
    // From the deal until the hand is collected.
    bool IsOpen() const { return FOpen; }
    // Between the press of Draw and the draw itself: the hold is final.
    bool DrawUnderWay() const { return FDrawUnderWay; }
    // In Play Error Hands, which hand of the replayed list this is (1-based)
    // and how many the list holds; 0 for a hand dealt from the deck.
    int ErrorHandNumber() const { return FErrorHand; }
    int ErrorHandCount() const { return FErrorHands; }
    // The card the player turned in the last double-up round (-1 before one)
    // and how it fared against the dealer's: 1 won, 0 pushed, -1 lost.
    int DoubleUpPick() const { return FPicked; }
    int DoubleUpResult() const { return FPickResult; }

  private:
    friend class TSession;

    std::array<int, kHandSize> FCards{kNoCard, kNoCard, kNoCard, kNoCard, kNoCard};
    int FDrawMask = 31;
    TGameState FState = TGameState::gsIdle;
    int FLine = -1;
    int32_t FWin = 0;
    TLogRecord FRecord;
    int FDoubleUps = 0;
    // Collecting twice must neither log nor refund twice.
    bool FOpen = false;
    bool FDrawUnderWay = false;
    int FErrorHand = 0;
    int FErrorHands = 0;
    int FPicked = -1;
    int FPickResult = 0;
};

} // namespace drawmentor
