#pragma once

#include "PokerEngine.h"

#include <array>
#include <cstdint>

namespace drawmentor {

// The best hold of deal after deal, with its line counts: what a whole
// paytable's figures need, and nothing of the other holds.
//
// A hold whose kept natural cards lie in two suits or more cannot make a
// flush, so its draws depend on the ranks at each position alone. The cards
// go to the engine sorted by rank, so every suit class of one rank pattern
// has the same ranks at the same positions, and such holds keep the rows the
// last deal of the pattern counted: fed deals grouped by RankKey, the engine
// counts mostly the holds that keep one suit.
class TBestHolds {
  public:
    // `engine` is set up (description, payout); this class deals to it.
    explicit TBestHolds(TPokerEngine& engine) : FEngine(engine) {}
    TBestHolds(const TBestHolds&) = delete;
    TBestHolds& operator=(const TBestHolds&) = delete;

    void Deal(const std::array<int, kHandSize>& codes);
    // The best hold over the positions of the codes as dealt: the mask
    // GetTheBest returns for them, ties to the lowest.
    int Mask() const { return FMask; }
    const int64_t* Lines() const { return FLines; }
    int64_t Unpaid() const;

    // Equal for deals with the same multiset of ranks (jokers alike), and only
    // for them: deals sorted by it come grouped by rank pattern.
    static uint32_t RankKey(const std::array<int, kHandSize>& codes);

  private:
    TPokerEngine& FEngine;
    uint32_t FKey = ~0u; // RankKey of the rows kept
    uint32_t FKept = 0;  // masks (over sorted positions) whose rows are kept
    int64_t FRows[kMaskCount][kMaxLines] = {};
    int64_t FPaid[kMaskCount] = {}; // PaidSum of each row kept
    int FMask = 0;
    int FDrawn = 0;
    const int64_t* FLines = FRows[0];
};

} // namespace drawmentor
