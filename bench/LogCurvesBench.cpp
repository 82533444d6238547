// The chart window's work on a player's long log: one pass for the curves of
// a chart, then the reduction to the plot's width.
#include "play/LogCurves.h"
#include "play/Logger.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <random>

namespace {

using namespace drawmentor;

constexpr int kHands = 1000000;
constexpr int kPlotColumns = 640;

// A million hands of three games over a year, written as the file a player
// would have, so that the logger loads it as it does at start-up.
class TLongLog {
  public:
    TLongLog() {
        QByteArray bytes;
        bytes.reserve(qsizetype{kHands} * kLogRecordSize);
        std::mt19937 random(1);
        TLogRecord r;
        double time = 45000;
        for (int i = 0; i < kHands; ++i) {
            r.GameIndex = static_cast<uint8_t>(random() % 3);
            r.Mode = static_cast<uint8_t>(random() % 3);
            r.CoinIndex = static_cast<uint8_t>(random() % kCoinValueCount);
            r.Bet = 5;
            r.Line = static_cast<uint8_t>(random() % 10 == 0 ? 255 : random() % 9);
            r.BestLine = r.Line;
            r.Win = r.BestWin = static_cast<int32_t>(random() % 50);
            r.DoubleUps = static_cast<uint8_t>(random() % 8 == 0);
            r.Collected = r.DoubleUps ? 2 * r.Win * static_cast<int32_t>(random() % 2) : r.Win;
            r.Return = static_cast<double>(random() % 100) / 20.0;
            r.BestReturn = r.Return + static_cast<double>(random() % 3) / 10.0;
            r.DealTime = time;
            r.CollectTime = time + 8.0 / 86400;
            time += 365.0 / kHands;
            const auto b = r.ToBytes();
            bytes.append(reinterpret_cast<const char*>(b.data()), kLogRecordSize);
        }
        QFile file(FFolder.path() + "/DrawMentor.log");
        if (file.open(QIODevice::WriteOnly)) file.write(bytes);
        file.close();
        Logger = std::make_unique<TLogger>(file.fileName());
    }

    QTemporaryDir FFolder;
    std::unique_ptr<TLogger> Logger;
};

TLogger& LongLog() {
    static TLongLog log;
    return *log.Logger;
}

// One chart of all games and modes from the first day: every record is read.
void BM_ChartOfAMillionHands(benchmark::State& state) {
    TLogger& logger = LongLog();
    TLogFilter& filter = logger.Filter();
    filter.Game = filter.PayIndex = -1;
    filter.Modes = 0xF;
    filter.DateFrom = 0;
    const auto kind = static_cast<TPlotKind>(state.range(0));
    qsizetype points = 0;
    for (auto _ : state) {
        const TLogCurves series = ComputeLogCurves(logger, filter, kind, true);
        for (int curve = 0; curve < series.CurveCount(); ++curve)
            points += ReducePoints(series.Curves[static_cast<size_t>(curve)], kPlotColumns).size();
        benchmark::DoNotOptimize(points);
    }
    state.SetLabel(PlotInfo(kind).Name);
}
BENCHMARK(BM_ChartOfAMillionHands)->DenseRange(0, kPlotCount - 1)->Unit(benchmark::kMillisecond);

// Opening the window after a hand was logged: the shared filter is rebuilt
// from the log before the first chart is drawn.
void BM_OpenChartsOnAMillionHands(benchmark::State& state) {
    TLogger& logger = LongLog();
    for (auto _ : state) {
        logger.InvalidateFilter();
        const TLogCurves series = ComputeLogCurves(logger, logger.Filter(), pkBalance, false);
        benchmark::DoNotOptimize(ReducePoints(series.Curves[0], kPlotColumns));
        benchmark::DoNotOptimize(ReducePoints(series.Curves[1], kPlotColumns));
    }
}
BENCHMARK(BM_OpenChartsOnAMillionHands)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
