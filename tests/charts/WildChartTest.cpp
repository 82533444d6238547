#include "charts/StrategyChart.h"
#include "games/Catalogue.h"
#include "support/ChartReplay.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// A joker game's expert chart and a wild-card game's beginner chart, each
// played deal by deal as a reader would: the return and the frequencies it
// claims are what its holds earn, it never claims more than perfect play, it
// stays close to it, and a dealt four of a kind, straight flush or royal flush
// is played best. A chart that keeps every wild card is read by their number.
TEST(WildCharts, DeucesAndJokerChartsEarnWhatTheyClaim) {
    struct TCase {
        int Game;
        std::vector<int> Pays;
        TChartLevel Level;
        std::vector<long double> Kept; // the coins those hands pay
    };
    const TCase cases[] = {
        {3,
         {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5},
         TChartLevel::Expert,
         {4000, 500, 250, 100}},
        {4, testing::kDeucesFull, TChartLevel::Beginner, {4000, 125, 45, 25}},
    };
    // Under the sanitizers the literal reading of a wild chart reaches the
    // same code at a fraction of the cost.
    if (DRAWMENTOR_SANITIZED) GTEST_SKIP();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Game);
        const auto game = CreateDescription(c.Game);
        TChartOptions options;
        options.Level = c.Level;
        const TStrategyChart chart = GenerateChart(*game, c.Pays, 5, options);
        ASSERT_FALSE(chart.Cancelled);
        EXPECT_LE(chart.ChartReturn, chart.OptimalReturn * (1 + 1e-15L));
        EXPECT_LT(static_cast<double>(chart.OptimalReturn - chart.ChartReturn),
                  c.Level == TChartLevel::Expert ? 0.01 : 0.05);
        testing::ExpectChartEarnsItsClaims(c.Game, c.Pays, chart, c.Kept);

        EXPECT_TRUE(chart.KeepsWilds);
        int wilds = kHandSize;
        for (int line : ReadingOrder(chart)) {
            const int held = THoldClass{chart.Lines[line].Definition.Family}.Wilds();
            EXPECT_LE(held, wilds) << chart.Lines[line].Key;
            wilds = held;
        }
    }
}

} // namespace
} // namespace drawmentor
