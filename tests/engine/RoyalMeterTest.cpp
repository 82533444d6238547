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

// The least whole meter reaching the target, by plain bisection on the return.
int64_t Bisect(long double target) {
    int64_t short_ = 4000, enough = 1 << 15;
    EXPECT_LT(ReturnAt(short_), target);
    EXPECT_GE(ReturnAt(enough), target);
    while (enough - short_ > 1) {
        const int64_t middle = (short_ + enough) / 2;
        (ReturnAt(middle) >= target ? enough : short_) = middle;
    }
    return enough;
}

TEST(RoyalMeter, BreakEvenIsWhereBisectionOnTheReturnEnds) {
    const auto game = CreateDescription(0);
    const auto meter = BreakEvenMeter(*game, kJacks85, 5, 100);
    ASSERT_TRUE(meter);
    EXPECT_EQ(*meter, 8666);
    EXPECT_EQ(*meter, Bisect(100));
    // Half a percent back lowers the return the meter must make up.
    EXPECT_EQ(BreakEvenMeter(*game, kJacks85, 5, 99.5L), Bisect(99.5L));
    // A paytable already there needs no more than its own royal.
    EXPECT_EQ(BreakEvenMeter(*game, kJacks85, 5, 90), 4000);

    // The best holds chase the royal harder as it grows.
    const auto royalAt = [&](int64_t at) {
        return AnalyzePaytable(*game, PaysAtMeter(kJacks85, at), 5).LineProbability[kRoyalLine];
    };
    EXPECT_GT(royalAt(8666), royalAt(4000));

    EXPECT_THROW(PaysAtMeter(kJacks85, 3999), ERangeError);
    EXPECT_THROW(PaysAtMeter(kJacks85, kMaxRoyalMeter + 1), ERangeError);
}

} // namespace
} // namespace drawmentor
