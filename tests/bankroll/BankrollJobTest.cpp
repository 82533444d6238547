#include "bankroll/BankrollJob.h"
#include "core/Error.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
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
    const TBankrollFigures& figures = job.Figures(); // waits
    EXPECT_EQ(figures.Session.Probability, SessionDistribution(hand, 500).Probability);
    EXPECT_EQ(figures.Ruin.Probability, RiskOfRuin(hand, 30, 500).Probability);
    EXPECT_EQ(figures.LongRun.Probability, LongRunRiskOfRuin(hand, 30).Probability);
    EXPECT_EQ(figures.Wait.MedianHands, TopLineWait(hand, 500).MedianHands);
    EXPECT_EQ(job.Curve().Probability, RiskOfRuinCurve(hand, {6, 30, 90}, 500).Probability);
}

// What the maths refuses reaches whoever reads the part, not the thread's end.
TEST(BankrollJob, TellsWhyThereAreNoFigures) {
    const int64_t huge = std::numeric_limits<int64_t>::max() - 2;
    for (const TBankrollQuestion& question :
         {TBankrollQuestion{30, kMaxRuinHands + 1, {30}}, TBankrollQuestion{30, 0, {30}},
          TBankrollQuestion{huge, 500, {huge / 10, huge}}}) {
        const TBankrollJob job(Uneven(), question);
        WaitFor(job);
        EXPECT_THROW(job.Figures(), ERangeError) << question.BankrollCoins;
        EXPECT_THROW(job.Curve(), ERangeError) << question.Hands;
    }
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
