#include "BestHolds.h"

#include <bit>
#include <cstring>

namespace drawmentor {
namespace {

// A card's place in the sorted hand: by rank, jokers last, then by code.
int SortKey(int code) {
    const TCard card = DecodeCard(code);
    const int rank = card.Rank >= 0 ? card.Rank : kRankCount;
    return rank * 64 + code;
}

} // namespace

uint32_t TBestHolds::RankKey(const std::array<int, kHandSize>& codes) {
    // Ranks 0..13 (13 the joker) counted in 3 bits each: at most 5 of a rank.
    uint64_t counts = 0;
    for (int code : codes) {
        const TCard card = DecodeCard(code);
        counts += uint64_t{1} << (3 * (card.Rank >= 0 ? card.Rank : kRankCount));
    }
    // 14 counts of 3 bits fold into 32 bits without loss: sorted by the
    // ranks, the five cards' ranks (4 bits each) say the same.
    uint32_t key = 0;
    for (int rank = 0; rank <= kRankCount; ++rank)
        for (unsigned n = (counts >> (3 * rank)) & 7; n > 0; --n)
            key = key << 4 | static_cast<uint32_t>(rank);
    return key;
}

void TBestHolds::Deal(const std::array<int, kHandSize>& codes) {
    // 1. Sort the positions by card; sorted position j holds dealt position from[j].
    int from[kHandSize];
    for (int i = 0; i < kHandSize; ++i) {
        int j = i;
        for (; j > 0 && SortKey(codes[from[j - 1]]) > SortKey(codes[i]); --j) from[j] = from[j - 1];
        from[j] = i;
    }
    std::array<int, kHandSize> sorted;
    for (int j = 0; j < kHandSize; ++j) sorted[j] = codes[from[j]];
    FEngine.DealCodes(sorted);

    // 2. The holds that keep natural cards of two suits or more; bit m of
    // `mixed` for the sorted mask m. Subsets of the kept positions are built
    // from smaller ones.
    unsigned suitOf[kHandSize];
    for (int j = 0; j < kHandSize; ++j) {
        const TCard card = DecodeCard(sorted[j]);
        suitOf[j] = FEngine.Deck.IsWild(card.Rank) ? 0u : 1u << card.Suit;
    }
    unsigned keptSuits[kMaskCount];
    keptSuits[0] = 0;
    uint32_t mixed = 0;
    for (int kept = 1; kept < kMaskCount; ++kept) {
        keptSuits[kept] = keptSuits[kept & (kept - 1)] | suitOf[std::countr_zero(unsigned(kept))];
        if (std::popcount(keptSuits[kept]) >= 2) mixed |= 1u << ((kMaskCount - 1) ^ kept);
    }
    // The stand-pat hand and the full draw are counted apart from the walk.
    mixed &= ~(1u | 1u << (kMaskCount - 1));

    // 3. Count what the pattern's rows do not give, then fill those in.
    const uint32_t key = RankKey(codes);
    if (key != FKey) {
        FKey = key;
        FKept = 0;
    }
    const uint32_t reused = mixed & FKept;
    FEngine.CountHolds(reused);
    for (uint32_t m = reused; m != 0; m &= m - 1)
        std::memcpy(FEngine.LineCounts[std::countr_zero(m)], FRows[std::countr_zero(m)],
                    sizeof FRows[0]);
    for (uint32_t m = mixed & ~FKept; m != 0; m &= m - 1)
        std::memcpy(FRows[std::countr_zero(m)], FEngine.LineCounts[std::countr_zero(m)],
                    sizeof FRows[0]);
    FKept |= mixed;

    // 4. Ties go to the lowest mask of the dealt order, as GetTheBest breaks
    // them on the dealt cards.
    std::array<int8_t, kMaskCount> order;
    for (int mask = 0; mask < kMaskCount; ++mask) {
        int inSorted = 0;
        for (int j = 0; j < kHandSize; ++j) inSorted |= ((mask >> from[j]) & 1) << j;
        order[mask] = static_cast<int8_t>(inSorted);
    }
    FSortedMask = FEngine.BestHold(&order);
    FMask = 0;
    for (int j = 0; j < kHandSize; ++j) FMask |= ((FSortedMask >> j) & 1) << from[j];
}

} // namespace drawmentor
