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
    // InitDeck then InitKept. The engines call the two halves themselves: the
    // deck stays the same for all 32 masks of an evaluation.
    void Init(const TCardBunch& deck, const THand& kept);
    // Sums over every rank of the deck, once per evaluation.
    void InitDeck(const TCardBunch& deck);
    // The tables for one kept hand against the deck of the last InitDeck:
    // the kept ranks are divided out of the deck-wide sums.
    void InitKept(const THand& kept);
    // Singles[1..4] from Singles[0].
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

    // Prefix over ranks 0..r of d^j for the free ranks (column 0 counts them);
    // built by an Init that saw a wild card, the only case that needs ranges.
    int32_t RankPowerSums[kRankCount][6] = {};
    int32_t RangePowerSums[6] = {};
    int32_t SuitPrefix[kRankCount][kSuitCount] = {};
    // Singles[x][j]: j cards of j different free ranks, a free rank whose deck
    // count is x also excluded (x = 0: none). Singles[x][0] = 1.
    int32_t Singles[5][6] = {};
    // Pairs[n]: ways to make a pair with exactly n drawn cards.
    int32_t Pairs[3] = {};
    int32_t RangeSingles[6] = {};

private:
    int FDeckRank[kRankCount] = {};
    int64_t FDeckSingles[6] = {};
    int32_t FDeckPairs2 = 0;
    bool FDeckWild = false;
};

// The shared instance of the program's single user-interface thread. Code that
// evaluates on other threads gives each engine a calculator of its own.
TCalculator& Calculator();

} // namespace drawmentor
