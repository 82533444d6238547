#include "engine/EngineFactory.h"
#include "engine/WildEngine.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "support/Paytables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace drawmentor {
namespace {

using testing::kDeucesFull;
using testing::kJacks96;

struct TEngineFixture {
    explicit TEngineFixture(int game, const std::vector<int>& pays) {
        engine = CreateEngineForGame(game);
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
    }
    int Deal(std::initializer_list<const char*> cards) {
        std::vector<int> codes;
        int jokers = 0;
        for (const char* text : cards) {
            const TCard card = *ParseCardText(text);
            codes.push_back(card.Rank < 0 ? kFirstJokerCode + jokers++
                                          : EncodeCard(card.Rank, card.Suit));
        }
        engine->DealCodes(codes);
        return engine->GetTheBest();
    }
    std::unique_ptr<TPokerEngine> engine;
    TPayout payout;
};

TEST(PokerEngine, FactoryChoosesTheEngineAndFillsThePayout) {
    TEngineFixture jacks(0, kJacks96);
    EXPECT_EQ(dynamic_cast<TWildEngine*>(jacks.engine.get()), nullptr);
    EXPECT_EQ(jacks.payout.LastLine, 8);
    EXPECT_EQ(jacks.payout.DeckSize, 52);
    TEngineFixture jokers(8, kDeucesFull);
    EXPECT_NE(dynamic_cast<TWildEngine*>(jokers.engine.get()), nullptr);
    EXPECT_EQ(jokers.payout.DeckSize, 54);
    EXPECT_THROW(CreateEngineForGame(kCatalogueSize), ERangeError);
}

TEST(PokerEngine, DealtRoyalStandsPat) {
    TEngineFixture f(0, kJacks96);
    EXPECT_EQ(f.Deal({"TH", "JH", "QH", "KH", "AH"}), 0);
    EXPECT_EQ(f.engine->DrawReturn(0), 4000);
    EXPECT_EQ(f.engine->CurrentLine(), 0);
    EXPECT_EQ(f.engine->LineCount(0, 0), 1);
}

TEST(PokerEngine, FourToARoyal) {
    TEngineFixture f(0, kJacks96);
    EXPECT_EQ(f.Deal({"AS", "KS", "QS", "JS", "9D"}), 16);
    const auto& row = f.engine->CategoryCounts(16);
    EXPECT_EQ(row[ncFlushStraightTA], 1);
    EXPECT_EQ(row[ncFlush], 8);
    EXPECT_EQ(row[ncStraightTA], 3);
    for (int rank : {9, 10, 11, 12}) EXPECT_EQ(row[ncPairs2 + rank], 3);
    EXPECT_EQ(f.engine->UnpaidCount(16), 23);
    EXPECT_EQ(f.engine->LineCount(15, 16), 23); // above LastLine: the unpaid outcomes
    EXPECT_EQ(f.engine->OutcomeCount(16), 47);
    EXPECT_NEAR(static_cast<double>(f.engine->LineProbability(4, 16)), 8.0 / 47, 1e-15);
    EXPECT_EQ(f.engine->CurrentLine(), -1); // ace-high nothing pays nothing

    // The same figures as the windows read them.
    const THoldResult hold = f.engine->Holds()[16];
    EXPECT_EQ(hold.Mask, 16);
    EXPECT_EQ(hold.LineCount, 9);
    EXPECT_EQ(hold.Outcomes, 47);
    EXPECT_EQ(hold.Unpaid, 23);
    EXPECT_EQ(hold.Lines[0], 1);  // royal flush
    EXPECT_EQ(hold.Lines[4], 8);  // flush
    EXPECT_EQ(hold.Lines[5], 3);  // straight
    EXPECT_EQ(hold.Lines[8], 12); // jacks or better
    EXPECT_NEAR(static_cast<double>(hold.Return), (4000 + 8 * 30 + 3 * 20 + 12 * 5) / 47.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(hold.UnpaidProbability()), 23.0 / 47, 1e-15);
    EXPECT_THROW(f.engine->Hold(32), ERangeError);
}

TEST(PokerEngine, KeptPairOfAces) {
    TEngineFixture f(0, kJacks96);
    f.Deal({"AH", "AC", "TS", "6D", "2H"});
    const auto& row = f.engine->CategoryCounts(28);
    EXPECT_EQ(row[ncFourOfKind2 + 12], 45);
    EXPECT_EQ(row[ncFullHouse], 165);
    EXPECT_EQ(row[ncThreeOfKind2 + 12], 1854);
    EXPECT_EQ(row[ncTwoPairs], 2592);
    EXPECT_EQ(row[ncPairs2 + 12], 11559);
    EXPECT_EQ(f.engine->CurrentLine(), 8);
}

TEST(PokerEngine, EqualReturnsGoToTheLowestMask) {
    TEngineFixture f(0, kJacks96);
    // Two symmetric holds: keep KS 7D or KS 7C returns the same.
    f.Deal({"KS", "7D", "7C", "3H", "4S"});
    EXPECT_EQ(f.engine->DrawReturn(0b11010), f.engine->DrawReturn(0b11100));
    const int best = f.engine->GetTheBest();
    for (int mask = 0; mask < best; ++mask)
        EXPECT_LT(f.engine->DrawReturn(mask), f.engine->DrawReturn(best));
    for (int mask = best + 1; mask < kMaskCount; ++mask)
        EXPECT_LE(f.engine->DrawReturn(mask), f.engine->DrawReturn(best));
    // With every pay equal to zero every hold ties: stand pat.
    f.payout.Pays.fill(0);
    EXPECT_EQ(f.engine->GetTheBest(), 0);
}

TEST(PokerEngine, ReturnFollowsThePaysWithoutANewPayout) {
    TEngineFixture f(0, kJacks96);
    f.Deal({"AS", "KS", "QS", "JS", "9D"});
    const long double before = f.engine->DrawReturn(16);
    f.payout.Pays[0] = 8000;
    EXPECT_NEAR(static_cast<double>(f.engine->DrawReturn(16) - before), 4000.0 / 47, 1e-9);
}

TEST(PokerEngine, PaysBeyondTheUsualRangeChooseAsTheirScaledDown) {
    // Pays past kMaxPay are compared with overflow checks; the order they
    // give must be the one of the same table scaled down.
    TEngineFixture small(0, kJacks96);
    std::vector<int> large = kJacks96;
    for (int& pay : large) pay *= 100;
    TEngineFixture big(0, large);
    std::vector<int> cards(52);
    std::iota(cards.begin(), cards.end(), 0);
    std::mt19937 random(77);
    for (int deal = 0; deal < 200; ++deal) {
        std::shuffle(cards.begin(), cards.end(), random);
        const std::vector<int> codes(cards.begin(), cards.begin() + 5);
        small.engine->DealCodes(codes);
        big.engine->DealCodes(codes);
        ASSERT_EQ(big.engine->GetTheBest(), small.engine->GetTheBest()) << "deal " << deal;
    }
}

TEST(PokerEngine, ACardTwiceInTheDeckCompletesSuitedStraightsTwice) {
    TEngineFixture f(0, kJacks96);
    f.engine->DealCodes(std::vector<int>{EncodeCard(7, 3), EncodeCard(8, 3), EncodeCard(9, 3),
                                         EncodeCard(10, 3), EncodeCard(11, 1)});
    const TCard king = *ParseCardText("KH");
    TDeck deck = f.engine->Deck();
    deck.ReturnCard(king.Rank, king.Suit);
    f.engine->SetCards(f.engine->Hand(), deck);
    f.engine->GetTheBest();
    // Keeping 9H TH JH QH: 8H once and KH twice make straight flushes.
    const auto& row = f.engine->CategoryCounts(16);
    EXPECT_EQ(row[ncFlushStraight], 3);
    EXPECT_EQ(row[ncStraight], 5);
    EXPECT_EQ(row[ncFlush], 7);
    EXPECT_EQ(f.engine->OutcomeCount(16), 48);
}

TEST(PokerEngine, ACategoryUnderTwoLinesIsPaidByTheLater) {
    class TDoubled : public TPokerDescription {
      public:
        TDoubled() {
            Name = "test";
            SetLine(0, "first", TCategorySet{1} << ncFlush);
            SetLine(1, "second", TCategorySet{1} << ncFlush);
        }
    };
    TPokerEngine engine;
    engine.SetDescription(TDoubled{});
    EXPECT_EQ(engine.CategoryLine(ncFlush), 1);
    EXPECT_EQ(engine.CategoryLine(ncStraight), -1);
}

TEST(PokerEngine, WithoutAPayoutTheBestHoldIsAnError) {
    auto engine = CreateEngineForGame(0);
    engine->DealCodes(std::vector<int>{0, 14, 28, 42, 51});
    try {
        engine->GetTheBest();
        FAIL();
    } catch (const EDrawMentor& error) {
        EXPECT_EQ(std::string(error.what()), "Error calculate natural case (GetTheBest)\n"
                                             "No payout attached to the strategy engine");
    }
}

TEST(PokerEngine, AnErrorCarriesEveryContextFromOutermostToInnermost) {
    TEngineFixture f(0, kJacks96);
    f.Deal({"AS", "KS", "QS", "JS", "9D"});
    TDeck deck = f.engine->Deck();
    deck.Total = 60; // more cards than any deck: no count can be trusted
    f.engine->SetCards(f.engine->Hand(), deck);
    try {
        f.engine->GetTheBest();
        FAIL();
    } catch (const ERangeError& error) {
        // The holds are visited one card at a time; keeping only the fifth card is first.
        EXPECT_EQ(std::string(error.what()),
                  "Error calculate natural case (GetTheBest)\n"
                  "Error calculate natural case (CheckDraw) DrawMask=15\n"
                  "Range check error: binomial n 60");
    }
    f.Deal({"AS", "KS", "QS", "JS", "9D"});
    THand hand = f.engine->Hand();
    hand.Ranks[2] = 13; // a corrupt card is refused, not counted
    f.engine->SetCards(hand, f.engine->Deck());
    EXPECT_THROW(f.engine->GetTheBest(), ERangeError);
    TEngineFixture g(0, kJacks96);
    g.engine->ResetHand();
    hand = g.engine->Hand();
    deck = g.engine->Deck();
    deck.Fill(2); // two copies of every card is no deck the counting knows
    for (int code : {0, 14, 28, 42, 51}) {
        hand.AddCode(code);
        deck.RemoveCode(code);
    }
    g.engine->SetCards(hand, deck);
    try {
        g.engine->GetTheBest();
        FAIL();
    } catch (const ERangeError& error) {
        EXPECT_EQ(std::string(error.what()), "Error calculate natural case (GetTheBest)\n"
                                             "Error in calculator  (Init)\n"
                                             "Range check error: rank count 7");
    }
}

TEST(WildEngine, FourDeucesAndTheirKicker) {
    TEngineFixture f(4, kDeucesFull);
    // Drawing to four deuces pays the same as standing: the tie stands pat.
    EXPECT_EQ(f.Deal({"2S", "2C", "2D", "2H", "KS"}), 0);
    auto& wild = dynamic_cast<TWildEngine&>(*f.engine);
    EXPECT_EQ(wild.WildCounts(0)[wcWild4WA], 1);
    EXPECT_EQ(wild.CurrentLine(), 1);
    EXPECT_EQ(f.engine->DrawReturn(16), 1000); // every draw keeps four deuces
    f.Deal({"2S", "2C", "2D", "2H", "AS"});
    EXPECT_EQ(wild.WildCounts(0)[wcWild4A], 1);
}

TEST(WildEngine, WildCategoriesGoToTheBestPayingLine) {
    TEngineFixture f(3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5});
    auto& wild = dynamic_cast<TWildEngine&>(*f.engine);
    EXPECT_EQ(wild.WildCategoryLine(wcWild3), 4); // Four of Kind
    f.payout.Pays[5] = 500;                       // Full House now pays more
    f.engine->SetPayout(&f.payout);
    EXPECT_EQ(wild.WildCategoryLine(wcWild3), 5);
    f.payout.Pays[5] = f.payout.Pays[4]; // a tie goes to the lower line
    f.engine->SetPayout(&f.payout);
    EXPECT_EQ(wild.WildCategoryLine(wcWild3), 4);
    EXPECT_EQ(wild.WildCategoryLine(wcWild1Kings), 10);
    EXPECT_EQ(wild.WildCategoryLine(wcWild1), -1);
    f.Deal({"JK", "8S", "9D", "6C", "3H"});
    EXPECT_EQ(wild.CurrentLine(), -1);
    f.Deal({"JK", "KS", "9D", "6C", "3H"});
    EXPECT_EQ(wild.CurrentLine(), 10);
}

