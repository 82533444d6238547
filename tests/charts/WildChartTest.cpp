#include "charts/StrategyChart.h"
#include "engine/EngineFactory.h"
#include "engine/PaytableAnalysis.h"

#include "games/Catalogue.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// A wild-card game and a joker game, each chart played deal by deal as a
// reader would: the return and the frequencies it claims are what its holds
// earn, it never claims more than perfect play, and it stays close to it.
TEST(WildCharts, DeucesAndJokerChartsEarnWhatTheyClaim) {
    struct TCase {
        int Game;
        std::vector<int> Pays;
        int Jokers;
    };
    const TCase cases[] = {
        {4, testing::kDeucesFull, 0},
        {3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}, 1}, // Joker Wild (Kings)
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Game);
        const auto game = CreateDescription(c.Game);
        const TStrategyChart chart = GenerateChart(*game, c.Pays, 5);
        ASSERT_FALSE(chart.Cancelled);
        EXPECT_LE(chart.ChartReturn, chart.OptimalReturn * (1 + 1e-15L));
        EXPECT_LT(static_cast<double>(chart.OptimalReturn - chart.ChartReturn), 0.05);

        const auto engine = CreateEngineForGame(c.Game);
        TPayout payout;
        std::copy(c.Pays.begin(), c.Pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
        const TChartPlayer player(*game, chart);
        long double played = 0;
        int64_t offBest = 0, deals = 0;
        std::vector<int64_t> lineDeals(chart.Lines.size());
        for (const auto& deal : DealClasses(c.Jokers)) {
            const TChartPlay play = player.Play(deal.Codes);
            engine->DealCodes(deal.Codes);
            const long double best = engine->DrawReturn(engine->GetTheBest());
            const long double ev = engine->DrawReturn(play.Mask);
            played += deal.Weight * ev;
            deals += deal.Weight;
            if (ev < best * (1 - 1e-15L)) offBest += deal.Weight;
            lineDeals[static_cast<size_t>(play.Line)] += deal.Weight;
        }
        EXPECT_EQ(deals, chart.Deals);
        EXPECT_NEAR(static_cast<double>(100 * played / (chart.Deals * 5.0L)),
                    static_cast<double>(chart.ChartReturn), 1e-9);
        EXPECT_EQ(offBest, chart.DealsOffBest);
        for (size_t i = 0; i < chart.Lines.size(); ++i)
            EXPECT_NEAR(static_cast<double>(lineDeals[i]) / static_cast<double>(chart.Deals),
                        chart.Lines[i].Frequency, 1e-15)
                << chart.Lines[i].Key;
    }
}

} // namespace
} // namespace drawmentor
