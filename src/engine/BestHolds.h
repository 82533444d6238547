#pragma once

#include "PokerEngine.h"

#include <array>
#include <cstdint>
#include <vector>

namespace drawmentor {

// The best hold of deal after deal, with its line counts: what a whole
// paytable's figures need, and nothing of the other holds.
//
// The cards go to the engine sorted by rank, so every suit class of one rank
// pattern has the same ranks at the same positions, and a hold's draws depend
// on little more than those ranks:
// - a hold whose kept natural cards lie in two suits or more cannot make a
//   flush: its draws depend on the ranks alone;
// - a hold whose kept natural cards share one suit depends besides on the
//   deck's cards of that suit, fixed by which dealt positions have it (suits
//   being alike, not by which suit it is).
// Each hold's row is kept under that set of positions (the "slot"; 0 for the
// mixed holds) until the rank pattern changes, so fed deals grouped by
// RankKey the engine counts little but the holds that keep no natural card.
class TBestHolds {
  public:
    // `engine` is set up (description, payout); this class deals to it. The
    // rows it keeps assume the same pays until the rank pattern changes.
    explicit TBestHolds(TPokerEngine& engine);
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
    struct TRow {
        int64_t Lines[kMaxLines];
        int64_t Paid; // PaidSum of the lines
    };
    // By sorted mask and slot; bit `slot` of FKept[mask] when kept.
    std::vector<TRow> FRows;
    uint32_t FKept[kMaskCount] = {};
    int FMask = 0;
    int FDrawn = 0;
    const int64_t* FLines = nullptr;
};

} // namespace drawmentor
