// The all-hands window must open as fast as the engine answers: its 32 rows
// (figures, texts and faded pictures) are built for a wild-card game, and the
// whole window without showing it.
#include "play/HandAnalysis.h"
#include "render/CardPainter.h"
#include "ui/hands/AllHandsModel.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HoldPictures.h"

#include "prefs/Preferences.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

using namespace drawmentor;

// Deuces Wild, two deuces dealt: the engine's slowest kind of hand.
const std::array<int, 5> kCards = {39, 13, 5, 6, 35}; // 2H 2C 7S 8S JD

TPayTable DeucesWild() {
    TPayTable table;
    const int pays[10] = {800, 200, 25, 15, 9, 5, 3, 2, 2, 1};
    for (int coins = 1; coins <= kMaxCoins; ++coins)
        for (int line = 0; line < 10; ++line) table.At(coins, line) = pays[line] * coins;
    return table;
}

void BM_AllHandsRows(benchmark::State& state) {
    const THandAnalysis analysis(4, DeucesWild(), 5, kCards);
    TCardPainter painter;
    painter.Init();
    for (auto _ : state) {
        const QImage hand = HandPicture(painter, kCards, Qt::white);
        TAllHandsModel model(analysis.Engine(), HoldPictures(hand));
        benchmark::DoNotOptimize(model.Row(0).ER);
    }
}
BENCHMARK(BM_AllHandsRows)->Unit(benchmark::kMicrosecond);

void BM_AllHandsWindow(benchmark::State& state) {
    const THandAnalysis analysis(4, DeucesWild(), 5, kCards);
    TPreferences preferences;
    preferences.WriteOnExit = false;
    for (auto _ : state) {
        TAllHandsWindow window(nullptr, analysis.Engine(), kCards, 0, preferences);
        benchmark::DoNotOptimize(window.SelectedMask());
    }
}
BENCHMARK(BM_AllHandsWindow)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