// An engine keeps the tables of the holds without natural cards from deal to
// deal (by the deck's rank counts and each suit's cards): after a run of deals
// that share ranks or suits with the next, it must count that deal as a new
// engine does, on every hold. Seeded; a failure names the deal.
TEST(WildEngine, TablesKeptFromEarlierDealsChangeNothing) {
    for (const auto& [game, pays] :
         {std::pair{4, kDeucesFull},
          std::pair{8, std::vector<int>{4000, 500, 250, 125, 45, 25, 20, 15, 10, 5}}}) {
        TEngineFixture kept(game, pays);
        std::mt19937 random(20261207u + static_cast<unsigned>(game));
        const int deck = 52 + CreateDescription(game)->Jokers;
        std::vector<int> codes(static_cast<size_t>(deck));
        std::iota(codes.begin(), codes.end(), 0);
        for (int deal = 0; deal < 400; ++deal) {
            // Half the deals move one card of the last: mostly the same ranks.
            if (deal % 2 == 0)
                std::shuffle(codes.begin(), codes.end(), random);
            else
                std::swap(codes[static_cast<size_t>(deal % 5)],
                          codes[5 + static_cast<size_t>(deal % 7)]);
            const std::vector<int> hand(codes.begin(), codes.begin() + kHandSize);
            kept.engine->DealCodes(hand);
            kept.engine->GetTheBest();
            TEngineFixture fresh(game, pays);
            fresh.engine->DealCodes(hand);
            fresh.engine->GetTheBest();
            for (int mask = 0; mask < kMaskCount; ++mask)
                for (int line = 0; line <= fresh.engine->LastLine(); ++line)
                    ASSERT_EQ(kept.engine->LineCounts(mask)[line],
                              fresh.engine->LineCounts(mask)[line])
                        << "game " << game << " deal " << deal << " mask " << mask << " line "
                        << line;
        }
    }
}

} // namespace
} // namespace drawmentor
