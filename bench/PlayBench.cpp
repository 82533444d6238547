// The statistics over a large log, and one draw of a wild game (the player's
// hand, the best hold's and all 32 holds' final hands paid).
#include "play/Logger.h"
#include "play/LuckStat.h"
#include "play/PaytableHands.h"
#include "play/ReturnCacheFile.h"
#include "play/Session.h"
#include "play/Statistics.h"
#include "prefs/DataFolder.h"
#include "prefs/Preferences.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <random>

namespace {

using namespace drawmentor;

// A log of a million random Jacks or Better hands, written straight to the
// file (a million locked appends would take longer than the measurement).
void WriteMillionHandLog(const QString& path, TDateTime sessionStart, int days) {
    std::mt19937 random(1);
    TLogRecord record;
    record.Bet = 5;
    QByteArray bytes;
    bytes.reserve(1000000 * kLogRecordSize);
    for (int i = 0; i < 1000000; ++i) {
        record.Line = static_cast<uint8_t>(random() % 10 == 0 ? 255 : random() % 9);
        record.BestLine = record.Line;
        record.Win = record.BestWin = static_cast<int32_t>(random() % 50);
        record.Return = static_cast<double>(random() % 100) / 20.0;
        record.BestReturn = record.Return + static_cast<double>(random() % 3) / 10.0;
        // Days jump about at random when there are several, as in a merged log.
        record.DealTime = sessionStart + 1 - (days > 1 ? static_cast<double>(random() % days) : 0);
        const auto one = record.ToBytes();
        bytes.append(reinterpret_cast<const char*>(one.data()), kLogRecordSize);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) std::abort();
}

void BM_StatisticsOfAMillionHands(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    TPreferences preferences;
    preferences.WriteOnExit = false;
    const QString path = folder.path() + "/DrawMentor.log";
    WriteMillionHandLog(path, Now(), 1);
    TLogger logger(path);
    TLogFilter& filter = logger.Filter();
    filter.Game = 0;
    filter.PayIndex = 0;
    filter.Modes = 0xF;
    TStatisticsList list;
    list.Attach(logger);
    list.SetActive(true);
    for (auto _ : state) list.Recalculate();
    // A paytable the store lacks would leave the luck out and flatter the time.
    if (list.Items(5).Values[2][TLuckStat::lsBestPlay] == 0) state.SkipWithError("no luck figure");
    state.SetLabel("1,000,000 records");
    SetDataFolder({});
}
BENCHMARK(BM_StatisticsOfAMillionHands)->Unit(benchmark::kMillisecond)->Iterations(5);

// From opening the log to the figures shown: reading the file, building the
// filter's game and day lists, and the six statistics over all days.
void BM_StatisticsOfTenThousandShuffledDays(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    TPreferences preferences;
    preferences.WriteOnExit = false;
    const QString path = folder.path() + "/DrawMentor.log";
    WriteMillionHandLog(path, Now(), 10000);
    // The paytable's analysis is made once and kept in the return cache; what
    // is measured is a window opening on a log whose paytable it knows.
    const auto cache = SharedUserReturnCache();
    StoredPaytableHands()({{0, 0, 5}});
    for (auto _ : state) {
        TLogger logger(path);
        TLogFilter& filter = logger.Filter();
        filter.DateFrom = 0;
        TStatisticsList list;
        list.Attach(logger);
        list.SetActive(true);
        if (filter.Dates.size() != 10001) state.SkipWithError("expected 10,000 days");
    }
    state.SetLabel("1,000,000 records, 10,000 days");
    SetDataFolder({});
}
BENCHMARK(BM_StatisticsOfTenThousandShuffledDays)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WildGameDraw(benchmark::State& state) {
    QTemporaryDir folder;
    SetDataFolder(folder.path());
    TRandom::SetSeedSource([] { return 99u; });
    {
        TPreferences preferences;
        preferences.WriteOnExit = false;
        TSession session(preferences);
        session.SelectGame(4, 0);
        for (auto _ : state) {
            state.PauseTiming();
            session.Deal();
            state.ResumeTiming();
            session.Draw();
        }
        state.SetLabel("Deuces Wild");
    }
    TRandom::SetSeedSource({});
    SetDataFolder({});
}
BENCHMARK(BM_WildGameDraw)->Unit(benchmark::kMicrosecond);

} // namespace
