#include "games/Catalogue.h"
#include "games/GameKey.h"

#include "cards/Categories.h"
#include "core/Error.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TEST(Catalogue, EveryGameKeepsItsInvariants) {
    const int expectedLines[kCatalogueSize] = {9, 11, 11, 11, 10, 11, 9,  13, 10, 10, 11, 11, 11,
                                               9, 11, 11, 10, 12, 11, 8,  10, 9,  11, 12, 9,  9,
                                               9, 9,  9,  10, 10, 11, 11, 11, 12, 13, 13};
    for (int index = 0; index < kCatalogueSize; ++index) {
        SCOPED_TRACE(index);
        const auto game = CreateDescription(index);
        ASSERT_TRUE(game);
        EXPECT_EQ(game->GameIndex, index);
        EXPECT_EQ(game->LineCount(), expectedLines[index]);
        TCategorySet seen = 0;
        for (int line = 0; line < kMaxLines; ++line) {
            const TCategorySet set = game->LineCategories(line);
            if (game->LineKickers(line) != 0) continue; // shares the quads of a plain line
            EXPECT_EQ(seen & set, 0u) << "line " << line << " repeats a natural category";
            seen |= set;
            EXPECT_EQ(set >> kNaturalCategoryCount, 0u);
            EXPECT_EQ(line <= game->LastLine, !game->LineName(line).empty()) << line;
        }
        const auto* wild = dynamic_cast<const TWildPokerDescription*>(game.get());
        EXPECT_EQ(wild != nullptr, game->IsWildGame());
        if (wild) {
            // Every wild category that can occur is paid by some line.
            TCategorySet wildSeen = 0;
            for (int line = 0; line <= game->LastLine; ++line)
                wildSeen |= wild->WildLineCategories(line);
            EXPECT_EQ(wildSeen >> kWildCategoryCount, 0u);
            EXPECT_TRUE(wildSeen & (TCategorySet{1} << (wcWild1FlushStrA5 + skAceHigh)));
        }
        EXPECT_THROW(game->LineName(16), ERangeError);
    }
}

TEST(Catalogue, WildRanksJokersAndRenames) {
    const auto deucesJoker = CreateDescription(12);
    EXPECT_EQ(deucesJoker->Name, "Deuces and Joker Wild");
    EXPECT_EQ(deucesJoker->LineCount(), 11);
    EXPECT_EQ(deucesJoker->WildRank, 0);
    EXPECT_EQ(deucesJoker->Jokers, 1);
    EXPECT_FALSE(CreateDescription(kCatalogueSize));
    EXPECT_FALSE(CreateDescription(-1));
    EXPECT_EQ(CreateDescription(0)->WildRank, -5);
    EXPECT_EQ(CreateDescription(3)->WildRank, -1);
    EXPECT_EQ(CreateDescription(8)->Jokers, 2);
    EXPECT_EQ(CreateDescription(20)->WildRank, 5);
    EXPECT_EQ(CreateDescription(20)->LineName(1), "Four 7s");
    EXPECT_EQ(CreateDescription(5)->LineName(2), "Four  7"); // doubled blank kept
    EXPECT_EQ(CreateDescription(34)->LineName(2), "Four  Kings");
    EXPECT_EQ(CreateDescription(6)->LineName(8), "Tens or Better");
    EXPECT_EQ(CreateDescription(13)->LineCategories(8),
              (TCategorySet{1} << (ncPairs2 + 11)) | (TCategorySet{1} << (ncPairs2 + 12)));
    // Renames keep their parent's lines exactly.
    for (int index : {21, 24, 25, 26, 27, 28})
        for (int line = 0; line < kMaxLines; ++line)
            EXPECT_EQ(CreateDescription(index)->LineCategories(line),
                      CreateDescription(0)->LineCategories(line));
    EXPECT_EQ(CreateDescription(16)->LastLine, 9);
    EXPECT_EQ(CreateDescription(16)->LineName(10), "");
}

TEST(Catalogue, WildThreeFlushPaysAsFourOfAKindAndAsAFlush) {
    const auto bit = TCategorySet{1} << wcWild3Flush;
    const auto deuces = CreateDescription(4);
    const auto& wild = dynamic_cast<const TWildPokerDescription&>(*deuces);
    EXPECT_TRUE(wild.WildLineCategories(5) & bit); // Four of Kind
    EXPECT_TRUE(wild.WildLineCategories(7) & bit); // Flush
    for (int game : {3, 8, 16}) {
        const auto joker = CreateDescription(game);
        const auto& jokerWild = dynamic_cast<const TWildPokerDescription&>(*joker);
        for (int line = 0; line <= joker->LastLine; ++line)
            EXPECT_EQ((jokerWild.WildLineCategories(line) & bit) != 0,
                      joker->LineName(line) == "Flush")
                << game << " " << line;
    }
}

TEST(GameNames, OfferedGamesOnly) {
    const auto& names = GameNames();
    ASSERT_EQ(names.size(), 36u);
    EXPECT_EQ(names[12].Name, "Kings or better");
    EXPECT_EQ(names[12].GameIndex, 13);
    EXPECT_EQ(names[0].Name, "Jacks or better");
    EXPECT_EQ(GameName(12), "");
    EXPECT_EQ(GameName(33), "Super Aces");
    EXPECT_EQ(BuildCatalogue().size(), 36u);
}

TEST(GameKeys, FormatParseAndCaption) {
    EXPECT_EQ(GameKey(0, 2), "  0  2");
    EXPECT_EQ(GameKey(-1, -1), " -1 -1");
    EXPECT_EQ(GameKey(34, 11), " 34 11");
    EXPECT_EQ(KeyGameIndex(" 34 11"), 34);
    EXPECT_EQ(KeyPayIndex(" 34 11"), 11);
    EXPECT_EQ(GameKeyCaption(GameKey(-1, -1)), "ALL POKERS");
    EXPECT_EQ(GameKeyCaption(GameKey(0, 2)), "JACKS OR BETTER  (3)");
    EXPECT_EQ(KeyGameIndex("      "), -1);
    EXPECT_EQ(KeyGameIndex("abc  1"), -1);
    EXPECT_EQ(KeyPayIndex("  1"), -1);
    EXPECT_EQ(GameKeyCaption("   xyz"), "ALL POKERS");
}

} // namespace
} // namespace drawmentor
