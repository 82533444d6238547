#include "cards/Cards.h"
#include "core/Checked.h"
#include "core/Error.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TEST(Tables, DrawCountAndRangeChecks) {
    EXPECT_EQ(DrawCount(0), 0);
    EXPECT_EQ(DrawCount(31), 5);
    EXPECT_EQ(DrawCount(5), 2);
    EXPECT_THROW(DrawCount(32), ERangeError);
    EXPECT_THROW(DrawCount(-1), ERangeError);
}

TEST(Tables, BinomialAdditionRule) {
    EXPECT_EQ(Binomial(5, 47), 1533939);
    EXPECT_EQ(Binomial(5, 52), 2598960);
    EXPECT_EQ(Binomial(0, 0), 1);
    EXPECT_EQ(Binomial(3, 2), 0); // n < k
    EXPECT_EQ(Binomial(-1, 5), 0);
    for (int n = 1; n <= kBinomialMaxN; ++n)
        for (int k = 1; k <= std::min(n, kBinomialMaxK); ++k)
            ASSERT_EQ(Binomial(k, n), Binomial(k - 1, n - 1) + Binomial(k, n - 1)) << n << " " << k;
    EXPECT_THROW(Binomial(2, 60), ERangeError);
    EXPECT_THROW(Binomial(7, 20), ERangeError);
}

TEST(Codes, DecodeAndPack) {
    EXPECT_EQ(DecodeCard(51), (TCard{12, 3})); // Ace of hearts
    EXPECT_EQ(DecodeCard(0), (TCard{0, 0}));
    EXPECT_EQ(DecodeCard(52), (TCard{-1, -1}));
    EXPECT_EQ(DecodeCard(53), (TCard{-1, -1}));
    EXPECT_THROW(DecodeCard(-1), ERangeError);

    const std::array<int, 5> codes{0, 1, 2, 3, 4};
    const int32_t packed = PackHand(codes);
    EXPECT_EQ(packed, 1 * 60 + 2 * 3600 + 3 * 216000 + 4 * 12960000);
    EXPECT_EQ(UnpackHand(packed), codes);
    const std::array<int, 5> highest{53, 53, 53, 53, 53};
    EXPECT_EQ(UnpackHand(PackHand(highest)), highest); // still fits in int32
}

TEST(Codes, CardText) {
    EXPECT_EQ(ParseCardText("AS"), (TCard{12, 0}));
    EXPECT_EQ(ParseCardText("th"), (TCard{8, 3}));
    EXPECT_EQ(ParseCardText("10d"), (TCard{8, 2}));
    EXPECT_EQ(ParseCardText("jk"), TCard{});
    EXPECT_FALSE(ParseCardText("1S"));
    EXPECT_FALSE(ParseCardText("AX"));
    EXPECT_FALSE(ParseCardText("ASS"));
    EXPECT_FALSE(ParseCardText(""));
    EXPECT_EQ(CardCodeText(51), "AH");
    EXPECT_EQ(CardCodeText(53), "JK");
}

TEST(Checked, ArithmeticRaisesInsteadOfWrapping) {
    EXPECT_EQ(CheckedMul(46341, 46340), 2147441940);
    EXPECT_THROW(CheckedMul(46341, 46341), EOverflowError);
    EXPECT_THROW(CheckedAdd(INT32_MAX, 1), EOverflowError);
    EXPECT_THROW(CheckedSub(INT64_MIN, int64_t{1}), EOverflowError);
}

void Innermost() {
    throw ERangeError("Range check error");
}

void Middle() {
    try {
        Innermost();
    } catch (...) {
        AddErrorContext("Error in calculator  (Init)");
    }
}

void Outermost() {
    try {
        Middle();
    } catch (...) {
        AddErrorContext("Deal");
    }
}

TEST(ErrorContext, ChainReadsFromOutermostToTheOriginalError) {
    try {
        try {
            Outermost();
        } catch (...) {
            AddErrorContext("Error calculate natural case (GetTheBest)");
        }
        FAIL() << "no exception";
    } catch (const ERangeError& error) { // the original type survives
        EXPECT_EQ(error.Message(), "Error calculate natural case (GetTheBest)\nDeal\n"
                                   "Error in calculator  (Init)\nRange check error");
    }
}

TEST(ErrorContext, ForeignExceptionsAreWrapped) {
    try {
        try {
            throw std::out_of_range("list index out of bounds");
        } catch (...) {
            AddErrorContext("SetPayIndex");
        }
    } catch (const EDrawMentor& error) {
        EXPECT_STREQ(error.what(), "SetPayIndex\nlist index out of bounds");
    }
}

} // namespace
} // namespace drawmentor
