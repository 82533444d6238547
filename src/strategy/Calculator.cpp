#include "Calculator.h"

#include "cards/Checked.h"

#include <string>

namespace drawmentor {
namespace {

// d^j for d = 0..4 (a rank has four cards) and j = 0..5.
constexpr int32_t kPowers[5][6] = {
    {1, 0, 0, 0, 0, 0},      {1, 1, 1, 1, 1, 1},        {1, 2, 4, 8, 16, 32},
    {1, 3, 9, 27, 81, 243},  {1, 4, 16, 64, 256, 1024},
};

int32_t Power(int d, int j) { return kPowers[CheckIndex(d, 0, 4, "rank count")][j]; }

// Newton's identities always divide exactly; a remainder means corrupt input.
int32_t ExactDiv(int64_t value, int divisor) {
    if (value % divisor != 0) RaiseRange("inexact symmetric sum", value);
    const int64_t quotient = value / divisor;
    if (quotient < INT32_MIN || quotient > INT32_MAX) RaiseOverflow();
    return static_cast<int32_t>(quotient);
}

} // namespace

TCalculator& Calculator() {
    static TCalculator instance;
    return instance;
}

void TCalculator::Init(const TCardBunch& deck, const THand& kept) {
    InitDeck(deck);
    InitKept(kept);
}

void TCalculator::InitDeck(const TCardBunch& deck) {
    try {
        // e_j of all ranks as the coefficients of prod(1 + d t). At most 13
        // ranks of 4 cards keep every e_j below 2^21.
        int64_t e[6] = {1, 0, 0, 0, 0, 0};
        FDeckPairs2 = 0;
        for (int rank = 0; rank < kRankCount; ++rank) {
            const int d = CheckIndex(deck.RankCount[rank], 0, 4, "rank count");
            FDeckRank[rank] = d;
            if (d > 0)
                for (int j = 5; j >= 1; --j) e[j] += d * e[j - 1];
            FDeckPairs2 += Binomial(2, d);
        }
        for (int j = 0; j < 6; ++j) FDeckSingles[j] = e[j];
        FDeckWild = deck.WildCount > 0;
    } catch (...) {
        AddErrorContext("Error in calculator  (Init)");
    }
}

void TCalculator::InitKept(const THand& kept) {
    try {
        int64_t e[6];
        for (int j = 0; j < 6; ++j) e[j] = FDeckSingles[j];
        Pairs[0] = kept.RanksWithCount[2];
        Pairs[1] = 0;
        Pairs[2] = FDeckPairs2;
        // Each kept rank leaves the free ranks: dividing prod(1 + d t) by its
        // factor (1 + d t) gives e'_j = e_j - d e'_{j-1}, exactly.
        unsigned seen = 0;
        for (int pos = 0; pos < kept.Total; ++pos) {
            const int rank = kept.Ranks[pos];
            if (rank < 0 || (seen >> rank) & 1) continue;
            seen |= 1u << rank;
            const int d = FDeckRank[rank];
            if (kept.RankCount[rank] == 1) Pairs[1] += d;
            Pairs[2] -= Binomial(2, d);
            if (d == 0) continue;
            for (int j = 1; j < 6; ++j) e[j] -= d * e[j - 1];
        }
        for (int j = 0; j < 6; ++j) Singles[0][j] = static_cast<int32_t>(e[j]);
        CalcSingles();
        if (FDeckWild || kept.WildCount > 0) {
            // Straights completed by wild cards need sums over rank ranges.
            for (int j = 0; j < 6; ++j) {
                int32_t running = 0;
                for (int rank = 0; rank < kRankCount; ++rank) {
                    if (!((seen >> rank) & 1)) running += kPowers[FDeckRank[rank]][j];
                    RankPowerSums[rank][j] = running;
                }
            }
        }
    } catch (...) {
        AddErrorContext("Error in calculator  (Init)");
    }
}

// Singles[x] from Singles[0]: dividing prod(1 + d t) by the factor (1 + x t)
// of the excluded rank gives e'_j = e_j - x e'_{j-1}. Rows of an x that no
// free rank has are meaningless and never read.
void TCalculator::CalcSingles() {
    try {
        for (int x = 1; x < 5; ++x) {
            int64_t previous = 1;
            Singles[x][0] = 1;
            for (int j = 1; j < 6; ++j) {
                previous = Singles[0][j] - x * previous;
                if (previous < INT32_MIN || previous > INT32_MAX) RaiseOverflow();
                Singles[x][j] = static_cast<int32_t>(previous);
            }
        }
    } catch (...) {
        AddErrorContext("Error in calculator  (CalcSingles)");
    }
}

void TCalculator::CalcFormula(const int32_t (&sums)[6], int32_t (&out)[6], int x) {
    try {
        int64_t s[6];
        for (int j = 1; j < 6; ++j) s[j] = x >= 1 ? int64_t{sums[j]} - Power(x, j) : sums[j];
        // Values stay far below 2^40 (at most 13 ranks of 4 cards), so 64-bit
        // intermediates cannot overflow; only the results are narrowed.
        const int64_t e1 = s[1];
        const int64_t e2 = ExactDiv(e1 * s[1] - s[2], 2);
        const int64_t e3 = ExactDiv(e2 * s[1] - e1 * s[2] + s[3], 3);
        const int64_t e4 = ExactDiv(e3 * s[1] - e2 * s[2] + e1 * s[3] - s[4], 4);
        const int64_t e5 = ExactDiv(e4 * s[1] - e3 * s[2] + e2 * s[3] - e1 * s[4] + s[5], 5);
        if (e1 < 0 || e1 > INT32_MAX) RaiseOverflow();
        out[0] = 1;
        out[1] = static_cast<int32_t>(e1);
        out[2] = static_cast<int32_t>(e2);
        out[3] = static_cast<int32_t>(e3);
        out[4] = static_cast<int32_t>(e4);
        out[5] = static_cast<int32_t>(e5);
    } catch (...) {
        AddErrorContext("Error in calculator  (CalcFormula)");
    }
}

void TCalculator::CalcSingleRange(int low, int high, int x) {
    try {
        if (high > kRankCount - 1) high = kRankCount - 1;
        CheckIndex(high, 0, kRankCount - 1, "rank");
        CheckIndex(low, -1, kRankCount - 1, "rank");
        for (int j = 0; j < 6; ++j)
            RangePowerSums[j] = CheckedSub(RankPowerSums[high][j], low >= 0 ? RankPowerSums[low][j] : 0);
        CalcFormula(RangePowerSums, RangeSingles, x);
    } catch (...) {
        AddErrorContext("Error in calculator  (CalcSingleRange)");
    }
}

void TCalculator::InitSuits(const TCardBunch& deck) {
    for (int suit = 0; suit < kSuitCount; ++suit) {
        int32_t running = 0;
        for (int rank = 0; rank < kRankCount; ++rank) {
            running += deck.Count[rank][suit];
            SuitPrefix[rank][suit] = running;
        }
    }
}

int TCalculator::SuitRange(int suit, int low, int high) const {
    try {
        CheckIndex(suit, 0, kSuitCount - 1, "suit");
        if (high > kRankCount - 1) high = kRankCount - 1;
        if (high < 0 || low >= high) return 0;
        return SuitPrefix[high][suit] - (low >= 0 && low <= kRankCount - 1 ? SuitPrefix[low][suit] : 0);
    } catch (...) {
        AddErrorContext("Error in calculator  (SuitRange)");
    }
}

} // namespace drawmentor
