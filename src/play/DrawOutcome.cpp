#include "DrawOutcome.h"

#include "DateTime.h"
#include "TableGame.h"

#include "engine/PokerEngine.h"

namespace drawmentor {
TLogRecord DealRecord(const TTableGame& game, TPokerEngine& engine, int mode, int coinIndex,
                      const std::array<int, kHandSize>& cards) {
    TLogRecord record;
    record.GameIndex = static_cast<uint8_t>(game.GameIndex());
    record.PayIndex = static_cast<uint8_t>(game.PayIndex());
    record.Mode = static_cast<uint8_t>(mode);
    record.CoinIndex = static_cast<uint8_t>(coinIndex);
    record.Bet = static_cast<uint8_t>(game.Bet());
    for (int i = 0; i < kHandSize; ++i) record.Dealt[i] = static_cast<uint8_t>(cards[i]);
    record.BestMask = static_cast<uint8_t>(engine.GetTheBest());
    record.BestReturn = static_cast<double>(engine.DrawReturn(record.BestMask));
    record.DealTime = Now();
    record.HintReturn = 0;
    return record;
}

std::array<int, kHandSize> FinalCards(const std::array<int, kHandSize>& dealt,
                                      const std::array<uint8_t, kHandSize>& drawn, int mask) {
    std::array<int, kHandSize> cards{};
    int next = 0;
    for (int i = 0; i < kHandSize; ++i) cards[i] = IsBitSet(mask, i) ? drawn[next++] : dealt[i];
    return cards;
}

int FinalLine(TPokerEngine& engine, const std::array<int, kHandSize>& cards) {
    engine.SetHandCodes(cards);
    return engine.HandLine();
}

void CompleteWithEveryHold(TLogRecord& record, TPokerEngine& engine, const TTableGame& game) {
    std::array<int, kHandSize> dealt{};
    for (int i = 0; i < kHandSize; ++i) dealt[i] = record.Dealt[i];
    const auto lineOf = [&](int mask) {
        return FinalLine(engine, FinalCards(dealt, record.Drawn, mask));
    };
    const int bestLine = lineOf(record.BestMask);
    record.BestLine = LineByte(bestLine);
    record.BestWin = game.WinOf(bestLine);
    record.MaxWin = 0;
    record.MaxMask = 31;
    for (int mask = 0; mask < kMaskCount; ++mask) {
        const int win = game.WinOf(lineOf(mask));
        if (win > record.MaxWin) {
            record.MaxWin = win;
            record.MaxMask = static_cast<uint8_t>(mask);
        }
    }
}

int CompareDoubleUp(int dealerCode, int pickedCode, const TTableGame& game) {
    const auto value = [&](int code) {
        const TCard card = DecodeCard(code);
        return game.IsWild(card.Rank) ? card.Rank + 100 : card.Rank;
    };
    return value(pickedCode) - value(dealerCode);
}

} // namespace drawmentor
