// The statistics over a large log, and one draw of a wild game (the player's
// hand, the best hold's and all 32 holds' final hands paid).
#include "play/GameEngine.h"
#include "play/Logger.h"
#include "play/Statistics.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <random>

namespace {

using namespace drawmentor;

void BM_StatisticsOfAMillionHands(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    TPreferences preferences;
    preferences.WriteOnExit = false;
    TLogger logger(folder.path() + "/DrawMentor.log");
    std::mt19937 random(1);
    TLogRecord record;
    record.Bet = 5;
    record.DealTime = logger.SessionStart + 1;
    for (int i = 0; i < 1000000; ++i) {
        record.Line = static_cast<uint8_t>(random() % 10 == 0 ? 255 : random() % 9);
        record.BestLine = record.Line;
        record.Win = record.BestWin = static_cast<int32_t>(random() % 50);
        record.Return = static_cast<double>(random() % 100) / 20.0;
        record.BestReturn = record.Return + static_cast<double>(random() % 3) / 10.0;
        logger.Append(record);
    }
    TLogFilter& filter = logger.Filter();
    filter.Game = 0;
    filter.PayIndex = 0;
    filter.Modes = 0xF;
    TStatisticsList list;
    list.Attach(logger);
    list.LoadTexts(preferences);
    list.SetActive(true);
    for (auto _ : state) list.Recalculate();
    state.SetLabel("1,000,000 records");
    SetDataFolder({});
}
BENCHMARK(BM_StatisticsOfAMillionHands)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WildGameDraw(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    TRandom::SetSeedSource([] { return 99u; });
    {
        TPreferences preferences;
        preferences.WriteOnExit = false;
        TGameEngine engine(preferences);
        engine.SelectGame(4, 0);
        for (auto _ : state) {
            state.PauseTiming();
            engine.Deal();
            state.ResumeTiming();
            engine.Draw();
        }
        state.SetLabel("Deuces Wild");
    }
    TRandom::SetSeedSource({});
    SetDataFolder({});
}
BENCHMARK(BM_WildGameDraw)->Unit(benchmark::kMicrosecond);

} // namespace
