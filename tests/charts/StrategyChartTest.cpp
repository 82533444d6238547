#include "charts/StrategyChart.h"
#include "engine/EngineFactory.h"
#include "engine/PaytableAnalysis.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/CardText.h"
#include "support/ChartReplay.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace drawmentor {
namespace {

using testing::kJacks96;

using testing::HandCodes;

// The first line whose key starts with `prefix`, or -1.
int LineIndex(const TStrategyChart& chart, const std::string& prefix) {
    for (size_t i = 0; i < chart.Lines.size(); ++i)
        if (chart.Lines[i].Key.rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

// The one full generation of the suite: 9/6 Jacks or Better, its known
// shape, and its return summed again over every deal by playing each one
// through the chart as a reader would and asking the engine what that hold
// returns.
TEST(StrategyChart, JacksOrBetterAgainstEveryDeal) {
    const auto game = CreateDescription(0);
    const TStrategyChart chart = GenerateChart(*game, kJacks96, 5);
    ASSERT_FALSE(chart.Cancelled);
    EXPECT_GE(chart.ChartReturn, 99.534L);
    EXPECT_NEAR(static_cast<double>(chart.OptimalReturn), 99.543904, 5e-7);
    EXPECT_LE(chart.Lines.size(), 40u);
    EXPECT_EQ(chart.Lines.back().Key, "discard");
    EXPECT_EQ(chart.Deals, 2598960);
    double frequencies = 0;
    for (const auto& line : chart.Lines) frequencies += line.Frequency;
    EXPECT_NEAR(frequencies, 1.0, 1e-12);

    // What the exact engine says, line against line.
    const int royal4 = LineIndex(chart, "royal4");
    EXPECT_LT(royal4, LineIndex(chart, "made.L4"));   // over a made flush
    EXPECT_LT(royal4, LineIndex(chart, "made.L5"));   // and a made straight
    EXPECT_LT(royal4, LineIndex(chart, "kind2[g1]")); // and a high pair
    EXPECT_LT(LineIndex(chart, "made.L1"), royal4);   // a made straight flush stays
    EXPECT_LT(LineIndex(chart, "royal3"), LineIndex(chart, "flush4"));
    EXPECT_LT(LineIndex(chart, "kind2[g1]"), LineIndex(chart, "royal3"));
    const int lowPair = LineIndex(chart, "kind2[g0]");
    for (size_t i = 0; i < chart.Lines.size(); ++i) {
        const THoldClass family{chart.Lines[i].Definition.Family};
        if (family.Kind() != THoldKind::Straight || family.Held() != 4 || family.A() < 2) continue;
        // KQJT beats a low pair; an outside straight with fewer high cards does not.
        const bool highs = chart.Lines[i].Definition.Variants == (1u << 3);
        EXPECT_EQ(static_cast<int>(i) < lowPair, highs) << chart.Lines[i].Key;
    }

    const TChartPlayer player(*game, chart);
    const auto held = [&](const char* text) {
        const TChartPlay play = player.Play(HandCodes(text));
        std::string cards;
        for (int pos = 0; pos < kHandSize; ++pos)
            if (!IsBitSet(play.Mask, pos)) cards += CardCodeText(HandCodes(text)[pos]) + " ";
        return cards;
    };
    EXPECT_EQ(held("AS KS QS JS 2S"), "AS KS QS JS ");
    EXPECT_EQ(held("KS KD QS JS TS"), "KS QS JS TS ");
    EXPECT_EQ(held("TS JS QS KS 9S"), "TS JS QS KS 9S ");
    EXPECT_EQ(held("AS KS QS 8S 3S"), "AS KS QS 8S 3S ");
    EXPECT_EQ(held("5S 5D 6C 7H 8S"), "5S 5D ");
    EXPECT_EQ(held("KS QD JC TH TS"), "KS QD JC TS "); // of equal holds, the lower mask

    testing::ExpectChartEarnsItsClaims(0, kJacks96, chart);

    // Saved and read back it is the same chart.
    const std::string text = SaveChart(chart);
    const TStrategyChart loaded = LoadChart(text);
    EXPECT_EQ(SaveChart(loaded), text);
    ASSERT_EQ(loaded.Lines.size(), chart.Lines.size());
    for (size_t i = 0; i < chart.Lines.size(); ++i) {
        EXPECT_EQ(loaded.Lines[i].Name, chart.Lines[i].Name);
        EXPECT_EQ(loaded.Lines[i].Key, chart.Lines[i].Key);
    }
}

// 9/6 Double Double Bonus: four aces with a 2-4 kicker pay 400 to 160, so
// the chart keeps the kicker where it pays and stays close to perfect play.
TEST(StrategyChart, DoubleDoubleBonusKeepsThePayingKicker) {
    const std::vector<int> ddb96 = {4000, 250, 2000, 800, 800, 400, 250, 45, 30, 20, 15, 5, 5};
    const TStrategyChart chart = GenerateChart(*CreateDescription(35), ddb96, 5);
    ASSERT_FALSE(chart.Cancelled);
    EXPECT_NEAR(static_cast<double>(chart.OptimalReturn), 98.980783, 5e-7);
    EXPECT_LT(static_cast<double>(chart.OptimalReturn - chart.ChartReturn), 0.01);
    const auto kicker = std::find_if(chart.Lines.begin(), chart.Lines.end(), [](const auto& line) {
        return (THoldClass{line.Definition.Family}.B() & kKickerPays) != 0;
    });
    EXPECT_NE(kicker, chart.Lines.end());
}

#if !DRAWMENTOR_SANITIZED
// The short levels read the paying hands as one line, cost little, and play
// every dealt four of a kind or better as perfect play does.
TEST(StrategyChart, ShortLevelsOfJacksOrBetter) {
    const auto game = CreateDescription(0);
    const auto chartAt = [&](TChartLevel level) {
        TChartOptions options;
        options.Level = level;
        return GenerateChart(*game, kJacks96, 5, options);
    };
    const auto loss = [](const TStrategyChart& chart) {
        return static_cast<double>(chart.OptimalReturn - chart.ChartReturn);
    };
    const TStrategyChart beginner = chartAt(TChartLevel::Beginner);
    EXPECT_EQ(beginner.Level, TChartLevel::Beginner);
    EXPECT_LE(beginner.Lines.size(), 16u);
    EXPECT_LT(loss(beginner), 0.17);
    // Royal flush, straight flush, four of a kind, full house and three of a
    // kind make one line.
    EXPECT_EQ(beginner.Lines[0].Also.size(), 4u) << beginner.Lines[0].Key;
    // A dealt four of a kind, straight flush or royal flush.
    testing::ExpectChartEarnsItsClaims(0, kJacks96, beginner, {125, 250, 4000});
    // Its notes: where a line is worth breaking, by how much.
    const auto noted = std::find_if(beginner.Lines.begin(), beginner.Lines.end(),
                                    [](const auto& line) { return !line.Exceptions.empty(); });
    ASSERT_NE(noted, beginner.Lines.end());
    testing::ExpectExceptionRecovers(0, kJacks96, beginner,
                                     static_cast<size_t>(noted - beginner.Lines.begin()));
    EXPECT_EQ(LoadChart(SaveChart(beginner)).Lines[0].Key, beginner.Lines[0].Key);
    // Each line's example is a hand the line plays, held as a reader holds it.
    const TChartPlayer player(*game, beginner);
    for (size_t i = 0; i < beginner.Lines.size(); ++i) {
        const TChartLine& line = beginner.Lines[i];
        ASSERT_GE(line.ExampleMask, 0) << line.Key;
        const TChartPlay play = player.Play(line.Example);
        EXPECT_EQ(play.Line, static_cast<int>(i));
        EXPECT_EQ(play.Mask, line.ExampleMask);
    }

    const TStrategyChart intermediate = chartAt(TChartLevel::Intermediate);
    EXPECT_LE(intermediate.Lines.size(), 24u);
    EXPECT_LE(loss(intermediate), 0.02);
    EXPECT_LT(loss(intermediate), loss(beginner));
}
#endif

TEST(StrategyChart, RefusesPaytablesWithoutAStrategy) {
    const auto game = CreateDescription(0);
    EXPECT_THROW(GenerateChart(*game, {0, 0, 0, 0, 0, 0, 0, 0, 0}, 5), ERangeError);
    EXPECT_THROW(GenerateChart(*game, {4000, 250, 125, 45, 30, 20, 15, 10, -5}, 5), ERangeError);
    EXPECT_THROW(GenerateChart(*game, {4000, 250}, 5), ERangeError);
    std::atomic<bool> cancel{true};
    TChartOptions options;
    options.Cancel = &cancel;
    const TStrategyChart cancelled = GenerateChart(
        *CreateDescription(4), {4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}, 5, options);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_TRUE(cancelled.Lines.empty());
}

TEST(StrategyChart, LoadRefusesDamagedText) {
    const std::string good = "drawmentor-strategy-chart 3\ngame 0\nbet 5\nlevel 0\nwilds 0\n"
                             "pays 4000 250 125 45 30 20 15 10 5\n"
                             "return 99.5 99.54 99.5\ndeals 2598960 134459 0\nlines 2\n"
                             "2 44 1f 1f 0 0 452 1 1 0 0 0.5 18 1 c00447 0.25 0 12 11 10 9 8\n"
                             "1 0 1 1 0 0 0.5 0.3 0 -1 0 0 0 0 0\n";
    const TStrategyChart chart = LoadChart(good);
    ASSERT_EQ(chart.Lines.size(), 2u);
    EXPECT_EQ(chart.Level, TChartLevel::Beginner);
    EXPECT_EQ(chart.Lines[0].Key.substr(0, 7), "royal4|");
    EXPECT_EQ(chart.Lines[0].Also.size(), 1u);
    ASSERT_EQ(chart.Lines[0].Exceptions.size(), 1u);
    EXPECT_EQ(chart.Lines[0].Exceptions[0].Recovered, 0.25);
    const auto damaged = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_THROW(LoadChart(damaged("strategy-chart 3", "strategy-chart 2")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("level 0", "level 3")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("wilds 0", "wilds 1")), ERangeError); // no wild cards
    EXPECT_THROW(LoadChart(damaged("c00447 0.25", "c00447 1.25")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("18 1 c00447", "18 3 c00447")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("0 12 11 10 9 8", "0 12 11 10 9 9")), ERangeError); // 2 AS
    EXPECT_THROW(LoadChart(damaged("0 12 11 10 9 8", "32 12 11 10 9 8")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("\n2 44", "\n3 44")), ERangeError); // a part short
    EXPECT_THROW(LoadChart(damaged("game 0", "game 99")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("lines 2", "lines 3")), ERangeError);
    EXPECT_THROW(LoadChart(damaged("44 1f 1f", "44 1f 0f")), ERangeError); // variant not there
    EXPECT_THROW(LoadChart(damaged("44 1f", "4f 1f")), ERangeError);       // no such kind
    EXPECT_THROW(LoadChart(damaged("1 0 1 1 0 0", "1 44 1 1 0 0")), ERangeError); // no discard
    EXPECT_THROW(LoadChart(damaged("pays 4000", "pays -4000")), ERangeError);
    EXPECT_THROW(LoadChart(""), ERangeError);
}

} // namespace
} // namespace drawmentor
