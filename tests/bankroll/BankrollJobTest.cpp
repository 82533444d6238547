#include "bankroll/BankrollJob.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace drawmentor {
namespace {

// Bet 3 coins; a hand wins 6 or 1 or loses 2 or 3 coins. Return 103.3 %.
THandDistribution Uneven() {
    return THandDistribution(3, {9, 4, 1}, {0.2L, 0.3L, 0.1L}, 0.4L);
}

void WaitFor(const TBankrollJob& job) {
    while (!job.Finished()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(BankrollJob, GivesWhatTheCallsGiveOneByOne) {
    const THandDistribution hand = Uneven();
    const TBankrollJob job(hand, {30, 500, {6, 30, 90}});
    WaitFor(job);
    ASSERT_TRUE(job.FiguresError().empty());
    ASSERT_TRUE(job.CurveError().empty());
    const TBankrollFigures& figures = job.Figures();
    EXPECT_EQ(figures.Session.Probability, SessionDistribution(hand, 500).Probability);
    EXPECT_EQ(figures.Ruin.Probability, RiskOfRuin(hand, 30, 500).Probability);
    EXPECT_EQ(figures.LongRun.Probability, LongRunRiskOfRuin(hand, 30).Probability);
    EXPECT_EQ(figures.Wait.MedianHands, TopLineWait(hand, 500).MedianHands);
    EXPECT_EQ(job.Curve().Probability, RiskOfRuinCurve(hand, {6, 30, 90}, 500).Probability);
}

// What the maths refuses is told, not thrown across the thread.
TEST(BankrollJob, TellsWhyThereAreNoFigures) {
    const TBankrollJob job(Uneven(), {30, kMaxRuinHands + 1, {30}});
    WaitFor(job);
    EXPECT_NE(job.FiguresError().find("100000"), std::string::npos);
    EXPECT_FALSE(job.CurveError().empty());
}

// A long session of a huge walk stops within moments of being given up.
TEST(BankrollJob, StopsAtOnceWhenDestroyed) {
    const THandDistribution wide(5, {2000, 5}, {0.002L, 0.5L}, 0.498L);
    const auto start = std::chrono::steady_clock::now();
    {
        const TBankrollJob job(wide, {5 * 5000, kMaxRuinHands, {5 * 500, 5 * 5000, 5 * 15000}});
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(job.Finished());
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
}

} // namespace
} // namespace drawmentor
