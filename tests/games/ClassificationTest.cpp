#include "games/Classification.h"

#include "core/Error.h"
#include "oracle/Enumerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace drawmentor {
namespace {

THand MakeHand(std::initializer_list<const char*> cards, int wildRank = -1, int jokers = 0) {
    THand hand;
    if (jokers) hand.SetJokers(jokers);
    if (wildRank >= 0) hand.SetWildRank(wildRank);
    for (const char* text : cards) {
        const TCard card = *ParseCardText(text);
        hand.AddCard(card.Rank, card.Suit);
    }
    return hand;
}

// Every five-card hand of the 52-card deck, against the textbook counts.
TEST(NaturalClassification, AllHandsOfTheDeck) {
    std::array<int64_t, kNaturalCategoryCount> counts{};
    int64_t nothing = 0;
    THand hand;
    for (int a = 0; a < 52; ++a)
        for (int b = a + 1; b < 52; ++b)
            for (int c = b + 1; c < 52; ++c)
                for (int d = c + 1; d < 52; ++d)
                    for (int e = d + 1; e < 52; ++e) {
                        hand.ClearHand();
                        for (int code : {a, b, c, d, e}) hand.AddCode(code);
                        const int category = ClassifyNatural(hand);
                        if (category == kNoCategory)
                            ++nothing;
                        else
                            ++counts[category];
                    }
    const auto sum = [&](int first, int n) {
        int64_t total = 0;
        for (int i = 0; i < n; ++i) total += counts[first + i];
        return total;
    };
    EXPECT_EQ(counts[ncFlushStraightTA], 4);
    EXPECT_EQ(counts[ncFlushStraightA5] + counts[ncFlushStraight], 36);
    EXPECT_EQ(counts[ncFlushStraightA5], 4);
    EXPECT_EQ(sum(ncFourOfKind2, 13), 624);
    EXPECT_EQ(counts[ncFullHouse], 3744);
    EXPECT_EQ(counts[ncFlush], 5108);
    EXPECT_EQ(sum(ncStraightA5, 3), 10200);
    EXPECT_EQ(counts[ncStraightA5], 1020);
    EXPECT_EQ(counts[ncStraightTA], 1020);
    EXPECT_EQ(sum(ncThreeOfKind2, 13), 54912);
    EXPECT_EQ(counts[ncTwoPairs], 123552);
    EXPECT_EQ(sum(ncPairs2, 13), 1098240);
    EXPECT_EQ(counts[ncPairs2 + kRankAce], 84480);
    EXPECT_EQ(nothing, 1302540);
}

TEST(WildClassification, WildHandShapes) {
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "2D", "2H", "KS"}, 0)), wcWild4WA);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "2D", "2H", "AS"}, 0)), wcWild4A);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "KS", "9D", "6C", "3H"}, -1, 1)), wcWild1Kings);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "8S", "9D", "6C", "3H"}, -1, 1)), wcWild1);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "2S", "3S", "4S", "AS"}, -1, 1)), wcWild1FlushStrA5);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "9S", "TS", "JS", "QS"}, -1, 1)),
              wcWild1FlushStrA5 + skMiddle);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "TS", "JS", "QS", "KS"}, -1, 1)),
              wcWild1FlushStrA5 + skAceHigh);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "2D", "9H", "9S"}, 0)), wcWildFive2 + 7);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "2D", "9H", "KS"}, 0)), wcWild3);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "2D", "4H", "KH"}, 0)), wcWild3Flush);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "9D", "9H", "KS"}, 0)), wcWild2And21);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "AC", "AD", "AH", "KS"}, 0)), wcWild1And31);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "AC", "AD", "KH", "KS"}, 0)), wcWild1And22);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "AC", "AD", "KH", "5S"}, 0)), wcWild1And211);
    // An Ace with middle ranks is no straight window; with T..K it is ace-high.
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "AD", "7H", "8S"}, 0)), wcWild2);
    EXPECT_EQ(ClassifyWild(MakeHand({"2S", "2C", "AD", "TH", "KS"}, 0)),
              wcWild2StraightA5 + skAceHigh);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "JK", "3D", "4H", "7S"}, -1, 2)),
              wcWild2StraightA5 + skMiddle);
    EXPECT_EQ(ClassifyWild(MakeHand({"JK", "2S", "2C", "2D", "2H"}, 0, 1)), wcWild5);
}

// The engine's classifier reads running statistics; the oracle reads card
// codes. They must agree on every hand shape with one to four wild cards.
TEST(WildClassification, AgreesWithThePlainRulesOnRandomHands) {
    std::mt19937_64 random(99);
    for (int wildRank : {0, 5}) {
        std::vector<int> codes(52);
        std::iota(codes.begin(), codes.end(), 0);
        for (int i = 0; i < 20000; ++i) {
            std::shuffle(codes.begin(), codes.end(), random);
            oracle::TCodes dealt{};
            std::copy(codes.begin(), codes.begin() + 5, dealt.begin());
            THand hand;
            hand.SetWildRank(wildRank);
            int wild = 0;
            for (int code : dealt) {
                hand.AddCode(code);
                wild += oracle::IsWildCode(code, wildRank) ? 1 : 0;
            }
            if (wild == 0) continue;
            ASSERT_EQ(ClassifyWild(hand), oracle::ClassifyWildCodes(dealt, wildRank))
                << oracle::CodesText(dealt);
        }
    }
}

TEST(NaturalClassification, RefusesHandsItCannotClassify) {
    THand hand;
    hand.AddCard(3, 0);
    EXPECT_THROW(ClassifyNatural(hand), ERangeError);
}

} // namespace
} // namespace drawmentor
