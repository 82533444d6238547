#include "bankroll/SessionDistribution.h"
#include "bankroll/HandDistribution.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/Distributions.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <random>

namespace drawmentor {
namespace {

using testing::Deuces;
using testing::Jacks;
using testing::JacksAnalysis;
using testing::kDeucesFull;
using testing::kJacks96;

// A hand small enough to convolve by hand: bet 1, wins +2 (0.2), pushes
// (0.3), loses (0.5).
THandDistribution Small() {
    return THandDistribution(1, {3, 1}, {0.2L, 0.3L}, 0.5L);
}

// The session by plain repeated convolution, every product of positive terms
// kept in extended precision: the reference for the transform.
struct TDense {
    int64_t Step = 1;
    int64_t First = 0; // in steps
    std::vector<long double> P{1.0L};

    long double At(int64_t coins) const {
        if (coins % Step != 0) return 0;
        const int64_t i = coins / Step - First;
        return i >= 0 && i < static_cast<int64_t>(P.size()) ? P[i] : 0;
    }
};

TDense Direct(const std::vector<TSessionPart>& parts) {
    TDense total;
    total.Step = 0;
    for (const auto& part : parts) total.Step = std::gcd(total.Step, part.Hand->Step());
    for (const auto& part : parts) {
        const auto& outcomes = part.Hand->Outcomes();
        const int64_t least = outcomes.front().Net / total.Step;
        const int64_t span = outcomes.back().Net / total.Step - least;
        for (int64_t n = 0; n < part.Hands; ++n) {
            std::vector<long double> next(total.P.size() + span, 0);
            for (size_t i = 0; i < total.P.size(); ++i)
                for (const auto& outcome : outcomes)
                    next[i + outcome.Net / total.Step - least] += total.P[i] * outcome.Probability;
            total.P = std::move(next);
            total.First += least;
        }
    }
    return total;
}

void ExpectMatchesDirect(const std::vector<TSessionPart>& parts) {
    const TSessionDistribution session = SessionDistribution(parts);
    const TDense direct = Direct(parts);
    ASSERT_EQ(session.Step, direct.Step);
    long double worst = 0;
    for (size_t i = 0; i < session.Probability.size(); ++i)
        worst = std::max(worst, std::fabs(session.Probability[i] - direct.At(session.ResultAt(i))));
    // Results left off the grid must be within the bound too.
    const int64_t first = session.ResultAt(0);
    const int64_t last = session.ResultAt(session.Probability.size() - 1);
    for (size_t i = 0; i < direct.P.size(); ++i) {
        const int64_t coins = (direct.First + static_cast<int64_t>(i)) * direct.Step;
        if (coins < first || coins > last) worst = std::max(worst, direct.P[i]);
    }
    EXPECT_LE(worst, session.ErrorBound);
    EXPECT_LT(session.ErrorBound, 1e-15);
}

TEST(HandDistribution, AgreesWithTheWholePaytableReturn) {
    const TPaytableReturn& analysis = JacksAnalysis();
    const THandDistribution& hand = Jacks();
    long double total = 0;
    for (const auto& outcome : hand.Outcomes()) total += outcome.Probability;
    EXPECT_NEAR(static_cast<double>(total), 1.0, 1e-18);
    // In bets: the return less the stake, and the very variance the return reports.
    EXPECT_NEAR(static_cast<double>(hand.Mean() / 5),
                static_cast<double>(analysis.ReturnPercent / 100 - 1), 1e-17);
    EXPECT_NEAR(static_cast<double>(hand.Variance() / 25), static_cast<double>(analysis.Variance),
                1e-14);
    EXPECT_EQ(hand.Step(), 5);
    EXPECT_EQ(hand.Outcomes().front().Net, -5);
    EXPECT_EQ(hand.Outcomes().back().Net, 3995);
    EXPECT_EQ(hand.Outcomes().size(), 10u); // nine lines, nothing, and the push of a high pair
    EXPECT_EQ(hand.TopLine(), 0);
    EXPECT_EQ(hand.TopLineProbability(), analysis.LineProbability[0]);

    // Deuces Wild: three of a kind pushes, a flush and a straight both pay 10:
    // nine distinct pays and nothing.
    EXPECT_EQ(Deuces().Outcomes().size(), 10u);
    EXPECT_GT(Deuces().Mean(), 0);
}

TEST(HandDistribution, RefusesWhatIsNoDistribution) {
    EXPECT_THROW(THandDistribution(0, {3}, {0.5L}, 0.5L), ERangeError);
    EXPECT_THROW(THandDistribution(1, {3}, {0.5L}, 0.4L), ERangeError);
    EXPECT_THROW(THandDistribution(1, {-3}, {0.5L}, 0.5L), ERangeError);
    EXPECT_THROW(THandDistribution(1, {3, 2}, {0.5L}, 0.5L), ERangeError);
    EXPECT_THROW(THandDistribution(1, {3}, {-0.5L}, 1.5L), ERangeError);
    TPaytableReturn cancelled;
    cancelled.Cancelled = true;
    EXPECT_THROW(HandDistributionOf(cancelled, {}, 5), ERangeError);
    // Lines that pay nothing lose the bet; a table without pays has one result.
    const THandDistribution none(5, {0, 0}, {0.25L, 0.25L}, 0.5L);
    ASSERT_EQ(none.Outcomes().size(), 1u);
    EXPECT_EQ(none.Outcomes()[0].Net, -5);
    EXPECT_EQ(none.Step(), 5);
    EXPECT_EQ(none.TopLine(), -1);
}

TEST(SessionDistribution, OneAndTwoHandsByHand) {
    const THandDistribution hand = Small();
    const TSessionDistribution one = SessionDistribution(hand, 1);
    ASSERT_EQ(one.Probability.size(), 4u); // -1, 0, 1 (impossible), 2
    EXPECT_EQ(one.ResultAt(0), -1);
    EXPECT_NEAR(one.Probability[0], 0.5, 1e-16);
    EXPECT_NEAR(one.Probability[1], 0.3, 1e-16);
    EXPECT_NEAR(one.Probability[2], 0.0, 1e-16);
    EXPECT_NEAR(one.Probability[3], 0.2, 1e-16);

    const TSessionDistribution two = SessionDistribution(hand, 2);
    const std::map<int64_t, double> expected = {{-2, 0.25}, {-1, 0.30}, {0, 0.09},
                                                {1, 0.20},  {2, 0.12},  {4, 0.04}};
    ASSERT_EQ(two.ResultAt(0), -2);
    ASSERT_EQ(two.ResultAt(two.Probability.size() - 1), 4);
    for (size_t i = 0; i < two.Probability.size(); ++i) {
        const auto found = expected.find(two.ResultAt(i));
        EXPECT_NEAR(two.Probability[i], found == expected.end() ? 0.0 : found->second, 1e-16)
            << two.ResultAt(i);
    }
    EXPECT_NEAR(static_cast<double>(two.Mean), -0.2, 1e-16);

    // Standing and quantiles of the same two hands.
    EXPECT_EQ(two.Quantile(0.05L), -2);
    EXPECT_EQ(two.Quantile(0.5L), -1);
    EXPECT_EQ(two.Quantile(0.95L), 2);
    const auto standing = two.StandingOf(0);
    EXPECT_NEAR(static_cast<double>(standing.Below), 0.55, 1e-15);
    EXPECT_NEAR(static_cast<double>(standing.Equal), 0.09, 1e-15);
    EXPECT_NEAR(static_cast<double>(standing.Percentile), 59.5, 1e-13);
    EXPECT_NEAR(static_cast<double>(two.StandingOf(3).Below), 0.96, 1e-15);
    EXPECT_EQ(two.StandingOf(3).Equal, 0);
    EXPECT_NEAR(static_cast<double>(two.StandingOf(100).Percentile), 100, 1e-13);
}

TEST(SessionDistribution, TheTransformAgreesWithPlainConvolutionWithinItsBound) {
    ExpectMatchesDirect({{&Jacks(), 1}});
    ExpectMatchesDirect({{&Jacks(), 40}});
    // A hand that loses more than one step of the grid, and a push.
    const THandDistribution odd(3, {7, 3, 1}, {0.1L, 0.2L, 0.3L}, 0.4L);
    ExpectMatchesDirect({{&odd, 300}});
    // Two paytables and a third part on a finer grid (one coin at a time).
    const THandDistribution coin(1, {250, 50, 25, 9, 6, 4, 3, 2, 1}, Jacks().LineProbability(),
                                 Jacks().NothingProbability());
    ExpectMatchesDirect({{&Jacks(), 20}, {&Deuces(), 15}, {&coin, 10}});
    EXPECT_EQ(SessionDistribution({{&Jacks(), 20}, {&coin, 10}}).Step, 1);
}

TEST(SessionDistribution, ManyHandsKeepTheExactMomentsAndTheWholeMass) {
    for (int64_t hands : {1000, 100000}) {
        const TSessionDistribution session = SessionDistribution(Jacks(), hands);
        long double total = 0, mean = 0, square = 0;
        for (size_t i = 0; i < session.Probability.size(); ++i) {
            const long double x = static_cast<long double>(session.ResultAt(i));
            total += session.Probability[i];
            mean += session.Probability[i] * x;
            square += session.Probability[i] * x * x;
        }
        const long double variance = square - mean * mean;
        EXPECT_NEAR(static_cast<double>(total), 1, 1e-12) << hands;
        EXPECT_NEAR(static_cast<double>(mean / session.Mean), 1, 1e-9) << hands;
        EXPECT_NEAR(static_cast<double>(variance / session.Variance), 1, 1e-9) << hands;
        EXPECT_LT(session.ErrorBound, 2e-16) << hands;
    }
}

// Sessions drawn hand by hand from the one-hand distribution, with a fixed
// seed: the share of sessions at or below each quantile is within four and a
// half standard errors of the exact chance.
TEST(SessionDistribution, AgreesWithASimulation) {
    constexpr int64_t kHands = 200;
    constexpr int kSessions = 20000;
    const TSessionDistribution session = SessionDistribution(Jacks(), kHands);
    std::vector<long double> cumulative;
    for (const auto& outcome : Jacks().Outcomes())
        cumulative.push_back((cumulative.empty() ? 0 : cumulative.back()) + outcome.Probability);
    std::mt19937_64 random(20240611);
    std::vector<int64_t> results;
    for (int s = 0; s < kSessions; ++s) {
        int64_t total = 0;
        for (int64_t n = 0; n < kHands; ++n) {
            const long double u = static_cast<long double>(random() >> 11) / 9007199254740992.0L;
            size_t j = 0;
            while (j + 1 < cumulative.size() && u >= cumulative[j]) ++j;
            total += Jacks().Outcomes()[j].Net;
        }
        results.push_back(total);
    }
    for (long double q : {0.05L, 0.25L, 0.5L, 0.75L, 0.95L}) {
        const int64_t x = session.Quantile(q);
        const auto standing = session.StandingOf(x);
        const long double exact = standing.Below + standing.Equal;
        const double seen = static_cast<double>(std::count_if(results.begin(), results.end(),
                                                              [&](int64_t r) { return r <= x; })) /
                            kSessions;
        const double error = std::sqrt(static_cast<double>(exact * (1 - exact)) / kSessions);
        EXPECT_NEAR(seen, static_cast<double>(exact), 4.5 * error) << static_cast<double>(q);
    }
}

TEST(SessionDistribution, EdgesAndCancellation) {
    // A paytable of a log may have no hands among others, a session not.
    const TSessionDistribution none = SessionDistribution({{&Jacks(), 0}});
    ASSERT_EQ(none.Probability.size(), 1u);
    EXPECT_EQ(none.ResultAt(0), 0);
    EXPECT_THROW(SessionDistribution(Jacks(), 0), ERangeError);
    EXPECT_THROW(SessionDistribution(Jacks(), -1), ERangeError);
    EXPECT_THROW(SessionDistribution(std::vector<TSessionPart>{}), ERangeError);
    EXPECT_THROW(SessionDistribution({{nullptr, 3}}), ERangeError);
    // Pays far apart on a one-coin grid over many hands outgrow any grid.
    const THandDistribution wide(1, {99999}, {0.5L}, 0.5L);
    EXPECT_THROW(SessionDistribution(wide, 10000000), ERangeError);

    std::atomic<bool> cancel{true};
    EXPECT_TRUE(SessionDistribution(Jacks(), 1000, &cancel).Cancelled);
}

} // namespace
} // namespace drawmentor
