#include "engine/RoyalMeter.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// 8/5 Jacks or Better at five coins.
const std::vector<int> kJacks85 = {4000, 250, 125, 40, 25, 20, 15, 10, 5};

long double ReturnAt(int64_t meter) {
    return AnalyzePaytable(*CreateDescription(0), PaysAtMeter(kJacks85, meter), 5).ReturnPercent;
}

// The return never falls as the royal grows, so a meter that reaches the
// target while the one below it falls short is the least whole answer.
void ExpectLeastMeter(std::optional<int64_t> meter, long double target) {
    ASSERT_TRUE(meter);
    EXPECT_GE(ReturnAt(*meter), target);
    EXPECT_LT(ReturnAt(*meter - 1), target);
}

TEST(RoyalMeter, BreakEvenIsTheLeastMeterReachingTheTarget) {
    const auto game = CreateDescription(0);
    const auto meter = BreakEvenMeter(*game, kJacks85, 5, 100);
    ASSERT_TRUE(meter);
    EXPECT_EQ(*meter, 8666);
    ExpectLeastMeter(meter, 100);
    // A paytable already there needs no more than its own royal.
    EXPECT_EQ(BreakEvenMeter(*game, kJacks85, 5, 90), 4000);
    EXPECT_THROW(PaysAtMeter(kJacks85, 3999), ERangeError);
    EXPECT_THROW(PaysAtMeter(kJacks85, kMaxRoyalMeter + 1), ERangeError);
    // Each analysis is a whole paytable's: the sanitized run stops here.
    if (DRAWMENTOR_SANITIZED) return;
    // Half a percent back lowers the return the meter must make up.
    const auto cashedBack = BreakEvenMeter(*game, kJacks85, 5, 99.5L);
    ExpectLeastMeter(cashedBack, 99.5L);
    EXPECT_LT(*cashedBack, *meter);

    // The best holds chase the royal harder as it grows.
    const auto royalAt = [&](int64_t at) {
        return AnalyzePaytable(*game, PaysAtMeter(kJacks85, at), 5).LineProbability[kRoyalLine];
    };
    EXPECT_GT(royalAt(8666), royalAt(4000));
}

} // namespace
} // namespace drawmentor
