#include "charts/HoldClass.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/CardText.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <sstream>

namespace drawmentor {
namespace {

using testing::kDeucesFull;
using testing::kJacks96;
const std::vector<int> kJokerKings = {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5};
const std::vector<int> kDoubleJoker = {4000, 500, 250, 125, 45, 25, 20, 15, 10, 5};
const std::vector<int> kDoubleBonus = {4000, 250, 800, 400, 250, 50, 35, 25, 15, 5, 5};

using testing::HandCodes;

// The mask that keeps the cards marked '+' in "+ + + + -".
int Keep(const std::string& marks) {
    int mask = 0, pos = 0;
    for (char c : marks) {
        if (c == ' ') continue;
        if (c == '-') mask |= 1 << pos;
        ++pos;
    }
    return mask;
}

class HoldClassTest : public ::testing::Test {
  protected:
    std::string Key(int game, const std::vector<int>& pays, const std::string& hand,
                    const std::string& keep) {
        const THoldClassifier classifier(MakeHoldRules(*CreateDescription(game), pays));
        return HoldClassKey(classifier.Classify(HandCodes(hand), Keep(keep)));
    }
};

TEST_F(HoldClassTest, NaturalDrawsAndMadeHands) {
    const auto jacks = [&](const char* hand, const char* keep) {
        return Key(0, kJacks96, hand, keep);
    };
    EXPECT_EQ(jacks("AS KS QS JS 9D", "+ + + + -"), "royal4:AKQJ");
    // 9S: a card of the held suit and one that fits a straight with QJ.
    EXPECT_EQ(jacks("QS JS 9S 4D 2C", "+ + - - -"), "royal2:QJ+flush+straight");
    EXPECT_EQ(jacks("QS JS 8D 4D 2C", "+ + - - -"), "royal2:QJ+straight");
    EXPECT_EQ(jacks("QS JS 5D 4D 2C", "+ + - - -"), "royal2:QJ");
    EXPECT_EQ(jacks("2S 5S 7S KS 9D", "+ + + + -"), "flush4:h1");
    EXPECT_EQ(jacks("5S 6D 7C 8H KS", "+ + + + -"), "straight4.g0:h0");
    EXPECT_EQ(jacks("9S JD QC KH 3S", "+ + + + -"), "straight4.g1:h3");
    EXPECT_EQ(jacks("AS KD QC JH 3S", "+ + + + -"), "straight4.g0e1:h4");
    EXPECT_EQ(jacks("AS 2D 3C 4H 9S", "+ + + + -"),
              "straight4.g0e1:h1"); // the wheel: cut at the edge
    EXPECT_EQ(jacks("5S 6S 8S KD 2C", "+ + + - -"), "sf3.g1:h0");
    EXPECT_EQ(jacks("KS QD JC 5H 3S", "+ + + - -"), "high3:KQJ");
    EXPECT_EQ(jacks("QS JD TC 5H 3S", "+ + - - -"), "high2:QJ+straight");
    EXPECT_EQ(jacks("JS 4S 7D 9C 2H", "+ - - - -"), "high1:J+flush+straight");
    EXPECT_EQ(jacks("5S 4H 7D QC 2H", "+ - - - -"), "low:5+straight");
    EXPECT_EQ(jacks("2S 7D 9C QH KD", "+ + - - -"), "junk2");
    EXPECT_EQ(jacks("2S 7D 9C QH KD", "- - - - -"), "discard");
    // Made hands by line; groups and kickers as held.
    EXPECT_EQ(jacks("TS JS QS KS 9S", "+ + + + +"), "made.L1");
    EXPECT_EQ(jacks("7H 7D 7C 9S 9H", "+ + + + +"), "made.L3");
    EXPECT_EQ(jacks("2S 5S 7S 9S KS", "+ + + + +"), "made.L4");
    EXPECT_EQ(jacks("2H 2C 7S 8S JD", "+ + - - -"), "kind2:g0");
    EXPECT_EQ(jacks("JH JD 3C 7S 9H", "+ + - - -"), "kind2:g1");
    EXPECT_EQ(jacks("JH JD 3C 7S 9H", "+ + - - +"), "kind2.k1:g1");
    EXPECT_EQ(jacks("JH JD 3C 3S 9H", "+ + + + -"), "twopair");
    EXPECT_EQ(jacks("JH JD 3C 3S 9H", "+ + + + +"), "twopair.k1");
    EXPECT_EQ(jacks("7H 7D 7C 2S 9H", "+ + + - -"), "kind3:g0");
    EXPECT_EQ(jacks("7H 7D 7C 7S 9H", "+ + + + +"), "kind4.k1:g0");
    EXPECT_EQ(jacks("7H 7D 7C 7S 9H", "+ + + + -"), "kind4:g0");
}

TEST_F(HoldClassTest, WildRankHolds) {
    const auto deuces = [&](const char* hand, const char* keep) {
        return Key(4, kDeucesFull, hand, keep);
    };
    EXPECT_EQ(deuces("2H 2C 7S 8S JD", "+ + - - -"), "wild2");
    // 7 8 with two deuces: six ranks complete it (4 5 6 9 T J).
    EXPECT_EQ(deuces("2H 2C 7S 8S JD", "+ + + + -"), "sf4.o6.w2:h0+straight");
    // Three cards to draw: the windows that need no natural deuce (3-7 .. 5-9).
    EXPECT_EQ(deuces("2H 5S 7S 9D JD", "+ + + - -"), "sf3.g1.w1:h0+straight");
    EXPECT_EQ(deuces("2H 7S 7D KC 4H", "+ + + - -"), "kind3.w1:g0");
    EXPECT_EQ(deuces("2H 2C 2D 2S 9H", "+ + + + -"), "wild4");
    // Four deuces and a kicker pay all the same, held whole.
    EXPECT_EQ(deuces("2H 2C 2D 2S 9H", "+ + + + +"), "made.L1.k1.w4");
    EXPECT_EQ(deuces("AS KS QS JS TS", "+ + + + +"), "made.L0");
    EXPECT_EQ(deuces("2H KS QS JS TS", "+ + + + +"), "made.L2.w1");
    EXPECT_EQ(deuces("2H 5S 5D 5C 9H", "+ + + + -"), "kind4.w1:g0");
    // A 3 4 5 waits for a deuce the deck has only as a wild card.
    EXPECT_EQ(deuces("AS 3D 4C 5H 9S", "+ + + + -"), "straight4.g1e1:h0");
    EXPECT_EQ(deuces("3S 4D 5C 7H KS", "+ + + + -"), "straight4.g1:h0");
    EXPECT_EQ(deuces("3S 4D 5C 6H KS", "+ + + + -"), "straight4.g0e1:h0");
    EXPECT_EQ(deuces("2S 7D 9C QH KD", "+ - - - -"), "wild1");
    EXPECT_EQ(deuces("2S 7D 9C QH KD", "- - - - -"), "discard");
}

TEST_F(HoldClassTest, JokerHolds) {
    const auto kings = [&](const char* hand, const char* keep) {
        return Key(3, kJokerKings, hand, keep);
    };
    EXPECT_EQ(kings("JK AS KS 7C 3H", "+ + + - -"), "royal3.w1:AK");
    EXPECT_EQ(kings("JK AS KD 7C 3H", "+ + + - -"), "straight3.g0e3.w1:h2");
    EXPECT_EQ(kings("JK AS KD 7C 3H", "+ - - - -"), "wild1");
    EXPECT_EQ(kings("JK KS KD 7C 3H", "+ + + - -"), "kind3.w1:g0");
    EXPECT_EQ(kings("KS KD 7C 3H JK", "+ + - - -"), "kind2:g1"); // kings pay
    EXPECT_EQ(kings("QS QD 7C 3H JK", "+ + - - -"), "kind2:g0");
    EXPECT_EQ(kings("JK QS JS TS 9S", "+ + + + +"), "made.L3.w1");
    const auto twoJokers = [&](const char* hand, const char* keep) {
        return Key(8, kDoubleJoker, hand, keep);
    };
    EXPECT_EQ(twoJokers("JK JK 5S 6S 9D", "+ + + + -"), "sf4.o6.w2:h0+straight");
    EXPECT_EQ(twoJokers("JK JK 5S 6S 9D", "+ + - - -"), "wild2");
    EXPECT_EQ(twoJokers("JK JK 5S 5D 9D", "+ + + + -"), "kind4.w2:g0");
}

// Rank groups follow what a group of each size pays: in Double Bonus pairs of
// aces, of J-K, of 2-4 and of 5-10 all play differently.
TEST_F(HoldClassTest, RankGroupsFollowThePays) {
    const THoldRules bonus = MakeHoldRules(*CreateDescription(2), kDoubleBonus);
    const auto& pairs = bonus.KindGroup[0];
    EXPECT_EQ(pairs[0], pairs[2]);                 // 2 and 4
    EXPECT_NE(pairs[2], pairs[3]);                 // 4 and 5
    EXPECT_EQ(pairs[3], pairs[kRankTen]);          // 5 and T
    EXPECT_NE(pairs[kRankTen], pairs[kRankJack]);  // T and J: the pair pays
    EXPECT_EQ(pairs[kRankJack], pairs[kRankKing]); // J and K
    EXPECT_NE(pairs[kRankKing], pairs[kRankAce]);  // four aces pay more
    // Trips of 5 and of J pay alike, and so do their quads.
    EXPECT_EQ(bonus.KindGroup[1][3], bonus.KindGroup[1][kRankJack]);
    EXPECT_EQ(bonus.HighRanks, 0x1E00u);
    const THoldRules jacks = MakeHoldRules(*CreateDescription(0), kJacks96);
    EXPECT_EQ(jacks.KindGroup[2][0], jacks.KindGroup[2][kRankAce]);
    // A line that pays nothing makes no high card.
    std::vector<int> noPairs = kJacks96;
    noPairs.back() = 0;
    EXPECT_EQ(MakeHoldRules(*CreateDescription(0), noPairs).HighRanks, 0u);
    EXPECT_THROW(MakeHoldRules(*CreateDescription(0), {1, 2}), ERangeError);
}

// Double Double Bonus: a kept kicker is a class of its own only where a
// kicker line pays for it beside four of the group's rank.
TEST_F(HoldClassTest, KickersThatPayAreNamedApart) {
    const std::vector<int> ddb96 = {4000, 250, 2000, 800, 800, 400, 250, 45, 30, 20, 15, 5, 5};
    const auto ddb = [&](const char* hand, const char* keep) { return Key(35, ddb96, hand, keep); };
    EXPECT_EQ(ddb("AS AD AC 3H 9S", "+ + + + -"), "kind3.k1+:g2");
    EXPECT_EQ(ddb("AS AD AC KH 9S", "+ + + + -"), "kind3.k1:g2");
    EXPECT_EQ(ddb("3S 3D 3C AH 9S", "+ + + + -"), "kind3.k1+:g0");
    EXPECT_EQ(ddb("5S 5D 5C 2H 9S", "+ + + + -"), "kind3.k1:g1");
    EXPECT_EQ(ddb("AS AD AC AH 2S", "+ + + + +"), "kind4.k1+:g2");
    EXPECT_EQ(ddb("AS AD AC AH KS", "+ + + + +"), "kind4.k1:g2");
    // Games without kicker lines keep their classes.
    EXPECT_EQ(Key(0, kJacks96, "AS AD AC 3H 9S", "+ + + + -"), "kind3.k1:g0");

    const THoldRules rules = MakeHoldRules(*CreateDescription(35), ddb96);
    EXPECT_EQ(rules.KickerRanks[kRankAce], 0b111u);
    EXPECT_EQ(rules.KickerRanks[0], 1u << kRankAce | 0b111u);
    EXPECT_EQ(rules.KickerRanks[3], 0u);
}

TEST(HoldPrecedence, HigherCardsFirstThenMoreCards) {
    const THoldClassifier classifier(MakeHoldRules(*CreateDescription(0), kJacks96));
    const auto codes = HandCodes("AS KD 5C 4H 9S");
    const auto precedence = [&](const char* keep) {
        return HoldPrecedence(classifier, codes, Keep(keep));
    };
    EXPECT_GT(precedence("+ + - - -"), precedence("- + - - +")); // AK over K9
    EXPECT_GT(precedence("+ - - - -"), precedence("- + - - -")); // A over K
    EXPECT_GT(precedence("+ + - - -"), precedence("+ - - - -")); // AK over A
    EXPECT_GT(precedence("- - - - +"), precedence("- - - - -")); // 9 over nothing
    std::array<uint32_t, kMaskCount> all{};
    HoldPrecedences(classifier, codes, all);
    for (int mask = 0; mask < kMaskCount; ++mask)
        EXPECT_EQ(all[mask], HoldPrecedence(classifier, codes, mask)) << mask;
    const THoldClassifier deuces(MakeHoldRules(*CreateDescription(4), kDeucesFull));
    const auto wild = HandCodes("2S AD 5C 4H 9S");
    EXPECT_GT(HoldPrecedence(deuces, wild, Keep("+ - - - -")),
              HoldPrecedence(deuces, wild, Keep("- + - - -"))); // a deuce over an ace
}

TEST(HoldSubsets, IndexAndMaskAgree) {
    for (int size = 0; size <= 5; ++size)
        for (int index = 0; index < Binomial(size, 5); ++index)
            EXPECT_EQ(HighSubsetIndex(HighSubsetMask(size, index)), index);
    EXPECT_EQ(HighSubsetMask(2, 0), 0x18u);  // AK first
    EXPECT_EQ(HighSubsetMask(1, 4), 0x01u);  // T last
    EXPECT_EQ(StraightWindows(0x0Fu), 2);    // 2345: A-5 and 2-6
    EXPECT_EQ(StraightWindows(0x0Fu, 0), 0); // both need a natural deuce
    EXPECT_EQ(StraightWindows(0x1E00u), 1);  // JQKA
    EXPECT_EQ(StraightWindows(0), 10);
}

} // namespace
} // namespace drawmentor
