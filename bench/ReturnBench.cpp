// A whole paytable's optimal-play return: every deal of the deck, folded by
// suit symmetry, analysed with both cores.
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace drawmentor;

void BM_PaytableReturn(benchmark::State& state) {
    const int game = static_cast<int>(state.range(0));
    const std::vector<int> pays =
        game == 0   ? std::vector<int>{4000, 250, 125, 45, 30, 20, 15, 10, 5}
        : game == 4 ? std::vector<int>{4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}
                    : std::vector<int>{4000, 500, 250, 125, 45, 25, 20, 15, 10, 5};
    const auto description = CreateDescription(game);
    TAnalysisOptions options;
    options.Threads = static_cast<int>(state.range(1));
    for (auto _ : state) benchmark::DoNotOptimize(AnalyzePaytable(*description, pays, 5, options));
    state.SetLabel(description->Name + ", " + std::to_string(options.Threads) + " threads");
}
BENCHMARK(BM_PaytableReturn)
    ->Args({0, 2})
    ->Args({4, 2})
    ->Args({8, 2})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

// The suit classes every analysis starts from, and their order by rank
// pattern, built on one thread before the workers start: a set-up cost no
// number of threads hides.
void BM_DealClasses(benchmark::State& state) {
    const int jokers = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto classes = DealClasses(jokers);
        benchmark::DoNotOptimize(RankPatternOrder(classes));
    }
    state.SetLabel(std::to_string(jokers) + " jokers");
}
BENCHMARK(BM_DealClasses)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

} // namespace
