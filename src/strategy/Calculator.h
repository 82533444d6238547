#pragma once

#include "cards/CardBunch.h"

#include <cstdint>

namespace drawmentor {

// Answers the counting questions of one kept hand against one deck in closed
// form. Per-rank card counts d become power sums p_j = sum d^j, and Newton's
// identities turn those into elementary symmetric sums e_j: the number of ways
// to draw j cards of j different ranks, one card of each.
//
// A rank is free when the kept hand holds no card of it. Wild cards never
// appear in the per-rank counts, so a wild rank contributes nothing.
class TCalculator {
public:
    void Init(const TCardBunch& deck, const THand& kept);
    void CalcSingles();
    // Elementary symmetric sums of the counts whose power sums are given, with
    // one count x removed when x >= 1 (x must be present in the sums).
    void CalcFormula(const int32_t (&sums)[6], int32_t (&out)[6], int x);
    // RangeSingles over the free ranks low+1..high (high clamped to 12, low < 0
    // means from rank 0). Valid after an Init that saw a wild card.
    void CalcSingleRange(int low, int high, int x);
    void InitSuits(const TCardBunch& deck);
    // Cards of `suit` ranked low+1..high in the deck at the last InitSuits.
    int SuitRange(int suit, int low, int high) const;

    // Prefix over ranks 0..r of d^j for the free ranks (column 0 counts them).
    int32_t RankPowerSums[kRankCount][6] = {};
    int32_t RangePowerSums[6] = {};
    int32_t SuitPrefix[kRankCount][kSuitCount] = {};
    // Singles[x][j]: j cards of j different free ranks, a free rank whose deck
    // count is x also excluded (x = 0: none). Singles[x][0] = 1.
    int32_t Singles[5][6] = {};
    // Pairs[n]: ways to make a pair with exactly n drawn cards.
    int32_t Pairs[3] = {};
    int32_t RangeSingles[6] = {};
};

// The shared instance of the program's single user-interface thread. Code that
// evaluates on other threads gives each engine a calculator of its own.
TCalculator& Calculator();

} // namespace drawmentor
