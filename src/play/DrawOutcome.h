#pragma once

#include "LogRecord.h"

#include "cards/Cards.h"

#include <array>

namespace drawmentor {

class TPokerEngine;
class TTableGame;

// How a record stores a paying line: its index, or kNoLine for none.
inline uint8_t LineByte(int line) {
    return line < 0 ? kNoLine : static_cast<uint8_t>(line);
}

// The record of a new deal of `cards`: the game, paytable, mode, coin value
// and bet it is played at, and the best hold, counted now by the engine.
TLogRecord DealRecord(const TTableGame& game, TPokerEngine& engine, int mode, int coinIndex,
                      const std::array<int, kHandSize>& cards);

// The cards a hold ends with: the held cards where they were, the drawn ones
// in order in the replaced places.
std::array<int, kHandSize> FinalCards(const std::array<int, kHandSize>& dealt,
                                      const std::array<uint8_t, kHandSize>& drawn, int mask);

// The paying line of five cards, or -1; the engine's hand is left holding them.
int FinalLine(TPokerEngine& engine, const std::array<int, kHandSize>& cards);

// What every hold would have won with the record's replacement cards: best
// play's line and win, and the largest win of any hold (ties to the lowest
// mask). The record holds the dealt and drawn cards and the best mask.
void CompleteWithEveryHold(TLogRecord& record, TPokerEngine& engine, const TTableGame& game);

// A double-up round: positive when the picked card beats the dealer's, zero
// for a push. Wild cards beat every natural card.
int CompareDoubleUp(int dealerCode, int pickedCode, const TTableGame& game);

} // namespace drawmentor
