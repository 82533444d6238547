#pragma once

#include "LogRecord.h"

#include "prefs/ErrorSeverity.h"

#include <optional>
#include <vector>

namespace drawmentor {

class TSession;
class TLogger;

// How much a logged hold cost, as the preferences classify it: esNone for a
// best hold and for a record without a bet.
TErrorSeverity RecordSeverity(const TLogRecord& record, TSeverityThresholds thresholds);

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
    // A deal of several hands is one entry: its first record with the
    // returns and wins of all its hands summed; Hands says how many there are
    // (1 for a plain hand).
    const std::vector<TLogRecord>& Records() const { return FRecords; }
    const std::vector<int>& Hands() const { return FHands; }

    static double SortValue(const TLogRecord& record, int column);

  private:
    void Sort();

    std::vector<TLogRecord> FRecords;
    std::vector<int> FHands;
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
