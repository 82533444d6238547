#pragma once

#include "PaytableHands.h"
#include "Statistics.h"

#include <cstdint>
#include <map>

namespace drawmentor {

// Luck and skill of the selected hands: best play's result, and where it
// stands among all the results that many hands of those paytables can have
// under best play (their exact distribution); then what the player's errors
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
        int64_t Hands = 0;
        int64_t BestResult = 0; // coins, BestWin - Bet summed
    };

    void ComputeLuck();

    THandSource FHands;
    // By game << 16 | paytable << 8 | bet. Logs run in long stretches of one
    // paytable, so the last tally is kept at hand rather than looked up.
    std::map<uint32_t, TTally> FTallies;
    uint32_t FLastKey = 0;
    TTally* FLast = nullptr;
};

} // namespace drawmentor
