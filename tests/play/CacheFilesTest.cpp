#include "play/ChartCache.h"
#include "play/ReturnCache.h"

#include "core/FileIo.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"
#include "support/JacksChart.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace drawmentor {
namespace {

using testing::JacksChart;
using testing::kJacks96;

TEST(ReturnCache, KeepsResultsAcrossRunsAndSurvivesDamage) {
    const std::string path = ::testing::TempDir() + "dm-return-cache/ReturnCache.txt";
    std::filesystem::remove_all(::testing::TempDir() + "dm-return-cache");
    // A real analysis: its figures must pass the reader's checks to the last digit.
    const TPaytableReturn result = AnalyzePaytable(*CreateDescription(0), kJacks96, 5);
    {
        TReturnCache cache(path);
        EXPECT_FALSE(cache.Find(0, 5, kJacks96));
        cache.Store(0, 5, kJacks96, result);
        cache.Store(0, 5, kJacks96, result); // replaces, no duplicate
    }
    TReturnCache again(path);
    EXPECT_TRUE(again.Notice().empty()) << again.Notice();
    const auto found = again.Find(0, 5, kJacks96);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->ReturnPercent, result.ReturnPercent);
    EXPECT_EQ(found->LineProbability, result.LineProbability);
    EXPECT_EQ(found->DealVariance, result.DealVariance);
    EXPECT_FALSE(again.Find(0, 1, kJacks96)); // another bet
    EXPECT_FALSE(again.Find(6, 5, kJacks96)); // another game
    // The last line is one of a program that kept no deal variance.
    std::ofstream(path, std::ios::app) << "0 5 1 2 3|12 x\ngarbage\n"
                                       << "0 1 1 2 3|2598960 134459 99 19 0.5 1 0.5\n";
    TReturnCache damaged(path);
    EXPECT_TRUE(damaged.Find(0, 5, kJacks96));
    EXPECT_FALSE(damaged.Find(0, 5, {1, 2, 3}));
    EXPECT_FALSE(damaged.Find(0, 1, {1, 2, 3}));
}

class ChartCacheTest : public ::testing::Test {
  protected:
    ChartCacheTest() {
        char pattern[] = "/tmp/chart-cache-XXXXXX";
        folder = mkdtemp(pattern);
    }
    ~ChartCacheTest() override { std::filesystem::remove_all(folder); }
    std::string folder;
};

TEST_F(ChartCacheTest, KeepsEachPaytableApartAndIgnoresDamage) {
    TChartCache cache(folder + "/Charts");
    EXPECT_FALSE(cache.Find(0, 5, kJacks96));
    cache.Store(JacksChart());
    const auto found = cache.Find(0, 5, kJacks96);
    ASSERT_TRUE(found);
    EXPECT_EQ(SaveChart(*found), SaveChart(JacksChart()));
    EXPECT_FALSE(cache.Find(0, 4, kJacks96));
    std::vector<int> other = kJacks96;
    other[5] = 25;
    EXPECT_FALSE(cache.Find(0, 5, other));
    EXPECT_NE(cache.PathOf(0, 5, other), cache.PathOf(0, 5, kJacks96));
    // A chart of other pays in this paytable's file is not this paytable's.
    TStrategyChart moved = JacksChart();
    moved.Pays = other;
    WriteFileAtomically(cache.PathOf(0, 5, kJacks96), SaveChart(moved));
    EXPECT_FALSE(cache.Find(0, 5, kJacks96));
    WriteFileAtomically(cache.PathOf(0, 5, kJacks96), "drawmentor-strategy-chart 2\ngame 0\n");
    EXPECT_FALSE(cache.Find(0, 5, kJacks96));
    // A whole chart of an older version stores classes it meant otherwise.
    std::string older = SaveChart(JacksChart());
    older.replace(older.find(" 3\n"), 3, " 2\n");
    WriteFileAtomically(cache.PathOf(0, 5, kJacks96), older);
    EXPECT_FALSE(cache.Find(0, 5, kJacks96));

    // Damage that still parses: a last line that no longer takes the discard
    // of all five cards (hands without a play), figures no chart can have.
    const std::string good = SaveChart(JacksChart());
    const auto damaged = [&](const std::string& from, const std::string& to, bool last) {
        std::string text = good;
        const size_t at = last ? text.rfind(from) : text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        WriteFileAtomically(cache.PathOf(0, 5, kJacks96), text);
        return cache.Find(0, 5, kJacks96).has_value();
    };
    EXPECT_FALSE(damaged("\n1 0 1 1 0 0 ", "\n1 0 2 2 0 0 ", true));
    EXPECT_FALSE(damaged("deals 2598960 ", "deals 99999999999999 ", false));
    EXPECT_FALSE(damaged("return ", "return 1" + std::string(250, '9') + " ", false));
    EXPECT_FALSE(damaged("deals 2598960 ", "deals -5 ", false));
}

} // namespace
} // namespace drawmentor
