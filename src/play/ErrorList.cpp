#include "ErrorList.h"

#include "DealCounter.h"
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
    FDeals.clear();
    const TLogFilter& filter = logger.Filter();
    TLogRecord record;
    TDealCounter deals;
    bool listed = false; // the deal under way has an entry
    logger.Rewind();
    while (logger.ReadNext(record)) {
        // A deal of several hands is one error, however many hands repeat it:
        // one entry whose returns and wins are those of all its logged hands.
        if (!deals.Add(record) && listed) {
            TErrorDeal& deal = FDeals.back();
            deal.Record.Return += record.Return;
            deal.Record.BestReturn += record.BestReturn;
            deal.Win += record.Win;
            deal.BestWin += record.BestWin;
            ++deal.Hands;
            continue;
        }
        listed = false;
        if (!filter.Matches(record)) continue;
        const TErrorSeverity severity = RecordSeverity(record, thresholds);
        if (severity == esNone || !((severities >> severity) & 1)) continue;
        FDeals.push_back({record, 1, record.Win, record.BestWin});
        listed = true;
    }
    Sort();
}

double TErrorList::SortValue(const TLogRecord& r, int column, int hands) {
    const double bet = r.Bet == 0 ? 1 : static_cast<double>(r.Bet) * std::max(hands, 1);
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
    std::stable_sort(FDeals.begin(), FDeals.end(), [&](const TErrorDeal& a, const TErrorDeal& b) {
        const double x = SortValue(a.Record, column, a.Hands);
        const double y = SortValue(b.Record, column, b.Hands);
        return ascending ? x < y : y < x;
    });
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
