#include "TableHand.h"

#include "core/Checked.h"

namespace drawmentor {

int TTableHand::CardAt(int position) const {
    return FCards[CheckIndex(position, 0, kHandSize - 1, "card position")];
}

bool TTableHand::ShowsBack(int position) const {
    return CardAt(position) == kNoCard || (FState == TGameState::gsDoubleUp && position != 0);
}

bool TTableHand::IsHeld(int position) const {
    return CardAt(position) != kNoCard && FState != TGameState::gsDoubleUp &&
           !IsBitSet(FDrawMask, position);
}

} // namespace drawmentor
