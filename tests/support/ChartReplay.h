#pragma once

// A chart played deal by deal as a reader would, every hold priced by the
// exact engine: what the chart's claims are checked against.
#include "charts/StrategyChart.h"
#include "engine/EngineFactory.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace drawmentor::testing {

// Every deal class of the game's deck played by `chart`: its return, its
// deals off the best hold and each line's deals agree with what it claims.
// With `keptFrom`, a dealt hand that pays at least that many coins as it
// stands is played best.
inline void ExpectChartEarnsItsClaims(int gameIndex, const std::vector<int>& pays,
                                      const TStrategyChart& chart, long double keptFrom = 0) {
    const auto game = CreateDescription(gameIndex);
    const auto engine = CreateEngineForGame(gameIndex);
    TPayout payout;
    std::copy(pays.begin(), pays.end(), payout.Pays.begin());
    engine->SetPayout(&payout);
    const TChartPlayer player(*game, chart);
    long double played = 0;
    int64_t offBest = 0, deals = 0;
    std::vector<int64_t> lineDeals(chart.Lines.size());
    for (const auto& deal : DealClasses(game->Jokers)) {
        const TChartPlay play = player.Play(deal.Codes);
        engine->DealCodes(deal.Codes);
        const long double best = engine->DrawReturn(engine->GetTheBest());
        const long double ev = engine->DrawReturn(play.Mask);
        played += deal.Weight * ev;
        deals += deal.Weight;
        if (ev < best * (1 - 1e-15L)) {
            offBest += deal.Weight;
            EXPECT_FALSE(keptFrom > 0 && engine->DrawReturn(0) >= keptFrom)
                << "a dealt hand of four of a kind or better played worse than the best hold";
        }
        lineDeals[static_cast<size_t>(play.Line)] += deal.Weight;
    }
    EXPECT_EQ(deals, chart.Deals);
    EXPECT_NEAR(
        static_cast<double>(100 * played / (chart.Deals * static_cast<long double>(chart.Bet))),
        static_cast<double>(chart.ChartReturn), 1e-9);
    EXPECT_EQ(offBest, chart.DealsOffBest);
    for (size_t i = 0; i < chart.Lines.size(); ++i)
        EXPECT_NEAR(static_cast<double>(lineDeals[i]) / static_cast<double>(chart.Deals),
                    chart.Lines[i].Frequency, 1e-15)
            << chart.Lines[i].Key;
}

} // namespace drawmentor::testing
