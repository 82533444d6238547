// A session's exact distribution and its risk of ruin, from the one-hand
// distribution of 9/6 Jacks or Better (analysed once, outside the timing).
#include "bankroll/HandDistribution.h"
#include "bankroll/RiskOfRuin.h"
#include "bankroll/SessionDistribution.h"
#include "games/Catalogue.h"

#include <benchmark/benchmark.h>

namespace {

using namespace drawmentor;

const THandDistribution& Jacks() {
    static const std::vector<int> pays = {4000, 250, 125, 45, 30, 20, 15, 10, 5};
    static const THandDistribution hand =
        HandDistributionOf(AnalyzePaytable(*CreateDescription(0), pays, 5), pays, 5);
    return hand;
}

void BM_SessionDistribution(benchmark::State& state) {
    const THandDistribution& hand = Jacks();
    size_t points = 0;
    for (auto _ : state) {
        const auto session = SessionDistribution(hand, state.range(0));
        points = session.Probability.size();
        benchmark::DoNotOptimize(session);
    }
    state.SetLabel(std::to_string(points) + " results");
}
BENCHMARK(BM_SessionDistribution)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// Bankroll 800 bets.
void BM_RiskOfRuin(benchmark::State& state) {
    const THandDistribution& hand = Jacks();
    for (auto _ : state) benchmark::DoNotOptimize(RiskOfRuin(hand, 5 * 800, state.range(0)));
}
BENCHMARK(BM_RiskOfRuin)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The curve the bankroll window draws: 31 bankrolls from 80 to 2,400 bets.
void BM_RiskOfRuinCurve(benchmark::State& state) {
    const THandDistribution& hand = Jacks();
    std::vector<int64_t> bankrolls;
    for (int64_t point = 0; point <= 30; ++point) bankrolls.push_back(5 * (80 + point * 2320 / 30));
    for (auto _ : state) benchmark::DoNotOptimize(RiskOfRuinCurve(hand, bankrolls, state.range(0)));
}
BENCHMARK(BM_RiskOfRuinCurve)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

} // namespace
