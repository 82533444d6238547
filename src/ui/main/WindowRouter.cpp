#include "WindowRouter.h"

#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HandPicker.h"
#include "ui/log/ChartWindow.h"
#include "ui/log/StatisticsWindow.h"

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

void TWindowRouter::ShowStatistics(TGameEngine& engine) {
    OpenStatisticsWindow(&FParent, engine, FPreferences);
}

void TWindowRouter::ShowCharts(TGameEngine& engine) {
    OpenChartsWindow(&FParent, engine.Logger(), FPreferences);
}

} // namespace drawmentor
