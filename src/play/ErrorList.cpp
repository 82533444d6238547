#include "ErrorList.h"

#include "Logger.h"
#include "Session.h"

#include "core/Checked.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

namespace drawmentor {

TErrorSeverity RecordSeverity(const TLogRecord& record, TSeverityThresholds thresholds) {
    // A damaged record (no bet, returns that are not numbers) tells of no error.
    if (record.Bet == 0) return esNone;
    const double cost = (record.BestReturn - record.Return) / record.Bet;
    return std::isfinite(cost) ? thresholds.Of(cost) : esNone;
}

void TErrorList::Refresh(TLogger& logger, TSeverityThresholds thresholds, unsigned severities) {
    FRecords.clear();
    FHands.clear();
    const TLogFilter& filter = logger.Filter();
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (!filter.Matches(record)) continue;
        const TErrorSeverity severity = RecordSeverity(record, thresholds);
        if (severity == esNone || !((severities >> severity) & 1)) continue;
        // A deal of several hands is one error, however many hands repeat it:
        // one entry whose returns and wins are those of all its logged hands.
        if (!FRecords.empty() && IsSameDeal(FRecords.back(), record)) {
            TLogRecord& deal = FRecords.back();
            deal.Return += record.Return;
            deal.BestReturn += record.BestReturn;
            deal.Win = CheckedAdd(deal.Win, record.Win);
            deal.BestWin = CheckedAdd(deal.BestWin, record.BestWin);
            ++FHands.back();
            continue;
        }
        FRecords.push_back(record);
        FHands.push_back(1);
    }
    Sort();
}

double TErrorList::SortValue(const TLogRecord& r, int column) {
    const double bet = r.Bet == 0 ? 1 : r.Bet;
    switch (column) {
    case 1: return r.DealTime;
    case 2: return r.Return / bet;
    case 3: return r.BestReturn / bet;
    default: return (r.BestReturn - r.Return) / bet;
    }
}

void TErrorList::ClickColumn(int column) {
    const int key = column + 1;
    SetSortKey(FSortKey == -key ? key : -key);
}

void TErrorList::SetSortKey(int sortKey) {
    FSortKey = std::clamp(sortKey, -4, 4);
    Sort();
}

void TErrorList::Sort() {
    if (FSortKey == 0) return;
    const int column = std::abs(FSortKey);
    const bool ascending = FSortKey > 0;
    std::vector<size_t> order(FRecords.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const double x = SortValue(FRecords[a], column), y = SortValue(FRecords[b], column);
        return ascending ? x < y : y < x;
    });
    std::vector<TLogRecord> records;
    std::vector<int> hands;
    for (size_t i : order) {
        records.push_back(FRecords[i]);
        hands.push_back(FHands[i]);
    }
    FRecords.swap(records);
    FHands.swap(hands);
}

std::optional<THoldCost> DrawnHoldCost(const TSession& session, TSeverityThresholds thresholds) {
    if (session.Hand().State() != TGameState::gsDrawn || !session.Hand().IsOpen())
        return std::nullopt;
    const TLogRecord& record = session.Hand().Record();
    const TErrorSeverity severity = RecordSeverity(record, thresholds);
    if (severity == esNone) return std::nullopt;
    const double hands = session.ExtraHands().DealtHands();
    return THoldCost{record.Return * hands, record.BestReturn * hands, severity};
}

} // namespace drawmentor
