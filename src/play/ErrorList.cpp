#include "ErrorList.h"

#include "GameEngine.h"
#include "Logger.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace drawmentor {

TErrorSeverity RecordSeverity(const TLogRecord& record, TSeverityThresholds thresholds) {
    // A damaged record (no bet, returns that are not numbers) tells of no error.
    if (record.Bet == 0) return esNone;
    const double cost = (record.BestReturn - record.Return) / record.Bet;
    return std::isfinite(cost) ? thresholds.Of(cost) : esNone;
}

void TErrorList::Refresh(TLogger& logger, TSeverityThresholds thresholds, unsigned severities) {
    FRecords.clear();
    const TLogFilter& filter = logger.Filter();
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (!filter.Matches(record)) continue;
        const TErrorSeverity severity = RecordSeverity(record, thresholds);
        if (severity != esNone && (severities >> severity) & 1) FRecords.push_back(record);
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
    std::stable_sort(FRecords.begin(), FRecords.end(),
                     [column, ascending](const TLogRecord& a, const TLogRecord& b) {
                         const double x = SortValue(a, column), y = SortValue(b, column);
                         return ascending ? x < y : y < x;
                     });
}

std::optional<THoldCost> DrawnHoldCost(const TGameEngine& engine, TSeverityThresholds thresholds) {
    if (engine.Hand().State() != TGameState::gsDrawn || !engine.Hand().IsOpen())
        return std::nullopt;
    const TLogRecord& record = engine.Hand().Record();
    const TErrorSeverity severity = RecordSeverity(record, thresholds);
    if (severity == esNone) return std::nullopt;
    return THoldCost{record.Return, record.BestReturn, severity};
}

} // namespace drawmentor
