#include "ExtraHands.h"

#include "Dealer.h"
#include "DrawOutcome.h"
#include "SessionCounters.h"
#include "TableGame.h"

#include "core/Checked.h"
#include "engine/PokerEngine.h"

namespace drawmentor {

void TExtraHands::StartDeal() {
    FDealt = CheckIndex(FPerDeal, 1, 255, "hands per deal");
    FHands.clear();
}

void TExtraHands::Draw(const TLogRecord& tableRecord, TDealer& dealer, TPokerEngine& engine,
                       const TTableGame& game, TSessionCounters& counters) {
    FHands.clear();
    FHands.reserve(static_cast<size_t>(FDealt - 1));
    std::array<int, kHandSize> dealt{};
    for (int i = 0; i < kHandSize; ++i) dealt[i] = tableRecord.Dealt[i];
    for (int hand = 1; hand < FDealt; ++hand) {
        THand& next = FHands.emplace_back();
        next.Record = tableRecord;
        // All five, as for the table hand: the record answers for every hold.
        dealer.Restore();
        for (auto& card : next.Record.Drawn) card = static_cast<uint8_t>(dealer.Next());
        CompleteWithEveryHold(next.Record, engine, game);
        next.Cards = FinalCards(dealt, next.Record.Drawn, tableRecord.DrawMask);
        next.Line = FinalLine(engine, next.Cards);
        next.Win = game.WinOf(next.Line);
        next.Record.Line = next.Line < 0 ? kNoLine : static_cast<uint8_t>(next.Line);
        next.Record.Win = next.Win;
        // The hint is asked once a deal: the table hand counted it.
        counters.AddReturns(tableRecord.Return, tableRecord.BestReturn);
    }
}

std::vector<TLogRecord> TExtraHands::Close(double collectTime) {
    std::vector<TLogRecord> records;
    records.reserve(FHands.size());
    for (const THand& hand : FHands) {
        TLogRecord& record = records.emplace_back(hand.Record);
        record.Collected = record.Win;
        record.CollectTime = collectTime;
    }
    FHands.clear();
    return records;
}

int32_t TExtraHands::TotalWin() const {
    int32_t total = 0;
    for (const auto& hand : FHands) total = CheckedAdd(total, hand.Win);
    return total;
}

std::vector<int> TExtraHands::LineCounts(int tableLine, int lastLine) const {
    std::vector<int> counts(static_cast<size_t>(lastLine) + 2, 0);
    const auto add = [&](int line) {
        ++counts[line >= 0 && line <= lastLine ? static_cast<size_t>(line)
                                               : static_cast<size_t>(lastLine) + 1];
    };
    add(tableLine);
    for (const auto& hand : FHands) add(hand.Line);
    return counts;
}

} // namespace drawmentor
