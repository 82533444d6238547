#include "BestHolds.h"

#include "cards/Checked.h"

#include <bit>
#include <cstring>

namespace drawmentor {
namespace {

// Codes 0..51 are suit * 13 + rank; the jokers (52, 53) rank as 13, above
// every natural rank, and have no suit.
constexpr int kJokerKey = kRankCount;
int RankOf(int code) {
    return code < kFirstJokerCode ? code % kRankCount : kJokerKey;
}

} // namespace

uint32_t TBestHolds::RankKey(const std::array<int, kHandSize>& codes) {
    int ranks[kHandSize];
    for (int i = 0; i < kHandSize; ++i) {
        int j = i;
        for (const int rank = RankOf(codes[i]); j > 0 && ranks[j - 1] > rank; --j)
            ranks[j] = ranks[j - 1];
        ranks[j] = RankOf(codes[i]);
    }
    // The sorted ranks, four bits each.
    uint32_t key = 0;
    for (int rank : ranks) key = key << 4 | static_cast<uint32_t>(rank);
    return key;
}

void TBestHolds::Deal(const std::array<int, kHandSize>& codes) {
    // 1. Sort the positions by rank, then code; sorted position j holds dealt
    // position from[j], and `key` packs the sorted ranks as RankKey does.
    int from[kHandSize];
    int sortKey[kHandSize];
    for (int i = 0; i < kHandSize; ++i) {
        const int mine = RankOf(codes[i]) * 64 + codes[i];
        int j = i;
        for (; j > 0 && sortKey[j - 1] > mine; --j) {
            from[j] = from[j - 1];
            sortKey[j] = sortKey[j - 1];
        }
        from[j] = i;
        sortKey[j] = mine;
    }
    std::array<int, kHandSize> sorted;
    uint32_t key = 0;
    for (int j = 0; j < kHandSize; ++j) {
        sorted[j] = codes[from[j]];
        key = key << 4 | static_cast<uint32_t>(sortKey[j] / 64);
    }
    if (!FEngine.Payout) throw EDrawMentor("No payout attached to the strategy engine");
    FEngine.DealCodes(sorted);

    // 2. The holds that keep natural cards of two suits or more: bit m of
    // `mixed` for the sorted mask m. The suits of each kept set come from a
    // smaller set's.
    unsigned suitOf[kHandSize];
    for (int j = 0; j < kHandSize; ++j) {
        const int rank = sortKey[j] / 64;
        const bool wild = rank == kJokerKey || FEngine.Deck.IsWild(rank);
        suitOf[j] = wild ? 0u : 1u << (sorted[j] / kRankCount);
    }
    unsigned keptSuits[kMaskCount];
    keptSuits[0] = 0;
    uint32_t mixed = 0;
    for (int kept = 1; kept < kMaskCount; ++kept) {
        keptSuits[kept] = keptSuits[kept & (kept - 1)] | suitOf[std::countr_zero(unsigned(kept))];
        const unsigned suits = keptSuits[kept];
        if ((suits & (suits - 1)) != 0) mixed |= 1u << ((kMaskCount - 1) ^ kept);
    }
    // The stand-pat hand and the full draw are counted apart from the walk.
    mixed &= ~(1u | 1u << (kMaskCount - 1));

    // 3. Count what the pattern's rows do not give, and keep what it lacked.
    if (key != FKey) {
        FKey = key;
        FKept = 0;
    }
    const uint32_t reused = mixed & FKept;
    FEngine.CountHolds(reused);
    int64_t paid[kMaskCount];
    for (int mask = 0; mask < kMaskCount; ++mask)
        paid[mask] = ((reused >> mask) & 1) ? FPaid[mask] : FEngine.PaidSum(mask);
    for (uint32_t m = mixed & ~FKept; m != 0; m &= m - 1) {
        const int mask = std::countr_zero(m);
        std::memcpy(FRows[mask], FEngine.LineCounts[mask], sizeof FRows[mask]);
        FPaid[mask] = paid[mask];
    }
    FKept |= mixed;

    // 4. The best return as GetTheBest finds it on the dealt order: exact
    // fractions cross-multiplied, ties to the lowest mask of that order.
    // inSorted[m]: the dealt mask m over the sorted positions.
    unsigned toSorted[kHandSize];
    for (int j = 0; j < kHandSize; ++j) toSorted[from[j]] = 1u << j;
    unsigned inSorted[kMaskCount];
    inSorted[0] = 0;
    for (int m = 1; m < kMaskCount; ++m)
        inSorted[m] = inSorted[m & (m - 1)] | toSorted[std::countr_zero(unsigned(m))];
    int64_t outcomes[kHandSize + 1];
    for (int k = 0; k <= kHandSize; ++k) outcomes[k] = Binomial(k, FEngine.Deck.Total);
    int best = 0;
    int64_t bestSum = paid[0];
    int64_t bestOutcomes = outcomes[0];
    for (int mask = 1; mask < kMaskCount; ++mask) {
        const int64_t sum = paid[inSorted[mask]];
        const int64_t drawOutcomes = outcomes[kDrawCount[mask]];
        const bool better = CheckedMul(sum, bestOutcomes) > CheckedMul(bestSum, drawOutcomes);
        bestSum = better ? sum : bestSum;
        bestOutcomes = better ? drawOutcomes : bestOutcomes;
        best = better ? mask : best;
    }
    FMask = best;
    FDrawn = kDrawCount[best];
    const int sortedBest = static_cast<int>(inSorted[best]);
    FLines = ((reused >> sortedBest) & 1) ? FRows[sortedBest] : FEngine.LineCounts[sortedBest];
}

int64_t TBestHolds::Unpaid() const {
    int64_t paid = 0;
    for (int line = 0; line <= FEngine.LastLine; ++line) paid += FLines[line];
    return Binomial(FDrawn, FEngine.Deck.Total) - paid;
}

} // namespace drawmentor
