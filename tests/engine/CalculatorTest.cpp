#include "engine/Calculator.h"

#include "core/Error.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

void Deal(TDeck& deck, THand& hand, std::initializer_list<const char*> cards) {
    for (const char* text : cards) {
        const TCard card = *ParseCardText(text);
        hand.AddCard(card.Rank, card.Suit);
        deck.RemoveCard(card.Rank, card.Suit);
    }
}

TEST(Calculator, FullDeckNothingKept) {
    TCalculator calc;
    TDeck deck;
    THand kept;
    calc.Init(deck, kept);
    EXPECT_EQ(calc.Singles[0][5], 1024 * 1287); // 4^5 * C(13, 5)
    EXPECT_EQ(calc.Singles[0][0], 1);
    EXPECT_EQ(calc.Singles[0][1], 52);
    EXPECT_EQ(calc.Singles[4][1], 48); // one rank of four excluded
    EXPECT_EQ(calc.Pairs[2], 78);
    EXPECT_EQ(calc.Pairs[0], 0);
}

TEST(Calculator, KeptAceAfterADeal) {
    TCalculator calc;
    TDeck deck;
    THand dealt;
    Deal(deck, dealt, {"AS", "KH", "QD", "7C", "2S"});
    THand kept;
    kept.CopyKept(dealt, 30);
    calc.Init(deck, kept);
    EXPECT_EQ(calc.Pairs[1], 3);
    EXPECT_EQ(calc.Singles[0][1], 3 + 3 + 3 + 3 + 8 * 4);
    EXPECT_EQ(calc.Singles[4][1], 40);
    EXPECT_EQ(calc.Singles[3][1], 41);
}

TEST(Calculator, RangesAndSuits) {
    TCalculator calc;
    TDeck deck;
    deck.SetWildRank(0); // a wild card makes Init build the rank prefix sums
    THand dealt;
    dealt.SetWildRank(0);
    Deal(deck, dealt, {"5S", "6S", "KD", "KC", "9H"});
    THand kept;
    kept.SetWildRank(0);
    kept.CopyKept(dealt, 0b11100); // keep 5S 6S
    calc.Init(deck, kept);
    calc.InitSuits(deck);
    calc.CalcSingleRange(-1, 12, 0);
    for (int j = 0; j < 6; ++j) EXPECT_EQ(calc.RangeSingles[j], calc.Singles[0][j]) << j;
    calc.CalcSingleRange(3, 6, 0); // ranks 6..8 free: 6 is kept, so 7 and 8 with 4 cards
    EXPECT_EQ(calc.RangeSingles[1], 8);
    EXPECT_EQ(calc.RangeSingles[2], 16);
    EXPECT_EQ(calc.RangeSingles[3], 0);
    EXPECT_EQ(calc.SuitRange(0, -1, 12), 10); // spades: 13 - deuce - 5S - 6S
    EXPECT_EQ(calc.SuitRange(0, 12, 12), 0);
    EXPECT_EQ(calc.SuitRange(2, 8, 99), 3); // diamonds J, Q, A
}

} // namespace
} // namespace drawmentor
