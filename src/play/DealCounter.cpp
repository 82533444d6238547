#include "DealCounter.h"

namespace drawmentor {

bool IsSameDeal(const TLogRecord& a, const TLogRecord& b) {
    return a.Reserved > 1 && a.Reserved == b.Reserved && a.Dealt == b.Dealt &&
           a.DealTime == b.DealTime && a.DrawMask == b.DrawMask && a.GameIndex == b.GameIndex &&
           a.PayIndex == b.PayIndex;
}

bool TDealCounter::Add(const TLogRecord& record) {
    const bool starts = FHands == 0 || FHands >= record.Reserved || !IsSameDeal(FLast, record);
    if (starts) {
        ++Deals;
        FHands = 0;
    }
    ++FHands;
    FLast = record;
    return starts;
}

} // namespace drawmentor
