// Hands entered by the player: the card notation read back, every fault
// named, and the analysis of a hand apart from the session.
#include "play/HandAnalysis.h"

#include "cards/Cards.h"
#include "core/Error.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TEST(HandEntry, ParsesTheCommandLineNotation) {
    const THandEntry entry = ParseHandEntry(QStringLiteral(" 10h, jk;2c  qd as "), 1);
    ASSERT_TRUE(entry.IsValid());
    EXPECT_EQ(HandEntryText(entry.Codes), "TH JK 2C QD AS");
    EXPECT_EQ(ParseHandEntry(HandEntryText(entry.Codes), 1).Codes, entry.Codes);
    EXPECT_EQ(CheckHandCodes(entry.Codes, 1).Error, THandEntryError::None);
    EXPECT_EQ(CheckHandCodes(entry.Codes, 0).Error, THandEntryError::NoJokerInGame);
    const THandEntry twoJokers = ParseHandEntry(QStringLiteral("JK JK 2C 3C 4C"), 2);
    ASSERT_TRUE(twoJokers.IsValid());
    EXPECT_EQ(twoJokers.Codes[0], kFirstJokerCode);
    EXPECT_EQ(twoJokers.Codes[1], kFirstJokerCode + 1);
    EXPECT_EQ(ParseHandEntry(QStringLiteral("JK JK 2C 3C 4C"), 1).Error,
              THandEntryError::TooManyJokers);
    EXPECT_EQ(ParseHandEntry(QString(), 0).Error, THandEntryError::TooFewCards);
}

TEST(HandEntry, ClickedCardsAreCheckedLikeTypedOnes) {
    const std::vector<int> codes = {12, 11, 10, 9, 12};
    const THandEntry twice = CheckHandCodes(codes, 0);
    EXPECT_EQ(twice.Error, THandEntryError::CardTwice);
    EXPECT_EQ(twice.Word, "AS");
    EXPECT_EQ(CheckHandCodes(std::vector<int>{1, 2, 3}, 0).Error, THandEntryError::TooFewCards);
    EXPECT_EQ(ParseHandEntry(QStringLiteral("2C 3C 4C 5C 6C 7C"), 0).Word, "7C");
    EXPECT_EQ(ParseHandEntry(QStringLiteral("2C 3C XX 5C 6C"), 0).Word, "XX");
    for (THandEntryError error : {THandEntryError::TooFewCards, THandEntryError::TooManyCards,
                                  THandEntryError::UnknownCard, THandEntryError::CardTwice,
                                  THandEntryError::NoJokerInGame, THandEntryError::TooManyJokers})
        EXPECT_FALSE(HandEntryErrorKey(error).isEmpty());
}

TEST(HandAnalysis, TheBetChoosesThePaytableColumn) {
    TPayTable pays;
    const int perCoin[9] = {250, 50, 25, 9, 6, 4, 3, 2, 1};
    for (int coins = 1; coins <= kMaxCoins; ++coins)
        for (int line = 0; line < 9; ++line) pays.At(coins, line) = perCoin[line] * coins;
    pays.At(5, 0) = 4000; // the royal's bonus for five coins
    const std::vector<int> royalDraw = ParseHandEntry(QStringLiteral("AS KS QS JS 9D"), 0).Codes;
    const THandAnalysis one(0, pays, 1, royalDraw);
    const THandAnalysis five(0, pays, 5, royalDraw);
    EXPECT_EQ(five.BestMask(), 16);
    EXPECT_GT(five.Engine().DrawReturn(16), 5 * one.Engine().DrawReturn(16));
    EXPECT_EQ(five.Engine().LineCount(0, 16), 1); // one card of 47 makes the royal
    EXPECT_EQ(five.Engine().OutcomeCount(16), 47);
    try {
        const THandAnalysis wrong(0, pays, 6, royalDraw);
        ADD_FAILURE() << "a bet of six coins was accepted";
    } catch (const std::exception& error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("AnalyseHand")) << error.what();
    }
}

} // namespace
} // namespace drawmentor
