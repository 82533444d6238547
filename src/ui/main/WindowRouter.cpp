#include "WindowRouter.h"

#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HandPicker.h"

#include "play/GameEngine.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

void TWindowRouter::ShowAllHands(const TGameEngine& engine) {
    if (!engine.CanShowAllHands()) return;
    drawmentor::ShowAllHands(&FParent, engine, FPreferences);
}

void TWindowRouter::AnalyseHand(const TGameEngine& engine) {
    drawmentor::AnalyseHand(&FParent, engine.GameIndex(), engine.PayTable(), engine.Bet(),
                            engine.Caption(), FPreferences);
}

} // namespace drawmentor
