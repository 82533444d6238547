#pragma once

#include "cards/CardBunch.h"

#include <cstdint>

namespace drawmentor {

// Answers the counting questions of one kept hand against one deck in closed
// form. The elementary symmetric sums e_j of the per-rank card counts d are the
// number of ways to draw j cards of j different ranks, one card of each; they
// are the coefficients of prod(1 + d t) over the ranks counted, so adding a
// rank is one multiply-add per degree and removing one is the exact division
// e'_j = e_j - d e'_{j-1}. Nothing is enumerated and nothing is divided.
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
    // The engines grow and shrink the kept hand one card at a time while they
    // visit the holds. AddKeptCard, called after kept.AddCard(rank, ...), and
    // RemoveKeptCard, called after kept.RemoveLastCard() took that card back,
    // keep Singles[0], Pairs and the free ranks what InitKept(kept) would make
    // them: a rank that enters or leaves the kept hand divides or multiplies
    // prod(1 + d t) by its factor. The rows Singles[1..4] are not kept up;
    // SinglesWithout reads them.
    void AddKeptCard(const THand& kept, int rank);
    void RemoveKeptCard(const THand& kept, int rank);
    // Singles[x][j] of the current free ranks, from Singles[0] alone (j <= 3).
    int32_t SinglesWithout(int x, int j) const {
        // Singles[x][j] = sum over i <= j of (-x)^(j-i) Singles[0][i]: at most
        // 1,317,888 (13 ranks of 4 cards) times 1 + 4 + 16 + 64, far inside int32.
        int32_t value = Singles[0][0];
        for (int i = 1; i <= j; ++i) value = Singles[0][i] - x * value;
        return value;
    }
    // Singles[1..4] from Singles[0].
    void CalcSingles();
    // RangeSingles over the free ranks low+1..high (high clamped to 12, low < 0
    // means from rank 0), with one count x removed when x >= 1.
    void CalcSingleRange(int low, int high, int x);
    void InitSuits(const TCardBunch& deck);
    // Cards of `suit` ranked low+1..high in the deck at the last InitSuits.
    int SuitRange(int suit, int low, int high) const;

    int32_t SuitPrefix[kRankCount][kSuitCount] = {};
    // Singles[x][j]: j cards of j different free ranks, a free rank whose deck
    // count is x also excluded (x = 0: none). Singles[x][0] = 1.
    int32_t Singles[5][6] = {};
    // Pairs[n]: ways to make a pair with exactly n drawn cards.
    int32_t Pairs[3] = {};
    int32_t RangeSingles[6] = {};

  private:
    int FDeckRank[kRankCount] = {};
    unsigned FKeptRanks = 0; // bit r: the kept hand holds rank r
    int64_t FDeckSingles[6] = {};
    int32_t FDeckPairs2 = 0;
};

// Every e_j stays a count of draws from the free ranks (at most 1,317,888 for
// 13 ranks of 4 cards), so d * e_j cannot overflow int32.
inline void TCalculator::AddKeptCard(const THand& kept, int rank) {
    if (rank < 0) return;
    const int d = FDeckRank[rank];
    const int inKept = kept.RankCount[rank];
    if (inKept == 1) {
        FKeptRanks |= 1u << rank;
        Pairs[1] += d;
        Pairs[2] -= Binomial(2, d);
        for (int j = 1; j < 6; ++j) Singles[0][j] -= d * Singles[0][j - 1];
    } else if (inKept == 2) {
        Pairs[1] -= d; // no longer a single
    }
    Pairs[0] = kept.RanksWithCount[2];
}

inline void TCalculator::RemoveKeptCard(const THand& kept, int rank) {
    if (rank < 0) return;
    const int d = FDeckRank[rank];
    const int inKept = kept.RankCount[rank];
    if (inKept == 0) {
        FKeptRanks &= ~(1u << rank);
        Pairs[1] -= d;
        Pairs[2] += Binomial(2, d);
        for (int j = 5; j >= 1; --j) Singles[0][j] += d * Singles[0][j - 1];
    } else if (inKept == 1) {
        Pairs[1] += d; // a single again
    }
    Pairs[0] = kept.RanksWithCount[2];
}

} // namespace drawmentor
