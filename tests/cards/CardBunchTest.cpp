#include "cards/CardBunch.h"
#include "core/Checked.h"

#include <gtest/gtest.h>

#include <sstream>

namespace drawmentor {
namespace {

void AddCards(THand& hand, std::initializer_list<const char*> cards) {
    for (const char* text : cards) {
        const TCard card = *ParseCardText(text);
        hand.AddCard(card.Rank, card.Suit);
    }
}

void ExpectInvariants(const TCardBunch& bunch) {
    int ranks = 0, suits = 0;
    for (int r = 0; r < kRankCount; ++r) ranks += bunch.RankCount[r];
    for (int s = 0; s < kSuitCount; ++s) suits += bunch.SuitCount[s];
    EXPECT_EQ(bunch.Total, ranks + bunch.WildCount);
    EXPECT_EQ(suits, ranks);
}

TEST(Deck, FullDecksOfEveryKind) {
    TDeck natural;
    EXPECT_EQ(natural.Total, 52);
    EXPECT_EQ(natural.WildCount, 0);
    EXPECT_EQ(natural.RankCount[7], 4);
    EXPECT_EQ(natural.SuitCount[2], 13);
    EXPECT_EQ(natural.Count[12][3], 1);

    TDeck deuces;
    deuces.SetWildRank(0);
    EXPECT_EQ(deuces.Total, 52);
    EXPECT_EQ(deuces.WildCount, 4);
    EXPECT_EQ(deuces.RankCount[0], 0);
    EXPECT_EQ(deuces.SuitCount[1], 12);
    ExpectInvariants(deuces);

    TDeck jokers;
    jokers.SetJokers(2);
    EXPECT_EQ(jokers.Total, 54);
    EXPECT_EQ(jokers.WildCount, 2);
    EXPECT_EQ(jokers.SuitCount[0], 13);
    ExpectInvariants(jokers);

    TDeck both;
    both.SetJokers(1);
    both.SetWildRank(0);
    EXPECT_EQ(both.Total, 53);
    EXPECT_EQ(both.WildCount, 5);
    both.Fill(0);
    EXPECT_EQ(both.Total, 0);
    EXPECT_EQ(both.WildCount, 0);
}

TEST(Deck, RemovingACardTwiceIsAnError) {
    TDeck deck;
    deck.RemoveCard(12, 0);
    EXPECT_THROW(deck.RemoveCard(12, 0), ERangeError);
    TDeck jokers;
    jokers.SetJokers(1);
    jokers.RemoveCard(-1, -1);
    EXPECT_EQ(jokers.WildCount, 0);
    EXPECT_THROW(jokers.RemoveCard(-1, -1), ERangeError);
}

TEST(Hand, RunningStatistics) {
    THand hand;
    EXPECT_EQ(hand.Total, 0);
    EXPECT_EQ(hand.MinRank, 12);
    EXPECT_EQ(hand.RanksWithCount[0], 13);
    AddCards(hand, {"AS", "2D", "3C", "4H", "5S"});
    EXPECT_EQ(hand.MinRank, 0);
    EXPECT_EQ(hand.MaxRankNoAce, 3);
    EXPECT_EQ(hand.RanksWithCount[1], 5);
    EXPECT_EQ(hand.SuitsWithCount[1], 3);
    EXPECT_EQ(hand.SuitsWithCount[2], 1);
    EXPECT_EQ(hand.SuitsWithCount[0], 0);
    ExpectInvariants(hand);

    hand.ClearHand();
    EXPECT_EQ(hand.Total, 0);
    AddCards(hand, {"KS", "KD", "KC", "9H", "9S"});
    EXPECT_EQ(hand.RanksWithCount[3], 1);
    EXPECT_EQ(hand.RanksWithCount[2], 1);
    EXPECT_EQ(hand.RanksWithCount[0], 11);
    EXPECT_EQ(hand.MaxRankNoAce, 11);
    EXPECT_EQ(hand.MinRank, 7);
}

TEST(Hand, WildCardsLoseTheirIdentity) {
    THand hand;
    hand.SetWildRank(0);
    AddCards(hand, {"KS", "2D"});
    EXPECT_EQ(hand.Ranks[1], -1);
    EXPECT_EQ(hand.Suits[1], -1);
    EXPECT_EQ(hand.WildCount, 1);
    EXPECT_EQ(hand.RanksWithCount[1], 1);
    EXPECT_EQ(hand.SuitsWithCount[1], 1);
    EXPECT_EQ(hand.MinRank, 11);
    hand.AddCard(-1, -1); // a joker
    EXPECT_EQ(hand.WildCount, 2);
    hand.ClearHand();
    EXPECT_EQ(hand.WildCount, 0);
    EXPECT_EQ(hand.Total, 0);
}

TEST(Hand, ASixthCardOrABadRankIsAnError) {
    THand hand;
    AddCards(hand, {"AS", "KS", "QS", "JS", "TS"});
    EXPECT_THROW(hand.AddCard(3, 1), ERangeError);
    THand other;
    EXPECT_THROW(other.AddCard(13, 0), ERangeError);
    EXPECT_THROW(other.AddCard(-3, 0), ERangeError);
    EXPECT_THROW(other.AddCard(5, 4), ERangeError);
}

TEST(Hand, CopyKeptFollowsTheMask) {
    THand source;
    AddCards(source, {"AS", "KD", "7C", "7H", "2S"});
    THand kept;
    kept.CopyKept(source, 0);
    EXPECT_EQ(kept.Total, 5);
    kept.CopyKept(source, 31);
    EXPECT_EQ(kept.Total, 0);
    kept.CopyKept(source, 5); // replaces positions 0 and 2
    ASSERT_EQ(kept.Total, 3);
    EXPECT_EQ(kept.Ranks[0], 11);
    EXPECT_EQ(kept.Ranks[1], 5);
    EXPECT_EQ(kept.Ranks[2], 0);
    EXPECT_EQ(kept.RanksWithCount[1], 3);
    EXPECT_THROW(kept.CopyKept(source, 32), ERangeError);
}

TEST(Hand, RemoveLastCardUndoesAddCard) {
    THand hand;
    hand.SetWildRank(0);
    AddCards(hand, {"9S", "KD"});
    const THand before = hand;
    AddCards(hand, {"5D"});
    hand.RemoveLastCard();
    AddCards(hand, {"2C"}); // wild
    hand.RemoveLastCard();
    EXPECT_EQ(hand.MinRank, before.MinRank);
    EXPECT_EQ(hand.MaxRankNoAce, before.MaxRankNoAce);
    EXPECT_EQ(hand.Total, 2);
    EXPECT_EQ(hand.WildCount, 0);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(hand.RanksWithCount[k], before.RanksWithCount[k]);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(hand.SuitsWithCount[k], before.SuitsWithCount[k]);
    EXPECT_EQ(hand.SuitCount[2], 1);
    EXPECT_EQ(hand.Count[3][2], 0);
    hand.RemoveLastCard();
    hand.RemoveLastCard();
    EXPECT_THROW(hand.RemoveLastCard(), ERangeError);
    EXPECT_EQ(hand.MinRank, 12);
    EXPECT_EQ(hand.RanksWithCount[0], 13);
}

TEST(Hand, ChangeSuitKeepsStatisticsConsistent) {
    THand hand;
    AddCards(hand, {"AS", "KS", "QS", "JS", "9D"});
    EXPECT_EQ(hand.SuitsWithCount[4], 1);
    hand.ChangeSuit(4, 0);
    EXPECT_EQ(hand.SuitsWithCount[5], 1);
    EXPECT_EQ(hand.SuitsWithCount[0], 3);
    EXPECT_EQ(hand.Count[7][0], 1);
    EXPECT_EQ(hand.Count[7][2], 0);
    EXPECT_EQ(hand.Suits[4], 0);
    ExpectInvariants(hand);
    THand fresh;
    AddCards(fresh, {"AS", "KS", "QS", "JS", "9S"});
    for (int s = 0; s < 6; ++s) EXPECT_EQ(hand.SuitsWithCount[s], fresh.SuitsWithCount[s]);
}

TEST(Hand, Print) {
    THand hand;
    hand.SetJokers(1);
    AddCards(hand, {"AS", "TD"});
    hand.AddCard(-1, -1);
    std::ostringstream out;
    hand.Print(out);
    EXPECT_EQ(out.str(), "AS TD ## \n");
}

} // namespace
} // namespace drawmentor
