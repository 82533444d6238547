#include "BestHolds.h"

#include "core/Checked.h"

#include <algorithm>
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

TBestHolds::TBestHolds(TPokerEngine& engine) : FEngine(engine), FRows(kMaskCount * kMaskCount) {}

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
    if (!FEngine.Payout()) throw EDrawMentor("No payout attached to the strategy engine");
    FEngine.DealCodes(sorted);

    // 2. Each hold's slot: the dealt positions of the suit its kept natural
    // cards share, 0 when they lie in two suits or more, -1 without any
    // (their draws depend on every suit). Kept sets' suits come from smaller
    // sets'.
    unsigned suitOf[kHandSize];
    unsigned positionsOf[kSuitCount] = {};
    for (int j = 0; j < kHandSize; ++j) {
        const int rank = sortKey[j] / 64;
        const bool wild = rank == kJokerKey || FEngine.Deck().IsWild(rank);
        suitOf[j] = wild ? 0u : 1u << (sorted[j] / kRankCount);
        if (!wild) positionsOf[sorted[j] / kRankCount] |= 1u << j;
    }
    unsigned keptSuits[kMaskCount];
    keptSuits[0] = 0;
    int slot[kMaskCount];
    for (int kept = 1; kept < kMaskCount; ++kept) {
        keptSuits[kept] = keptSuits[kept & (kept - 1)] | suitOf[std::countr_zero(unsigned(kept))];
        const unsigned suits = keptSuits[kept];
        slot[(kMaskCount - 1) ^ kept] =
            suits == 0                   ? -1
            : (suits & (suits - 1)) != 0 ? 0
                                         : static_cast<int>(positionsOf[std::countr_zero(suits)]);
    }
    // The stand-pat hand and the full draw are counted apart from the walk.
    slot[0] = slot[kMaskCount - 1] = -1;

    // 3. Count what the pattern's rows do not give, and keep what it lacked.
    if (key != FKey) {
        FKey = key;
        std::fill(std::begin(FKept), std::end(FKept), 0u);
    }
    uint32_t reused = 0;
    for (int mask = 1; mask < kMaskCount - 1; ++mask)
        if (slot[mask] >= 0 && ((FKept[mask] >> slot[mask]) & 1)) reused |= 1u << mask;
    FEngine.CountHolds(reused);
    int64_t paid[kMaskCount];
    for (int mask = 0; mask < kMaskCount; ++mask) {
        if ((reused >> mask) & 1) {
            paid[mask] = FRows[mask * kMaskCount + slot[mask]].Paid;
            continue;
        }
        paid[mask] = FEngine.PaidSum(mask);
        if (slot[mask] < 0) continue;
        TRow& row = FRows[mask * kMaskCount + slot[mask]];
        std::memcpy(row.Lines, FEngine.LineCounts(mask), sizeof row.Lines);
        row.Paid = paid[mask];
        FKept[mask] |= 1u << slot[mask];
    }

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
    for (int k = 0; k <= kHandSize; ++k) outcomes[k] = Binomial(k, FEngine.Deck().Total);
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
    FLines = ((reused >> sortedBest) & 1) ? FRows[sortedBest * kMaskCount + slot[sortedBest]].Lines
                                          : FEngine.LineCounts(sortedBest);
}

int64_t TBestHolds::Unpaid() const {
    int64_t paid = 0;
    for (int line = 0; line <= FEngine.LastLine(); ++line) paid += FLines[line];
    return Binomial(FDrawn, FEngine.Deck().Total) - paid;
}

} // namespace drawmentor
