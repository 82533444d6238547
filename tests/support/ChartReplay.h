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

// A chart's game, an exact engine of its pays and a reader of the chart.
struct TChartReplay {
    TChartReplay(int gameIndex, const std::vector<int>& pays, const TStrategyChart& chart)
        : Game(CreateDescription(gameIndex)), Engine(CreateEngineForGame(gameIndex)),
          Player(*Game, chart) {
        std::copy(pays.begin(), pays.end(), Payout.Pays.begin());
        Engine->SetPayout(&Payout);
    }
    TChartReplay(const TChartReplay&) = delete; // the engine points at Payout
    TChartReplay& operator=(const TChartReplay&) = delete;
    std::unique_ptr<TPokerDescription> Game;
    std::unique_ptr<TPokerEngine> Engine;
    TPayout Payout;
    TChartPlayer Player;
};

// Every deal class of the game's deck played by `chart`: its return, its
// deals off the best hold and each line's deals agree with what it claims.
// A dealt hand that pays one of `kept` (coins) as it stands is played best.
inline void ExpectChartEarnsItsClaims(int gameIndex, const std::vector<int>& pays,
                                      const TStrategyChart& chart,
                                      const std::vector<long double>& kept = {}) {
    const TChartReplay replay(gameIndex, pays, chart);
    const auto& engine = replay.Engine;
    const auto& game = replay.Game;
    const TChartPlayer& player = replay.Player;
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
            const long double dealt = engine->DrawReturn(0);
            EXPECT_TRUE(std::find(kept.begin(), kept.end(), dealt) == kept.end())
                << "a dealt hand paying " << static_cast<double>(dealt)
                << " played worse than the best hold";
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

// A line's first exception taken at its word: every deal the line plays that
// also has the exception's class is played by that class (its preferred hold),
// and the return (percent) rises by the share of the chart's loss it claims.
inline void ExpectExceptionRecovers(int gameIndex, const std::vector<int>& pays,
                                    const TStrategyChart& chart, size_t lineIndex) {
    const TChartException& exception = chart.Lines[lineIndex].Exceptions.at(0);
    const TChartReplay replay(gameIndex, pays, chart);
    const auto& engine = replay.Engine;
    const auto& game = replay.Game;
    const TChartPlayer& player = replay.Player;
    std::array<THoldClass, kMaskCount> classes;
    long double gained = 0;
    for (const auto& deal : DealClasses(game->Jokers)) {
        const TChartPlay play = player.Play(deal.Codes);
        if (play.Line != static_cast<int>(lineIndex)) continue;
        player.Classifier().ClassifyDeal(deal.Codes, classes);
        int mask = -1;
        uint32_t preferred = 0;
        for (int m = 0; m < kMaskCount; ++m) {
            const uint32_t precedence = HoldPrecedence(player.Classifier(), deal.Codes, m);
            if (classes[m].Class() == exception.Class && (mask < 0 || precedence > preferred))
                mask = m, preferred = precedence;
        }
        if (mask < 0) continue;
        engine->DealCodes(deal.Codes);
        engine->GetTheBest(); // counts the draws
        gained += deal.Weight * (engine->DrawReturn(mask) - engine->DrawReturn(play.Mask));
    }
    const long double percent = 100 * gained / (chart.Deals * static_cast<long double>(chart.Bet));
    EXPECT_NEAR(static_cast<double>(percent),
                exception.Recovered * static_cast<double>(chart.OptimalReturn - chart.ChartReturn),
                1e-9);
}

} // namespace drawmentor::testing
