#include "Calculator.h"

#include "core/Checked.h"

#include <string>

namespace drawmentor {

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
        // Nothing kept yet: the state AddKeptCard starts from.
        for (int j = 0; j < 6; ++j) Singles[0][j] = static_cast<int32_t>(e[j]);
        Pairs[0] = Pairs[1] = 0;
        Pairs[2] = FDeckPairs2;
        FKeptRanks = 0;
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
        FKeptRanks = seen;
        CalcSingles();
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

void TCalculator::CalcSingleRange(int low, int high, int x) {
    try {
        if (high > kRankCount - 1) high = kRankCount - 1;
        CheckIndex(low, -1, kRankCount - 1, "rank");
        CheckIndex(x, 0, 4, "excluded count");
        int32_t e[6] = {1, 0, 0, 0, 0, 0};
        for (int rank = low + 1; rank <= high; ++rank) {
            const int d = FDeckRank[rank];
            if (d == 0 || (FKeptRanks >> rank) & 1) continue;
            for (int j = 5; j >= 1; --j) e[j] += d * e[j - 1];
        }
        if (x > 0)
            for (int j = 1; j < 6; ++j) e[j] -= x * e[j - 1];
        for (int j = 0; j < 6; ++j) RangeSingles[j] = e[j];
    } catch (...) {
        AddErrorContext("Error in calculator  (CalcSingleRange)");
    }
}

void TCalculator::InitSuits(const TCardBunch& deck) {
    try {
        for (int suit = 0; suit < kSuitCount; ++suit) {
            int32_t running = 0;
            for (int rank = 0; rank < kRankCount; ++rank) {
                running = CheckedAdd(running, deck.Count[rank][suit]);
                SuitPrefix[rank][suit] = running;
            }
        }
    } catch (...) {
        AddErrorContext("Error in calculator  (InitSuits)");
    }
}

int TCalculator::SuitRange(int suit, int low, int high) const {
    try {
        CheckIndex(suit, 0, kSuitCount - 1, "suit");
        if (high > kRankCount - 1) high = kRankCount - 1;
        if (high < 0 || low >= high) return 0;
        return SuitPrefix[high][suit] -
               (low >= 0 && low <= kRankCount - 1 ? SuitPrefix[low][suit] : 0);
    } catch (...) {
        AddErrorContext("Error in calculator  (SuitRange)");
    }
}

} // namespace drawmentor
