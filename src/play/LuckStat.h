#pragma once

#include "DealCounter.h"
#include "PaytableHands.h"
#include "Statistics.h"

#include <cstdint>
#include <map>

namespace drawmentor {

// Luck and skill of the selected hands: best play's result, and where it
// stands among all the results that many hands of those paytables can have
// under best play (their exact distribution, hands of one deal summed as
// such); then what the player's errors
// and double-ups changed, and the player's result. Coins, and percents of the
// coins bet.
class TLuckStat : public TStatistic {
  public:
    enum TRow { lsBestPlay, lsErrors, lsDoubleUp, lsResult, lsLeftOut };

    explicit TLuckStat(THandSource hands);
    void Clear() override;
    void AddRecord(const TLogRecord& record) override;
    void Compute(int64_t hands, int64_t coinsBet) override;

  private:
    struct TTally {
        int64_t Deals = 0;
        int64_t Hands = 0;
        int64_t BestResult = 0; // coins, BestWin - Bet summed
    };

    void EndDeal(std::map<uint32_t, TTally>& tallies) const;
    void ComputeLuck(const std::map<uint32_t, TTally>& tallies);

    THandSource FHands;
    // By game << 24 | paytable << 16 | bet << 8 | hands of the deal. The
    // hands of a deal share its cards and hold, so a deal is one draw of the
    // deal's distribution; a deal the selection cuts short counts as a deal
    // of the hands it keeps.
    std::map<uint32_t, TTally> FTallies;
    TDealCounter FDeals;
    uint32_t FDealKey = 0; // of the deal under way, without its hands
    TTally FDeal;
};

} // namespace drawmentor
