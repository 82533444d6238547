// GetTheBest on fixed, seeded deals, and the brute-force enumeration of the
// same deals in the same binary, so that the speed-up reads as a ratio of one
// run on the same (noisy) machine.
#include "engine/EngineFactory.h"
#include "games/Catalogue.h"
#include "oracle/Enumerator.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

using namespace drawmentor;

struct TBenchGame {
    int Index;
    std::vector<int> Pays;
};

const TBenchGame kGames[] = {
    {0, {4000, 250, 125, 45, 30, 20, 15, 10, 5}},           // Jacks or better
    {4, {4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}},      // Deuces Wild
    {3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}}, // Joker Wild (KINGS+)
    {8, {4000, 500, 500, 250, 45, 25, 20, 15, 10, 5}},      // Double Joker Poker
    {2, {4000, 250, 800, 400, 250, 45, 30, 25, 15, 5, 5}},  // Double Bonus
    // Its kicker twin, side by side with it.
    {35, {4000, 250, 2000, 800, 800, 400, 250, 45, 30, 20, 15, 5, 5}}, // Double Double Bonus
};

std::vector<oracle::TCodes> Deals(int game, int count) {
    const auto description = CreateDescription(game);
    std::vector<int> cards(52 + description->Jokers);
    std::iota(cards.begin(), cards.end(), 0);
    std::mt19937_64 random(4242 + game);
    std::vector<oracle::TCodes> deals;
    for (int i = 0; i < count; ++i) {
        std::shuffle(cards.begin(), cards.end(), random);
        oracle::TCodes deal{};
        std::copy(cards.begin(), cards.begin() + 5, deal.begin());
        deals.push_back(deal);
    }
    return deals;
}

void BM_GetTheBest(benchmark::State& state) {
    const TBenchGame& game = kGames[state.range(0)];
    auto engine = CreateEngineForGame(game.Index);
    TPayout payout;
    std::copy(game.Pays.begin(), game.Pays.end(), payout.Pays.begin());
    engine->SetPayout(&payout);
    const auto deals = Deals(game.Index, 4096);
    size_t next = 0;
    for (auto _ : state) {
        const auto& deal = deals[next++ % deals.size()];
        engine->DealCodes(deal);
        benchmark::DoNotOptimize(engine->GetTheBest());
    }
    state.SetLabel(engine->GameName());
}
BENCHMARK(BM_GetTheBest)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

void BM_Enumeration(benchmark::State& state) {
    const TBenchGame& game = kGames[state.range(0)];
    const auto description = CreateDescription(game.Index);
    const oracle::TDeckKind kind{description->Name,
                                 description->WildRank >= 0 ? description->WildRank : -1,
                                 description->Jokers, game.Index};
    const auto deals = Deals(game.Index, 16);
    size_t next = 0;
    for (auto _ : state) {
        const auto& deal = deals[next++ % deals.size()];
        for (int mask = 0; mask < kMaskCount; ++mask)
            benchmark::DoNotOptimize(oracle::EnumerateDraws(kind, deal, mask));
    }
    state.SetLabel(description->Name);
}
BENCHMARK(BM_Enumeration)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(8);

} // namespace

BENCHMARK_MAIN();
