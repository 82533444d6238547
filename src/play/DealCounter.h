#pragma once

#include "LogRecord.h"

#include <cstdint>

namespace drawmentor {

// Whether two logged hands were dealt together from one hold: both marked as
// hands of a deal of several, with the same cards, hold and deal time.
bool IsSameDeal(const TLogRecord& a, const TLogRecord& b);

// Counts the deals of records fed in log order, where the hands of one deal
// follow each other. A deal ends when it holds as many hands as its records
// say: the same error hand replayed twice within the clock's resolution makes
// two deals whose records are alike in every field. A deal cut short (a log
// of an older version) counts as one.
class TDealCounter {
  public:
    // Whether the record starts a new deal.
    bool Add(const TLogRecord& record);
    int64_t Deals = 0;

  private:
    TLogRecord FLast;
    int FHands = 0; // of the deal FLast belongs to, so far
};

} // namespace drawmentor
