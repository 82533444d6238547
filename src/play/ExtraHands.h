#pragma once

#include "LogRecord.h"

#include "cards/Cards.h"

#include <array>
#include <cstdint>
#include <vector>

namespace drawmentor {

class TDealer;
class TPokerEngine;
class TSessionCounters;
class TTableGame;

// The hands a deal plays besides the one on the table when several hands are
// dealt from one hold. Each draws its replacements from its own copy of the
// cards left after the deal, so a card may come to two hands but never twice
// to one, and each is logged as a hand of its own that shares the deal, the
// hold and the returns with the hand on the table.
class TExtraHands {
  public:
    struct THand {
        std::array<int, kHandSize> Cards{};
        int Line = -1;
        int32_t Win = 0;
        TLogRecord Record;
    };

    // Hands each deal plays from one hold, the one on the table included.
    // The session checks a choice and changes it between hands only.
    int HandsPerDeal() const { return FPerDeal; }
    void SetHandsPerDeal(int hands) { FPerDeal = hands; }
    // A new deal of HandsPerDeal hands.
    void StartDeal();
    // Hands of the current deal, the one on the table included.
    int DealtHands() const { return FDealt; }

    // After the hand on the table drew: the other hands draw from the deck the
    // dealer remembered at the deal, in order, and count their returns. The
    // engine's hand is left holding the last hand's cards.
    void Draw(const TLogRecord& tableRecord, TDealer& dealer, TPokerEngine& engine,
              const TTableGame& game, TSessionCounters& counters);
    // The records of the hands drawn, closed with the table hand's
    // collection time; the hands are gone from here, so none is closed twice.
    std::vector<TLogRecord> Close(double collectTime);
    void Clear() { FHands.clear(); }

    const std::vector<THand>& Hands() const { return FHands; }
    int32_t TotalWin() const;
    // How many hands of the deal, the table hand's `tableLine` included, made
    // each line 0..lastLine; the entry past them counts the hands no line paid.
    std::vector<int> LineCounts(int tableLine, int lastLine) const;

  private:
    int FPerDeal = 1;
    int FDealt = 1;
    std::vector<THand> FHands;
};

} // namespace drawmentor
