#pragma once

#include "cards/CardBunch.h"
#include "cards/Categories.h"
#include "games/PokerDescription.h"

#include <cstdint>

namespace drawmentor {

// Category of a five-card hand without wild cards, or kNoCategory.
// Reads only the hand's running statistics.
int ClassifyNatural(const THand& hand);

// The rank of the fifth card of a natural four of a kind (the kicker), or -1
// when the hand is no four of a kind.
int QuadsKicker(const THand& hand);

// The line a natural hand is paid by: `categoryLine` maps its category (-1
// for none), unless a line of the game pays that four of a kind with this
// kicker.
int NaturalHandLine(const THand& hand, const int32_t* categoryLine,
                    const TKickerLines& kickerLines);

// Category of a five-card hand holding at least one wild card.
int ClassifyWild(const THand& hand);

// The straight window of a hand's natural cards (at least two of them), from
// MinRank (lo, the Ace as 12) and MaxRankNoAce (hi).
TStraightKind WildStraightKind(const THand& hand);

} // namespace drawmentor
