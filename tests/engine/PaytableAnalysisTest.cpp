#include "engine/PaytableAnalysis.h"
#include "engine/BestHolds.h"
#include "engine/ReturnJob.h"

#include "cards/Cards.h"
#include "core/Error.h"
#include "engine/Calculator.h"
#include "engine/EngineFactory.h"
#include "games/Catalogue.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

namespace drawmentor {
namespace {

using testing::kDeucesFull;
using testing::kJacks96;

std::string HandText(const std::array<int, kHandSize>& codes) {
    std::string text;
    for (int code : codes) text += CardCodeText(code) + " ";
    return text;
}

TPaytableReturn Analyze(int game, const std::vector<int>& pays, int threads = 0) {
    TAnalysisOptions options;
    options.Threads = threads;
    return AnalyzePaytable(*CreateDescription(game), pays, 5, options);
}

TEST(DealClasses, WeightsCoverEveryDeal) {
    for (int jokers = 0; jokers <= 2; ++jokers) {
        const auto classes = DealClasses(jokers);
        int64_t deals = 0;
        for (const auto& entry : classes) {
            deals += entry.Weight;
            EXPECT_GT(entry.Weight, 0);
        }
        EXPECT_EQ(deals, Binomial(5, 52 + jokers)) << jokers;
        if (jokers == 0) {
            EXPECT_EQ(classes.size(), 134459u); // the known number of suit classes
        }
        // The analysis visits every class once, each rank pattern in one run.
        const auto order = RankPatternOrder(classes);
        ASSERT_EQ(order.size(), classes.size());
        std::vector<bool> seen(classes.size());
        for (size_t i = 0; i < order.size(); ++i) {
            ASSERT_FALSE(seen.at(order[i])) << order[i];
            seen[order[i]] = true;
            if (i > 0) {
                ASSERT_LE(TBestHolds::RankKey(classes[order[i - 1]].Codes),
                          TBestHolds::RankKey(classes[order[i]].Codes));
            }
        }
    }
}

// Published optimal-play returns, to their four decimals.
TEST(PaytableReturn, KnownAnswers) {
    const auto jacks = Analyze(0, kJacks96);
    EXPECT_NEAR(static_cast<double>(jacks.ReturnPercent), 99.5439, 0.00005);
    EXPECT_EQ(jacks.Deals, 2598960);
    const auto deuces = Analyze(4, kDeucesFull);
    EXPECT_NEAR(static_cast<double>(deuces.ReturnPercent), 100.7620, 0.00005);
    // Every final hand is some line or nothing.
    for (const auto& result : {jacks, deuces}) {
        long double total = result.NothingProbability;
        for (long double p : result.LineProbability) total += p;
        EXPECT_NEAR(static_cast<double>(total), 1.0, 1e-15);
        EXPECT_GT(result.Variance, 0);
    }
    // The royal of 9/6 Jacks comes about once in 40,000 hands with perfect play.
    EXPECT_NEAR(static_cast<double>(1 / jacks.LineProbability[0]), 40391, 1);
    // The hands of a deal share its cards: each pair of them covaries by the
    // deal variance, so a deal of n spreads by n + n (n - 1) of it, not n squared.
    EXPECT_NEAR(static_cast<double>(DealDeviation(jacks, 5)), 11.7005, 5e-5);
    EXPECT_NEAR(static_cast<double>(DealDeviation(jacks, 100)), 146.3513, 5e-5);
}

// Published returns (two decimals) of 10/6, 9/6, 9/5 and 8/5 Double Double
// Bonus and 9/7 Triple Double Bonus, five coins.
TEST(PaytableReturn, KickerGamesKnownAnswers) {
    const auto percent = [](int game, const std::vector<int>& pays) {
        return static_cast<double>(Analyze(game, pays).ReturnPercent);
    };
    const int ddb[][3] = {{10, 6, 10007}, {9, 6, 9898}, {9, 5, 9787}, {8, 5, 9679}};
    for (const auto& [fh, fl, published] : ddb)
        EXPECT_NEAR(
            percent(35, {4000, 250, 2000, 800, 800, 400, 250, 5 * fh, 5 * fl, 20, 15, 5, 5}),
            published / 100.0, 0.005);
    EXPECT_NEAR(percent(36, {4000, 250, 4000, 2000, 800, 400, 250, 45, 35, 20, 10, 5, 5}), 99.58,
                0.005);
}

TEST(PaytableReturn, TheNumberOfThreadsChangesNothing) {
    const auto one = Analyze(3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}, 1);
    const auto two = Analyze(3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}, 3);
    EXPECT_EQ(one.ReturnPercent, two.ReturnPercent); // exact sums: bit for bit
    EXPECT_EQ(one.Variance, two.Variance);
    EXPECT_EQ(one.LineProbability, two.LineProbability);
    EXPECT_EQ(one.Deals, Binomial(5, 53));
}

