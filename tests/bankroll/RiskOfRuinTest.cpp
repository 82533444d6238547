#include "bankroll/RiskOfRuin.h"
#include "bankroll/HandDistribution.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/Distributions.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace drawmentor {
namespace {

using testing::Deuces;
using testing::Jacks;
using testing::kDeucesFull;
using testing::kJacks96;

// Wins a coin with 0.6, loses it with 0.4: the gambler's ruin.
THandDistribution Coin() {
    return THandDistribution(1, {2}, {0.6L}, 0.4L);
}

// Bet 3 coins; a hand wins 6 or 1 or loses 2 or 3 coins, so ruin can land
// one, two or three coins below the last bet. Return 103.3 %.
THandDistribution Uneven() {
    return THandDistribution(3, {9, 4, 1}, {0.2L, 0.3L, 0.1L}, 0.4L);
}

// The plain walk: every amount the bankroll can hold, hand after hand, with
// nothing left out.
long double PlainRuin(const THandDistribution& hand, int64_t bankroll, int64_t hands) {
    std::vector<long double> alive(1, 1.0L); // alive[i]: holding bankroll + i - shift coins
    int64_t shift = 0;
    long double ruin = 0;
    for (int64_t n = 0; n < hands; ++n) {
        const int64_t least = hand.Outcomes().front().Net;
        const int64_t span = hand.Outcomes().back().Net - least;
        std::vector<long double> next(alive.size() + span, 0);
        for (size_t i = 0; i < alive.size(); ++i)
            for (const auto& outcome : hand.Outcomes()) {
                const int64_t coins = bankroll + static_cast<int64_t>(i) - shift + outcome.Net;
                const long double p = alive[i] * outcome.Probability;
                if (coins < hand.BetCoins())
                    ruin += p;
                else
                    next[i + outcome.Net - least] += p;
            }
        alive = std::move(next);
        shift -= least;
    }
    return ruin;
}

TEST(RiskOfRuin, AgreesWithThePlainWalk) {
    struct TCase {
        THandDistribution Hand;
        int64_t Bankroll;
        int64_t Hands;
    };
    for (const TCase& c : {TCase{Coin(), 5, 60}, TCase{Uneven(), 12, 150}, TCase{Jacks(), 50, 100},
                           TCase{Jacks(), 5, 30}}) {
        SCOPED_TRACE(c.Bankroll);
        const TRuin ruin = RiskOfRuin(c.Hand, c.Bankroll, c.Hands);
        const long double plain = PlainRuin(c.Hand, c.Bankroll, c.Hands);
        EXPECT_NEAR(static_cast<double>(ruin.Probability), static_cast<double>(plain),
                    static_cast<double>(ruin.ErrorBound + 1e-18L));
        EXPECT_GT(ruin.Probability, 0);
        EXPECT_LT(ruin.ErrorBound, 1e-12);
    }
    // A bankroll of one bet is lost by the first losing hand.
    EXPECT_NEAR(static_cast<double>(RiskOfRuin(Jacks(), 5, 1).Probability),
                static_cast<double>(Jacks().NothingProbability()), 1e-18);
}

// The backward walk over every bankroll gives, bankroll by bankroll, what
// the forward walk gives for each alone: on grids of one and several coins,
// with ruin landing one or more steps low, for bankrolls below a bet, within
// reach of the hands and far beyond them.
TEST(RiskOfRuin, TheCurveAgreesWithEachBankrollAlone) {
    struct TCase {
        THandDistribution Hand;
        std::vector<int64_t> Bankrolls;
        int64_t Hands;
    };
    for (const TCase& c :
         {TCase{Coin(), {0, 1, 2, 5, 30, 200}, 60}, TCase{Uneven(), {2, 3, 4, 12, 50, 7}, 150},
          TCase{Jacks(), {4, 5, 50, 400, 4000, 12000}, 10000},
          TCase{Deuces(), {5, 500, 4000, 5 * 1000000}, 5000}}) {
        SCOPED_TRACE(c.Hands);
        const TRuinCurve curve = RiskOfRuinCurve(c.Hand, c.Bankrolls, c.Hands);
        ASSERT_EQ(curve.Probability.size(), c.Bankrolls.size());
        EXPECT_LT(curve.ErrorBound, 1e-9); // the rounding of a probability near 1
        for (size_t i = 0; i < c.Bankrolls.size(); ++i) {
            const TRuin alone = RiskOfRuin(c.Hand, c.Bankrolls[i], c.Hands);
            EXPECT_NEAR(static_cast<double>(curve.Probability[i]),
                        static_cast<double>(alone.Probability),
                        static_cast<double>(curve.ErrorBound + alone.ErrorBound))
                << c.Bankrolls[i];
        }
    }
    // The long known answer is the unsanitized run's: under the sanitizers
    // the walks above reach the same code.
    if (DRAWMENTOR_SANITIZED) return;
    // 9/6 Jacks or Better over 100,000 hands: 800 bets are lost with about
    // two chances in three, as the command line's figure.
    const TRuinCurve jacks = RiskOfRuinCurve(Jacks(), {5 * 80, 5 * 800, 5 * 2400}, 100000);
    EXPECT_NEAR(static_cast<double>(jacks.Probability[1]), 0.6757974787611786, 1e-12);
    EXPECT_GT(jacks.Probability[0], jacks.Probability[1]);
    EXPECT_GT(jacks.Probability[1], jacks.Probability[2]);

    EXPECT_THROW(RiskOfRuinCurve(Jacks(), {4000}, kMaxRuinHands + 1), ERangeError);
    EXPECT_THROW(
        RiskOfRuinCurve(THandDistribution(5, {25001, 1}, {1e-4L, 0.5L}, 0.4999L), {5000}, 100000),
        ERangeError);
    std::atomic<bool> cancel{true};
    EXPECT_TRUE(RiskOfRuinCurve(Jacks(), {4000}, 1000, &cancel).Cancelled);
}

TEST(RiskOfRuin, LongRunKnownAnswers) {
    // The gambler's ruin: (0.4 / 0.6)^B exactly.
    for (int64_t bankroll : {1, 5, 40}) {
        const TLongRunRuin ruin = LongRunRiskOfRuin(Coin(), bankroll);
        ASSERT_EQ(ruin.Kind, TLongRunRuin::TKind::Computed);
        EXPECT_NEAR(static_cast<double>(ruin.Probability / std::pow(2.0L / 3, bankroll)), 1, 1e-15)
            << bankroll;
    }
    // Full-pay Deuces Wild returns more than 100 %: some bankrolls survive for
    // ever. A hand loses one bet at most, so the chance for one bet is the root
    // x < 1 of E[x^X] = 1, and B bets are lost with x^B.
    const TLongRunRuin one = LongRunRiskOfRuin(Deuces(), 5);
    ASSERT_EQ(one.Kind, TLongRunRuin::TKind::Computed);
    EXPECT_GT(one.Probability, 0.99);
    EXPECT_LT(one.Probability, 1);
    long double moment = 0;
    for (const auto& outcome : Deuces().Outcomes())
        moment += outcome.Probability * std::pow(one.Probability, outcome.Net / 5);
    EXPECT_NEAR(static_cast<double>(moment), 1, 1e-17);
    const TLongRunRuin many = LongRunRiskOfRuin(Deuces(), 5 * 4000);
    EXPECT_NEAR(static_cast<double>(many.Probability / std::pow(one.Probability, 4000)), 1, 1e-13);

    // 9/6 Jacks or Better returns less than 100 %: every bankroll goes.
    const TLongRunRuin jacks = LongRunRiskOfRuin(Jacks(), 5 * 100000);
    EXPECT_EQ(jacks.Kind, TLongRunRuin::TKind::Certain);
    EXPECT_EQ(jacks.Probability, 1);
    // Exactly 100 %: the walk has no drift, and ruin is certain too.
    EXPECT_EQ(LongRunRiskOfRuin(THandDistribution(1, {2}, {0.5L}, 0.5L), 30).Kind,
              TLongRunRuin::TKind::Certain);
}

TEST(RiskOfRuin, FiniteSessionsClimbToTheLongRun) {
    struct TCase {
        THandDistribution Hand;
        int64_t Bankroll;
        // Left after 100,000 hands. Deuces Wild's drift is small against its
        // spread: ruin can still come after hundreds of thousands of hands.
        long double Tolerance;
    };
    for (const TCase& c :
         {TCase{Coin(), 10, 1e-15L}, TCase{Uneven(), 30, 1e-12L}, TCase{Deuces(), 5 * 20, 1e-2L}}) {
        SCOPED_TRACE(c.Bankroll);
        const long double longRun = LongRunRiskOfRuin(c.Hand, c.Bankroll).Probability;
        long double previous = 0;
        // Under the sanitizers the climb is checked, the arrival is not.
        for (int64_t hands : {10, 100, 1000, 10000, 100000}) {
            if (DRAWMENTOR_SANITIZED && hands > 1000) break;
            const TRuin ruin = RiskOfRuin(c.Hand, c.Bankroll, hands);
            EXPECT_GE(ruin.Probability, previous) << hands;
            EXPECT_LE(ruin.Probability, longRun + ruin.ErrorBound) << hands;
            previous = ruin.Probability;
        }
        if (!DRAWMENTOR_SANITIZED) {
            EXPECT_NEAR(static_cast<double>(previous), static_cast<double>(longRun),
                        static_cast<double>(c.Tolerance));
        }
    }
}

TEST(RiskOfRuin, TheTopLineWait) {
    const long double p = Jacks().LineProbability()[0];
    const TTopLineWait wait = TopLineWait(Jacks(), 40000);
    EXPECT_EQ(wait.Line, 0);
    EXPECT_EQ(wait.Pay, 4000);
    EXPECT_EQ(wait.Probability, p);
    EXPECT_NEAR(static_cast<double>(wait.MeanHands), 40390.55, 0.01);
    // The median: the first count of hands whose chance of a royal reaches one half.
    EXPECT_LT(std::pow(1 - p, wait.MedianHands), 0.5L);
    EXPECT_GE(std::pow(1 - p, wait.MedianHands - 1), 0.5L);
    EXPECT_NEAR(static_cast<double>(wait.NoneWithin), static_cast<double>(std::pow(1 - p, 40000)),
                1e-15);
    // Without the royal, 40,000 hands of 9/6 Jacks cost about 2 % of the coins bet.
    const long double without = wait.MeanResultWithout / (5 * 40000);
    EXPECT_NEAR(static_cast<double>(without),
                static_cast<double>((Jacks().Mean() - p * 3995) / (1 - p) / 5), 1e-15);
    EXPECT_NEAR(static_cast<double>(without), -0.0244, 0.0005);

    const TTopLineWait none = TopLineWait(THandDistribution(5, {0}, {0.5L}, 0.5L), 100);
    EXPECT_EQ(none.Line, -1);
    EXPECT_TRUE(std::isinf(none.MeanHands));
    EXPECT_EQ(none.NoneWithin, 1);
    EXPECT_EQ(none.MeanResultWithout, -500);
}

TEST(RiskOfRuin, EdgesAndBadInput) {
    EXPECT_THROW(RiskOfRuin(Jacks(), 4000, kMaxRuinHands + 1), ERangeError);
    // Hands and bankrolls out of range, a bankroll near the end of 64 bits
    // among them, are refused before any amount is followed.
    const int64_t huge = std::numeric_limits<int64_t>::max() - 2;
    for (int64_t hands : {int64_t{-1}, int64_t{0}}) {
        EXPECT_THROW(RiskOfRuin(Jacks(), 4000, hands), ERangeError);
        EXPECT_THROW(RiskOfRuinCurve(Jacks(), {5, 50}, hands), ERangeError);
        EXPECT_THROW(TopLineWait(Jacks(), hands), ERangeError);
    }
    for (int64_t coins : {int64_t{-5}, 5 * kMaxBankrollBets + 1, huge}) {
        EXPECT_THROW(RiskOfRuin(Jacks(), coins, 1000), ERangeError);
        EXPECT_THROW(RiskOfRuinCurve(Jacks(), {4000, coins}, 1000), ERangeError);
        EXPECT_THROW(LongRunRiskOfRuin(Deuces(), coins), ERangeError);
    }
    // Less than a bet: lost before the first hand.
    EXPECT_EQ(RiskOfRuin(Jacks(), 4, 10).Probability, 1);
    EXPECT_EQ(LongRunRiskOfRuin(Deuces(), 4).Kind, TLongRunRuin::TKind::Certain);
    // A table that pays nothing: lost in exactly as many hands as bets.
    const THandDistribution nothing(5, {0}, {0.5L}, 0.5L);
    EXPECT_EQ(RiskOfRuin(nothing, 50, 9).Probability, 0);
    EXPECT_EQ(RiskOfRuin(nothing, 50, 10).Probability, 1);
    // A table on which no hand loses.
    const THandDistribution winner(1, {1, 3}, {0.5L, 0.5L}, 0);
    EXPECT_EQ(RiskOfRuin(winner, 1, 1000).Probability, 0);
    EXPECT_EQ(LongRunRiskOfRuin(winner, 1).Kind, TLongRunRuin::TKind::Impossible);
    // A bankroll far beyond what the hands can lose is safe at once.
    EXPECT_LE(RiskOfRuin(Jacks(), 5 * 1000000, 100000).Probability, 1e-18);
    // Wide wins on a fine grid with a losing drift: too much to follow.
    EXPECT_THROW(RiskOfRuin(THandDistribution(5, {25001, 1}, {1e-4L, 0.5L}, 0.4999L), 5000, 100000),
                 ERangeError);

    std::atomic<bool> cancel{true};
    EXPECT_TRUE(RiskOfRuin(Jacks(), 4000, 1000, &cancel).Cancelled);
    EXPECT_TRUE(LongRunRiskOfRuin(Deuces(), 4000, &cancel).Cancelled);
}

} // namespace
} // namespace drawmentor

