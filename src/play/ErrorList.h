#pragma once

#include "LogRecord.h"

#include "prefs/ErrorSeverity.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace drawmentor {

class TSession;
class TLogger;

// How much a logged hold cost, as the preferences classify it: esNone for a
// best hold and for a record without a bet.
TErrorSeverity RecordSeverity(const TLogRecord& record, TSeverityThresholds thresholds);

// One entry of the errors list: a hand, or a deal of several hands from one
// hold with the returns of all its hands summed in Record and their wins here,
// summed in 64 bits (a hundred hands of large wins pass 32).
struct TErrorDeal {
    TLogRecord Record;
    int Hands = 1;
    int64_t Win = 0;
    int64_t BestWin = 0;
};

// The error hands the log filter lets through, with the severities asked for
// (bit 1 << severity), in log order or sorted by one of the four columns of
// the errors list: 1 deal time, 2 the player's return per coin, 3 the best
// return per coin, 4 the loss per coin. SortKey +k sorts ascending by column
// k, -k descending, 0 keeps log order.
class TErrorList {
  public:
    void Refresh(TLogger& logger, TSeverityThresholds thresholds, unsigned severities);
    // Same column again flips to ascending from descending; a new column starts descending.
    void ClickColumn(int column);
    void SetSortKey(int sortKey);
    int SortKey() const { return FSortKey; }
    const std::vector<TErrorDeal>& Deals() const { return FDeals; }

    // Per coin of the whole bet of the entry's `hands`, so that a deal of a
    // hundred hands sorts beside a single hand by what its hold cost.
    static double SortValue(const TLogRecord& record, int column, int hands = 1);

  private:
    void Sort();

    std::vector<TErrorDeal> FDeals;
    int FSortKey = 0;
};

// What the hold just drawn cost against the best one, in coins for the whole
// bet of every hand of the deal; nothing when it was the best hold or no hand
// was drawn.
struct THoldCost {
    double Return = 0;
    double BestReturn = 0;
    TErrorSeverity Severity = esNone;
};
std::optional<THoldCost> DrawnHoldCost(const TSession& session, TSeverityThresholds thresholds);

} // namespace drawmentor