// The deal variance from the exact integer sums against the same figure
// formed in floating point from each deal's best expected pay, on a spread
// of classes of a natural and a wild deck.
TEST(PaytableReturn, DealVarianceMatchesTheBestHoldsOfEachDeal) {
    for (const auto& [gameIndex, pays] : {std::pair{0, kJacks96}, std::pair{4, kDeucesFull}}) {
        const auto game = CreateDescription(gameIndex);
        const auto all = DealClasses(game->Jokers);
        std::vector<TDealClass> some;
        for (size_t i = 0; i < all.size(); i += 509) some.push_back(all[i]);
        const auto result = AnalyzeDealClasses(*game, pays, 5, some);

        TCalculator calculator;
        auto engine = CreateEngine(*game, calculator);
        TPayout payout;
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
        long double weights = 0, sum = 0, squares = 0;
        for (const auto& entry : some) {
            engine->DealCodes(entry.Codes);
            const long double expected = engine->DrawReturn(engine->GetTheBest()) / 5;
            weights += entry.Weight;
            sum += entry.Weight * expected;
            squares += entry.Weight * expected * expected;
        }
        const long double mean = sum / weights;
        EXPECT_EQ(result.Deals, static_cast<int64_t>(weights));
        EXPECT_NEAR(static_cast<double>(result.ReturnPercent), static_cast<double>(100 * mean),
                    1e-9);
        EXPECT_NEAR(static_cast<double>(result.DealVariance),
                    static_cast<double>(squares / weights - mean * mean), 1e-9)
            << "game " << gameIndex;
        // Drawing adds spread to every deal, never takes it away.
        EXPECT_GT(result.DealVariance, 0);
        EXPECT_LT(result.DealVariance, result.Variance);
    }
}

// Whole rank patterns of a natural, a deuces and a two-joker deck, every suit
// class in a row as the analysis feeds them, against GetTheBest on a fresh
// engine: the holds taken from an earlier deal of the pattern must be the
// ones this deal would count, and ties must still go to the lowest mask of
// the dealt order (the cards are also fed reversed).
// One key per multiset of ranks: suits and order aside, jokers alike.
TEST(BestHolds, RankKeyNamesTheRankPattern) {
    const auto key = [](std::array<int, kHandSize> codes) { return TBestHolds::RankKey(codes); };
    EXPECT_EQ(key({0, 13, 27, 40, 52}), key({53, 1, 39, 26, 14}));
    EXPECT_EQ(key({0, 1, 2, 3, 4}), key({17, 16, 15, 14, 13}));
    EXPECT_NE(key({0, 13, 1, 2, 3}), key({0, 1, 14, 2, 3}));
    EXPECT_NE(key({0, 1, 2, 3, 52}), key({0, 1, 2, 3, 4}));
    EXPECT_NE(key({12, 25, 38, 51, 0}), key({12, 25, 38, 0, 13}));
}

TEST(BestHolds, MatchTheFullCountOnEveryDealOfAPattern) {
    const std::vector<int> doubleJoker = {4000, 500, 250, 125, 45, 25, 20, 15, 10, 5};
    for (const auto& [gameIndex, pays] :
         {std::pair{0, kJacks96}, std::pair{4, kDeucesFull}, std::pair{8, doubleJoker}}) {
        const auto game = CreateDescription(gameIndex);
        const auto all = DealClasses(game->Jokers);
        std::vector<TDealClass> classes;
        for (const uint32_t i : RankPatternOrder(all)) classes.push_back(all[i]);
        TPayout payout;
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        TCalculator calculator, reference;
        auto shared = CreateEngine(*game, calculator);
        auto full = CreateEngine(*game, reference);
        shared->SetPayout(&payout);
        full->SetPayout(&payout);
        TBestHolds holds(*shared);
        int patterns = 0, deals = 0;
        uint32_t key = ~0u;
        for (const auto& entry : classes) {
            if (TBestHolds::RankKey(entry.Codes) != key) {
                key = TBestHolds::RankKey(entry.Codes);
                ++patterns;
            }
            if (patterns % 37 != 1) continue;
            for (const bool reversed : {false, true}) {
                auto codes = entry.Codes;
                if (reversed) std::reverse(codes.begin(), codes.end());
                holds.Deal(codes);
                full->DealCodes(codes);
                const int best = full->GetTheBest();
                ASSERT_EQ(holds.Mask(), best) << game->Name << ": " << HandText(codes);
                for (int line = 0; line <= full->LastLine(); ++line)
                    ASSERT_EQ(holds.Lines()[line], full->LineCounts(best)[line])
                        << game->Name << ": " << HandText(codes) << " line " << line;
                ASSERT_EQ(holds.Unpaid(), full->UnpaidCount(best)) << HandText(codes);
                ++deals;
            }
        }
        EXPECT_GT(deals, 2000) << game->Name;
    }
}

TEST(PaytableReturn, CancelStopsEarly) {
    std::atomic<bool> cancel{false};
    TAnalysisOptions options;
    options.Cancel = &cancel;
    options.Progress = [&](int64_t, int64_t) { cancel = true; };
    const auto result = AnalyzePaytable(*CreateDescription(0), kJacks96, 5, options);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_THROW(AnalyzePaytable(*CreateDescription(0), {1, 2, 3}, 5), ERangeError);
}

TEST(ReturnJob, RunsInTheBackgroundAndCanBeAbandoned) {
    TReturnJob job(0, kJacks96, 5);
    const auto result = job.Result();
    EXPECT_TRUE(job.Finished());
    EXPECT_EQ(job.Progress(), 1.0);
    EXPECT_NEAR(static_cast<double>(result.ReturnPercent), 99.5439, 0.00005);
    {
        TReturnJob abandoned(4, kDeucesFull, 5); // destroyed while running: cancelled, joined
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_LT(abandoned.Progress(), 1.0);
    }
    TReturnJob bad(kCatalogueSize, kJacks96, 5);
    EXPECT_THROW(bad.Result(), ERangeError);
}

} // namespace
} // namespace drawmentor
