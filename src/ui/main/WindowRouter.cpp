#include "WindowRouter.h"

#include "ui/log/ChartWindow.h"
#include "ui/log/StatisticsWindow.h"

#include "play/GameEngine.h"

namespace drawmentor {

TWindowRouter::TWindowRouter(QWidget& parent, TPreferences& preferences)
    : FParent(parent), FPreferences(preferences) {}

void TWindowRouter::ShowStatistics(TGameEngine& engine) {
    OpenStatisticsWindow(&FParent, engine, FPreferences);
}

void TWindowRouter::ShowCharts(TGameEngine& engine) {
    OpenChartsWindow(&FParent, engine.Logger(), FPreferences);
}

} // namespace drawmentor
