#include "charts/StrategyChart.h"
#include "games/Catalogue.h"
#include "support/ChartReplay.h"
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
    };
    const TCase cases[] = {
        {3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}}, // Joker Wild (Kings)
        {4, testing::kDeucesFull},
    };
    // Under the sanitizers the literal reading of a wild chart reaches the
    // same code at a fraction of the cost.
    if (DRAWMENTOR_SANITIZED) GTEST_SKIP();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Game);
        const auto game = CreateDescription(c.Game);
        const TStrategyChart chart = GenerateChart(*game, c.Pays, 5);
        ASSERT_FALSE(chart.Cancelled);
        EXPECT_LE(chart.ChartReturn, chart.OptimalReturn * (1 + 1e-15L));
        EXPECT_LT(static_cast<double>(chart.OptimalReturn - chart.ChartReturn), 0.05);

        testing::ExpectChartEarnsItsClaims(c.Game, c.Pays, chart);
    }
}

} // namespace
} // namespace drawmentor
