#pragma once

#include "cards/CardBunch.h"
#include "cards/Categories.h"

namespace drawmentor {

// Category of a five-card hand without wild cards, or kNoCategory.
// Reads only the hand's running statistics.
int ClassifyNatural(const THand& hand);

// Category of a five-card hand holding at least one wild card.
int ClassifyWild(const THand& hand);

// The straight window of a hand's natural cards (at least two of them), from
// MinRank (lo, the Ace as 12) and MaxRankNoAce (hi).
TStraightKind WildStraightKind(const THand& hand);

} // namespace drawmentor
