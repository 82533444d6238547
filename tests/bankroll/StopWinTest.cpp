#include "bankroll/StopWin.h"

#include "bankroll/BankrollForRisk.h"
#include "bankroll/HandDistribution.h"
#include "bankroll/RiskOfRuin.h"
#include "core/Error.h"
#include "support/Distributions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

namespace drawmentor {
namespace {

using testing::Deuces;
using testing::Jacks;

// Bet 3 coins; a hand wins 6 or 1 or loses 2 or 3 coins: ruin and the goal
// can both be overshot. Return 103.3 %.
THandDistribution UnevenSteps() {
    return THandDistribution(3, {9, 4, 1}, {0.2L, 0.3L, 0.1L}, 0.4L);
}

// Coin by coin, hand by hand, in a map: the chances of the goal and of ruin.
std::pair<long double, long double> PlainGoalWalk(const THandDistribution& hand, int64_t bankroll,
                                                  int64_t goal, int64_t hands) {
    std::map<int64_t, long double> alive{{bankroll, 1}};
    long double reached = 0, lost = 0;
    for (int64_t n = 0; n < hands; ++n) {
        std::map<int64_t, long double> next;
        for (const auto& [coins, p] : alive)
            for (const TNetOutcome& outcome : hand.Outcomes()) {
                const int64_t to = coins + outcome.Net;
                const long double q = p * outcome.Probability;
                if (to < hand.BetCoins())
                    lost += q;
                else if (to >= bankroll + goal)
                    reached += q;
                else
                    next[to] += q;
            }
        alive = std::move(next);
    }
    return {reached, lost};
}

// Without end: every coin amount between the ends is one unknown of
// h(c) = sum p h(c + x), solved by Gaussian elimination with pivoting.
long double PlainGoalSolve(const THandDistribution& hand, int64_t bankroll, int64_t goal) {
    const int64_t low = hand.BetCoins(), n = bankroll + goal - low;
    std::vector<std::vector<long double>> a(n, std::vector<long double>(n + 1, 0));
    for (int64_t i = 0; i < n; ++i) {
        a[i][i] += 1;
        for (const TNetOutcome& outcome : hand.Outcomes()) {
            const int64_t to = low + i + outcome.Net;
            if (to >= bankroll + goal)
                a[i][n] += outcome.Probability;
            else if (to >= low)
                a[i][to - low] -= outcome.Probability;
        }
    }
    for (int64_t c = 0; c < n; ++c) {
        int64_t pivot = c;
        for (int64_t r = c + 1; r < n; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        std::swap(a[c], a[pivot]);
        for (int64_t r = 0; r < n; ++r) {
            if (r == c || a[r][c] == 0) continue;
            const long double f = a[r][c] / a[c][c];
            for (int64_t k = c; k <= n; ++k) a[r][k] -= f * a[c][k];
        }
    }
    return a[bankroll - low][n] / a[bankroll - low][bankroll - low];
}

struct TCase {
    THandDistribution Hand;
    int64_t Bankroll, Goal, Hands;
};

// Single steps and overshoots, a goal that one win can pass, 9/6 Jacks, and
// cash-back on a grid of quarter coins whose losses fall many steps at once.
std::vector<TCase> Cases() {
    const THandDistribution coin(1, {2}, {0.6L}, 0.4L);
    const TRebatedHand rebated = WithCashback(UnevenSteps(), 500);
    const int64_t scale = rebated.Scale;
    return {{coin, 5, 7, 80},          {UnevenSteps(), 12, 9, 120},
            {UnevenSteps(), 3, 2, 40}, {Jacks(), 100, 150, 300},
            {Jacks(), 5, 5, 50},       {rebated.Hand, 12 * scale, 6 * scale, 60}};
}

TEST(StopWin, AgreesWithThePlainWalkAndThePlainEquations) {
    for (const TCase& c : Cases()) {
        SCOPED_TRACE(::testing::Message() << c.Bankroll << " + " << c.Goal);
        const TStopWin within = StopWin(c.Hand, c.Bankroll, c.Goal, c.Hands);
        const auto [goal, ruin] = PlainGoalWalk(c.Hand, c.Bankroll, c.Goal, c.Hands);
        EXPECT_NEAR(static_cast<double>(within.Goal), static_cast<double>(goal), 1e-15);
        EXPECT_NEAR(static_cast<double>(within.Ruin), static_cast<double>(ruin), 1e-15);
        EXPECT_LT(within.ErrorBound, 1e-11);

        const TStopWin ever = LongRunStopWin(c.Hand, c.Bankroll, c.Goal);
        EXPECT_NEAR(static_cast<double>(ever.Goal),
                    static_cast<double>(PlainGoalSolve(c.Hand, c.Bankroll, c.Goal)), 1e-14);
        EXPECT_NEAR(static_cast<double>(ever.Goal + ever.Ruin), 1, 1e-14);
        EXPECT_LT(ever.ErrorBound, 1e-10);
        // A session that may end undecided reaches the goal less often.
        EXPECT_LE(within.Goal, ever.Goal + ever.ErrorBound);
    }
    // The gambler's ruin: (1 - r^B) / (1 - r^(B+G)), r = 0.4 / 0.6.
    const long double r = 2.0L / 3;
    EXPECT_NEAR(
        static_cast<double>(LongRunStopWin(THandDistribution(1, {2}, {0.6L}, 0.4L), 5, 7).Goal),
        static_cast<double>((1 - std::pow(r, 5)) / (1 - std::pow(r, 12))), 2e-16);
    // 9/6 Jacks, 800 bets and a goal of 400: 100,000 hands settle all but a
    // few sessions in a thousand.
    if (DRAWMENTOR_SANITIZED) return;
    const TStopWin ever = LongRunStopWin(Jacks(), 5 * 800, 5 * 400);
    const TStopWin within = StopWin(Jacks(), 5 * 800, 5 * 400, 100000);
    EXPECT_LT(within.Goal, ever.Goal);
    EXPECT_GT(within.Goal, ever.Goal - 0.002);
    EXPECT_NEAR(static_cast<double>(ever.Goal + ever.Ruin), 1, 1e-12);
}

TEST(StopWin, EdgesAndBadInput) {
    for (int64_t goal : {int64_t{0}, int64_t{-5}, 5 * kMaxBankrollBets + 1}) {
        EXPECT_THROW(StopWin(Jacks(), 500, goal, 100), ERangeError);
        EXPECT_THROW(LongRunStopWin(Jacks(), 500, goal), ERangeError);
    }
    EXPECT_THROW(StopWin(Jacks(), 500, 5, 0), ERangeError);
    // Less than a bet: lost before the first hand.
    EXPECT_EQ(StopWin(Jacks(), 4, 5, 10).Ruin, 1);
    EXPECT_EQ(LongRunStopWin(Jacks(), 4, 5).Goal, 0);
    // A table on which no hand loses reaches any goal in the end.
    const THandDistribution winner(1, {1, 3}, {0.5L, 0.5L}, 0);
    EXPECT_NEAR(static_cast<double>(LongRunStopWin(winner, 1, 40).Goal), 1, 1e-15);
    // A fine grid over a large goal is refused rather than left to run for hours.
    EXPECT_THROW(LongRunStopWin(WithCashback(Jacks(), 1).Hand, 5 * 10000 * 2000, 5 * 1000 * 2000),
                 ERangeError);
    std::atomic<bool> cancel{true};
    EXPECT_TRUE(StopWin(Jacks(), 4000, 2000, 1000, &cancel).Cancelled);
    EXPECT_TRUE(LongRunStopWin(Jacks(), 4000, 2000, &cancel).Cancelled);
}

// The least bankroll meets the target and one bet less does not, by the
// risk computed for each alone.
TEST(BankrollForRisk, TheLeastBankrollThatMeetsTheTarget) {
    for (const auto& [target, hands] :
         {std::pair{0.05L, int64_t{1000}}, std::pair{1e-6L, int64_t{300}}}) {
        const TBankrollForRisk least = BankrollForRisk(Jacks(), 5, target, hands);
        ASSERT_EQ(least.Kind, TBankrollForRisk::TKind::Found);
        EXPECT_LE(RiskOfRuin(Jacks(), 5 * least.Units, hands).Probability, target);
        EXPECT_GT(RiskOfRuin(Jacks(), 5 * (least.Units - 1), hands).Probability, target);
        EXPECT_GT(least.RiskBelow, target);
    }
    const TBankrollForRisk deuces = LongRunBankrollForRisk(Deuces(), 5, 0.01L);
    ASSERT_EQ(deuces.Kind, TBankrollForRisk::TKind::Found);
    EXPECT_LE(LongRunRiskOfRuin(Deuces(), 5 * deuces.Units).Probability, 0.01L);
    EXPECT_GT(LongRunRiskOfRuin(Deuces(), 5 * (deuces.Units - 1)).Probability, 0.01L);
    EXPECT_EQ(deuces.Risk, LongRunRiskOfRuin(Deuces(), 5 * deuces.Units).Probability);

    EXPECT_EQ(LongRunBankrollForRisk(Jacks(), 5, 0.5L).Kind, TBankrollForRisk::TKind::Never);
    // A drift so small that a million bets still run a risk of one in two.
    const THandDistribution slight(1, {2}, {0.5000001L}, 0.4999999L);
    EXPECT_EQ(LongRunBankrollForRisk(slight, 1, 0.05L).Kind, TBankrollForRisk::TKind::Beyond);
    for (long double target : {0.0L, 1.0L, 1e-13L, -0.5L})
        EXPECT_THROW(BankrollForRisk(Jacks(), 5, target, 100), ERangeError);
}

} // namespace
} // namespace drawmentor
