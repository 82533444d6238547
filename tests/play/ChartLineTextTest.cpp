// Chart line names put into words by the shipped language files.
#include "play/ChartLineText.h"

#include "charts/ChartLine.h"
#include "games/Catalogue.h"
#include "prefs/Texts.h"

#include "support/CardText.h"
#include "support/Paytables.h"
#include "support/TempFolders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>
#include <numeric>
#include <random>

namespace drawmentor {
namespace {

using testing::HandCodes;
using testing::kDeucesFull;
using testing::kJacks96;

// The mask that keeps the cards marked '+' in "+ + + + -".
int Keep(const std::string& marks) {
    int mask = 0, pos = 0;
    for (char c : marks)
        if (c != ' ') mask |= (c == '-') << pos++;
    return mask;
}

std::string Text(const TNamePart& name, const TTexts& texts) {
    return ChartNameText(name, texts).toStdString();
}

class ChartLineTextTest : public ::testing::Test {
  protected:
    ChartLineTextTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        en.Load(QStringLiteral("ENG"));
        ru.Load(QStringLiteral("RUS"));
    }
    testing::TTempFolders folders;
    TTexts en, ru;
};

TEST_F(ChartLineTextTest, HoldClassesInEnglishAndRussian) {
    const THoldRules jacks = MakeHoldRules(*CreateDescription(0), kJacks96);
    const THoldClassifier classifier(jacks);
    const auto name = [&](const char* hand, const char* keep, const TTexts& language) {
        return Text(HoldClassName(classifier.Classify(HandCodes(hand), Keep(keep)), jacks),
                    language);
    };
    EXPECT_EQ(name("QS JS 9S 4D 2C", "+ + - - -", en),
              "QJ suited, with a flush and a straight penalty");
    EXPECT_EQ(name("QS JS 5D 4D 2C", "+ + - - -", en), "QJ suited");
    EXPECT_EQ(name("QS JS 5D 4D 2C", "+ + - - -", ru), "QJ одной масти");
    EXPECT_EQ(name("2H 2C 7S 8S JD", "+ + - - -", en), "Low Pair (22–TT)");
    EXPECT_EQ(name("2H 2C 7S 8S JD", "+ + - - -", ru), "Младшая пара (22–TT)");
    EXPECT_EQ(name("JH JD 3C 7S 9H", "+ + - - -", en), "High Pair (JJ–AA)");
    EXPECT_EQ(name("5S 6D 7C 8H KS", "+ + + + -", en), "4 to an Outside Straight (no high card)");
    EXPECT_EQ(name("5S 6D 7C 8H KS", "+ + + + -", ru),
              "4 карты к открытому стриту (без старших карт)");
    EXPECT_EQ(name("5S 6S 8S KD 2C", "+ + + - -", en),
              "3 to a Straight Flush (1 gap, no high card)");
    EXPECT_EQ(name("5S 6S 8S KD 2C", "+ + + - -", ru),
              "3 карты к стрит-флешу (1 пропуск, без старших карт)");
    // Cut by the edge: the ranks themselves, an Ace low beside 2-5.
    EXPECT_EQ(name("AS 2S 3S KD 8C", "+ + + - -", en), "3 to a Straight Flush: 32A");
    EXPECT_EQ(name("KS QD JC 5H 3S", "+ + + - -", en), "KQJ unsuited");
    EXPECT_EQ(name("KS QD JC 5H 3S", "- - - - -", ru), "Сбросить все карты");
    EXPECT_EQ(name("TS JS QS KS 9S", "+ + + + +", en), "Straight Flush");
    const THoldRules deuces = MakeHoldRules(*CreateDescription(4), kDeucesFull);
    const THoldClassifier wild(deuces);
    const auto wildName = [&](const char* hand, const char* keep, const TTexts& language) {
        return Text(HoldClassName(wild.Classify(HandCodes(hand), Keep(keep)), deuces), language);
    };
    EXPECT_EQ(wildName("2H 2C 7S 8S JD", "+ + - - -", en), "2 Deuces");
    EXPECT_EQ(wildName("2H 2C 7S 8S JD", "+ + - - -", ru), "2 двойки");
    EXPECT_EQ(wildName("2H KS QS JS 5D", "+ + + + -", en), "1 Deuce: 4 to a Royal Flush (KQJ)");
    EXPECT_EQ(wildName("AS KS QS JS 5D", "+ + + + -", ru),
              "Без двоек: 4 карты к роял-флешу (AKQJ)");
    EXPECT_EQ(wildName("AS 3D 4C 5H 9S", "+ + + + -", en), "No Deuce: 4 to a Straight: 543A");
    // A held seven stands in for the seven: 4 or 9 completes 5 6 8.
    const THoldRules sevens = MakeHoldRules(*CreateDescription(20), kDeucesFull);
    const THoldClass open =
        THoldClassifier(sevens).Classify(HandCodes("7H 5S 6S 8S KD"), Keep("+ + + + -"));
    EXPECT_EQ(HoldClassKey(open), "sf4.o2.w1:h0");
    EXPECT_EQ(Text(HoldClassName(open, sevens), en),
              "1 Seven: 4 to a Straight Flush (completed by 2 ranks)");
    EXPECT_EQ(Text(HoldClassName(open, sevens), ru),
              "1 семёрка: 4 карты к стрит-флешу (дополняют 2 ранга)");
}

// A paytable's own line names read in the sentence's language; a name without
// a translation stays as it is.
TEST_F(ChartLineTextTest, PaytableLinesInRussian) {
    const auto line = [&](const char* name, const TTexts& language) {
        return PaytableLineText(name, language).toStdString();
    };
    EXPECT_EQ(line("Natural Royal Flush", ru), "Натуральный роял-флеш");
    EXPECT_EQ(line("Four of Kind", ru), "Каре");
    EXPECT_EQ(line("Four 5-K", ru), "Каре 5–K");
    EXPECT_EQ(line("Four 5-K", en), "Four 5–K"); // the same dash as its kicker lines
    EXPECT_EQ(line("Four Nines", ru), "Four Nines");
    EXPECT_EQ(line("Four Aces with 2-4", ru), "Четыре туза с кикером 2–4");
    EXPECT_EQ(line("Four 2-4 with A-4", en), "Four 2–4 with A–4");
    // The small wins a table names, however the catalogue spells them.
    EXPECT_EQ(line("Two Pairs", ru), "Две пары");
    EXPECT_EQ(line("Three of Kind", ru), "Тройка");
    EXPECT_EQ(line("Tens or better", ru), "Десятки или старше");
    EXPECT_EQ(line("Four  Kings", ru), "Четыре короля");
    EXPECT_EQ(line("Four of Kind", en), "Four of Kind");
    // No line of an offered game shows its English name in a Russian table.
    for (int game = 0; game < kCatalogueSize; ++game) {
        const auto description = CreateDescription(game);
        for (int pay = 0; pay < description->LineCount(); ++pay)
            EXPECT_NE(line(description->LineName(pay).c_str(), ru), description->LineName(pay))
                << "game " << game;
    }
}

// Line names say only what tells the line from the rest of its family.
TEST_F(ChartLineTextTest, LinesDescribeVariantsAndPenalties) {
    const THoldRules jacks = MakeHoldRules(*CreateDescription(0), kJacks96);
    TLineDefinition definition;
    definition.Family = THoldClass::Make(THoldKind::Royal, 2, 0).Family();
    definition.Universe = 0x3FF;
    definition.Variants = 0x3FF;
    EXPECT_EQ(Text(LineName(definition, jacks), en), "2 to a Royal Flush");
    EXPECT_EQ(LineKey(definition), "royal2");
    // AK AQ AJ KQ KJ QJ: every pair of paying ranks.
    definition.Variants = (1u << 0) | (1u << 1) | (1u << 2) | (1u << 4) | (1u << 5) | (1u << 7);
    EXPECT_EQ(Text(LineName(definition, jacks), en), "2 suited high cards");
    EXPECT_EQ(LineKey(definition), "royal2[AK,AQ,AJ,KQ,KJ,QJ]");
    definition.Variants = (1u << 8) | (1u << 9);
    definition.PenaltyMask = kFlushPenalty;
    EXPECT_EQ(Text(LineName(definition, jacks), en), "QT or JT suited, no flush penalty");
    EXPECT_EQ(LineKey(definition), "royal2[QT,JT]-flush");
    definition.PenaltyMask = definition.PenaltyValue = kFlushPenalty | kStraightPenalty;
    EXPECT_EQ(Text(LineName(definition, jacks), ru),
              "QT или JT одной масти, со штрафными картами к флешу и стриту");
    TLineDefinition flush;
    flush.Family = THoldClass::Make(THoldKind::Flush, 4, 0).Family();
    flush.Universe = 0xF;
    flush.Variants = 0x7;
    EXPECT_EQ(Text(LineName(flush, jacks), en), "4 to a Flush (at most 2 high cards)");
    flush.Variants = 0xE;
    EXPECT_EQ(Text(LineName(flush, jacks), en), "4 to a Flush (at least 1 high card)");
    flush.Variants = 0x6;
    EXPECT_EQ(Text(LineName(flush, jacks), en), "4 to a Flush (1–2 high cards)");
    flush.Variants = 0x5;
    EXPECT_EQ(Text(LineName(flush, jacks), en), "4 to a Flush (0 or 2 high cards)");
    EXPECT_TRUE(flush.Matches(THoldClass::Make(THoldKind::Flush, 4, 0, 0, 0, 2, 3)));
    EXPECT_FALSE(flush.Matches(THoldClass::Make(THoldKind::Flush, 4, 0, 0, 0, 1)));
}

// Sampled deals of natural, deuces, sevens and joker games (any pays fit: the
// words follow the wild cards), and lines that cover all, one or some variants
// of each family seen: every word they ask for is in every shipped language.
TEST_F(ChartLineTextTest, EveryWordAChartAsksForIsInEveryLanguage) {
    const auto handler =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            ADD_FAILURE() << text.toStdString();
        });
    std::mt19937 random(7);
    for (int index : {0, 4, 8, 20}) {
        const THoldRules rules =
            MakeHoldRules(*CreateDescription(index), index == 0 ? kJacks96 : kDeucesFull);
        const THoldClassifier classifier(rules);
        std::map<uint32_t, uint32_t> variants; // of each family seen
        std::vector<TNamePart> names;
        std::vector<int> deck(static_cast<size_t>(52 + rules.Jokers));
        std::iota(deck.begin(), deck.end(), 0);
        for (int deal = 0; deal < 3000; ++deal) {
            std::array<int, kHandSize> codes{};
            std::sample(deck.begin(), deck.end(), codes.begin(), kHandSize, random);
            for (int mask = 0; mask < kMaskCount; ++mask) {
                const THoldClass hold = classifier.Classify(codes, mask);
                if (variants[hold.Family()] == 0) names.push_back(HoldClassName(hold, rules));
                variants[hold.Family()] |= 1u << hold.Variant();
            }
        }
        for (const auto& [family, seen] : variants) {
            const uint32_t low = seen & -seen, high = 1u << (31 - std::countl_zero(seen));
            for (uint32_t chosen : {seen, low, seen & ~low, seen & ~high, low | high})
                names.push_back(LineName({family, chosen, seen, 0, 0}, rules));
        }
        for (const TTexts* language : {&en, &ru})
            for (const TNamePart& name : names)
                EXPECT_EQ(Text(name, *language).find('%'), std::string::npos);
    }
    qInstallMessageHandler(handler);
}

} // namespace
} // namespace drawmentor
