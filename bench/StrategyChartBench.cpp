// A whole strategy chart: the engine over every deal (both cores), then the
// search for the line order. The target is under ten seconds a chart.
#include "charts/StrategyChart.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace drawmentor;

std::vector<int> PaysOf(int game) {
    return game == 0   ? std::vector<int>{4000, 250, 125, 45, 30, 20, 15, 10, 5}
           : game == 4 ? std::vector<int>{4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}
           : game == 3 ? std::vector<int>{4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}
                       : std::vector<int>{4000, 500, 250, 125, 45, 25, 20, 15, 10, 5};
}

void BM_StrategyChart(benchmark::State& state) {
    const int game = static_cast<int>(state.range(0));
    const std::vector<int> pays = PaysOf(game);
    const auto description = CreateDescription(game);
    TChartOptions options;
    options.Threads = static_cast<int>(state.range(1));
    TStrategyChart chart;
    for (auto _ : state) {
        chart = GenerateChart(*description, pays, 5, options);
        benchmark::DoNotOptimize(chart.ChartReturn);
    }
    state.counters["lines"] = static_cast<double>(chart.Lines.size());
    state.counters["loss_percent"] = static_cast<double>(chart.OptimalReturn - chart.ChartReturn);
    state.SetLabel(description->Name + ", " + std::to_string(options.Threads) + " threads");
}
BENCHMARK(BM_StrategyChart)
    ->Args({0, 2})
    ->Args({4, 2})
    ->Args({3, 2})
    ->Args({8, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The expert chart against the paytable's return, side by side in one run
// (the machine is noisy; the ratio is the figure): a chart should take at
// most five times a return.
void BM_ChartAgainstReturn(benchmark::State& state) {
    const int game = static_cast<int>(state.range(0));
    const std::vector<int> pays = PaysOf(game);
    const auto description = CreateDescription(game);
    TChartOptions options;
    options.Level = static_cast<TChartLevel>(state.range(1));
    double chartSeconds = 0, returnSeconds = 0;
    for (auto _ : state) {
        using TClock = std::chrono::steady_clock;
        const auto start = TClock::now();
        benchmark::DoNotOptimize(AnalyzePaytable(*description, pays, 5).ReturnPercent);
        const auto middle = TClock::now();
        benchmark::DoNotOptimize(GenerateChart(*description, pays, 5, options).ChartReturn);
        returnSeconds += std::chrono::duration<double>(middle - start).count();
        chartSeconds += std::chrono::duration<double>(TClock::now() - middle).count();
    }
    state.counters["chart_over_return"] = chartSeconds / returnSeconds;
    state.SetLabel(description->Name);
}
BENCHMARK(BM_ChartAgainstReturn)
    ->ArgsProduct({{0, 4, 3, 8}, {0, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

} // namespace
