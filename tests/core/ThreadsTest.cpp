#include "core/BackgroundJob.h"
#include "core/Error.h"
#include "core/ParallelFor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace drawmentor {
namespace {

void WaitUntil(const std::atomic<bool>& flag) {
    while (!flag.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// One worker fails while the other still runs, either the caller's or the
// spawned one: the error reaches the caller, and only once both have ended
// (a thread left running would end the process).
TEST(ParallelFor, AnErrorWaitsForTheOtherWorkerThenReachesTheCaller) {
    for (int thrower : {0, 1}) {
        std::atomic<bool> thrown{false}, otherEnded{false}, failed{false};
        const auto work = [&](int worker) {
            if (worker == thrower) {
                thrown = true;
                throw ERangeError("worker " + std::to_string(worker));
            }
            WaitUntil(thrown);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            otherEnded = true;
        };
        try {
            ParallelFor(2, work, &failed);
            ADD_FAILURE() << "no error from worker " << thrower;
        } catch (const ERangeError& error) {
            EXPECT_EQ(error.Message(), "worker " + std::to_string(thrower));
        }
        EXPECT_TRUE(otherEnded) << thrower;
        EXPECT_TRUE(failed) << thrower;
    }
    std::atomic<int> runs{0};
    ParallelFor(4, [&](int) { ++runs; });
    EXPECT_EQ(runs, 4);
}

TEST(BackgroundJob, ResultsErrorsProgressAndCancel) {
    const TBackgroundJob<int> answer([](TJobControl& control) {
        control.Report(3, 4);
        return 42;
    });
    EXPECT_EQ(answer.Result(), 42); // waits
    EXPECT_TRUE(answer.Finished());
    EXPECT_EQ(answer.Progress(), 1.0);

    const TBackgroundJob<int> failing(
        [](TJobControl&) -> int { throw EOverflowError("too many"); });
    EXPECT_THROW(failing.Result(), EOverflowError);
    EXPECT_THROW(failing.Result(), EOverflowError); // as often as asked

    // The work sees the cancel flag and reports how far it came.
    std::atomic<bool> started{false};
    TBackgroundJob<bool> waiting([&](TJobControl& control) {
        control.Report(1, 2);
        started = true;
        while (!control.CancelFlag()->load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    });
    WaitUntil(started);
    EXPECT_EQ(waiting.Progress(), 0.5);
    EXPECT_FALSE(waiting.Finished());
    waiting.Cancel();
    EXPECT_TRUE(waiting.Result());

    // Destroying a running job stops it and waits for it.
    std::atomic<bool> ended{false};
    {
        const TBackgroundJob<int> abandoned([&](TJobControl& control) {
            while (!control.Cancelled()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ended = true;
            return 0;
        });
    }
    EXPECT_TRUE(ended);
}

} // namespace
} // namespace drawmentor