namespace drawmentor {
namespace {

// A hand of 98 % (bet 5, 10 back with 0.49) with 5 % back returns 103 %:
// the rebate of a quarter coin puts the grid at quarters, a loss falls 19 of
// them, and some bankrolls survive for ever. Without end is where a long
// session's risk climbs to.
TEST(RiskOfRuin, CashbackOnAQuarterCoinGrid) {
    const THandDistribution hand(5, {10}, {0.49L}, 0.51L);
    const TRebatedHand rebated = WithCashback(hand, 500);
    EXPECT_EQ(rebated.Scale, 4);
    EXPECT_EQ(rebated.Hand.BetCoins(), 20);
    EXPECT_EQ(rebated.Hand.Outcomes().front().Net, -19);
    EXPECT_NEAR(static_cast<double>(rebated.Hand.Mean()), 4 * (-0.1 + 0.25), 1e-15);
    for (int64_t bets : {1, 10, 40}) {
        if (DRAWMENTOR_SANITIZED && bets > 1) break;
        const TLongRunRuin longRun = LongRunRiskOfRuin(rebated.Hand, 20 * bets);
        ASSERT_EQ(longRun.Kind, TLongRunRuin::TKind::Computed);
        const TRuin within = RiskOfRuin(rebated.Hand, 20 * bets, 40000);
        EXPECT_LE(within.Probability, longRun.Probability + 1e-15L) << bets;
        EXPECT_NEAR(static_cast<double>(within.Probability),
                    static_cast<double>(longRun.Probability), 1e-9)
            << bets;
    }
    EXPECT_EQ(WithCashback(hand, 0).Scale, 1);
    EXPECT_THROW(WithCashback(hand, -1), ERangeError);
}

} // namespace
} // namespace drawmentor
