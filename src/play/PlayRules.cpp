#include "PlayRules.h"

#include "TableHand.h"

namespace drawmentor {

TPlayRules::TPlayRules(const TTableHand& hand, TPlayMode mode, int dealtHands)
    : FState(hand.State()), FMode(mode), FDrawUnderWay(hand.DrawUnderWay()), FOpen(hand.IsOpen()),
      FWin(hand.CurrentWin()), FBet(hand.Record().Bet), FDealtHands(dealtHands) {}

} // namespace drawmentor
