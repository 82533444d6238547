#include "support/OracleCompare.h"

#include "engine/EngineFactory.h"
#include "engine/PaytableAnalysis.h"
#include "engine/WildEngine.h"
#include "games/Catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <numeric>
#include <random>
#include <span>

namespace drawmentor {
namespace {

using testing::CompareMask;
using testing::DeckKinds;
using testing::EngineForDeal;
using testing::RandomDeal;
using testing::WildCardsInDeck;

void ExpectAllMasksExact(const oracle::TDeckKind& kind, const oracle::TCodes& dealt) {
    TPayout payout;
    const auto engine = EngineForDeal(kind, dealt, payout);
    for (int mask = 0; mask < kMaskCount; ++mask)
        for (const auto& failure : CompareMask(kind, dealt, *engine, mask))
            ADD_FAILURE() << failure;
}

#if DRAWMENTOR_SANITIZED
// The sanitizers slow the enumeration nearly tenfold; they look for memory and
// undefined-behaviour faults, which two deals per deck kind reach: one without
// wild cards, one that mixes wild and natural cards. The exactness itself is
// the unsanitized run's and engine_long_check's.
constexpr int kDeals = 2;
constexpr int kKickerDeals = 2;
int WildInDeal(int deal, int maxWild) {
    return deal * ((maxWild + 1) / 2);
}
#else
// Every possible number of wild cards in turn, so that kept-wild masks are covered.
constexpr int kDeals = 12;
constexpr int kKickerDeals = 40;
int WildInDeal(int deal, int maxWild) {
    return deal % (maxWild + 1);
}
#endif

class EngineMatchesEnumeration : public ::testing::TestWithParam<int> {};

// Seeded random deals of each deck kind.
TEST_P(EngineMatchesEnumeration, OnSeededRandomDeals) {
    const auto& kind = DeckKinds()[GetParam()];
    std::mt19937_64 random(20261207 + GetParam());
    const int maxWild = std::min(5, WildCardsInDeck(kind));
    for (int deal = 0; deal < kDeals; ++deal) {
        const auto dealt = RandomDeal(kind, WildInDeal(deal, maxWild), random);
        SCOPED_TRACE(oracle::CodesText(dealt));
        ExpectAllMasksExact(kind, dealt);
        if (HasFailure()) return; // one failing deal says enough
    }
}

INSTANTIATE_TEST_SUITE_P(DeckKinds, EngineMatchesEnumeration, ::testing::Range(0, 6),
                         [](const ::testing::TestParamInfo<int>& param) {
                             std::string name = DeckKinds()[param.param].Name;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

oracle::TCodes Codes(std::initializer_list<const char*> cards) {
    oracle::TCodes codes{};
    int i = 0, jokers = 0;
    for (const char* text : cards) {
        const auto card = ParseCardText(text);
        codes[i++] = card->Rank < 0 ? 52 + jokers++ : EncodeCard(card->Rank, card->Suit);
    }
    return codes;
}

// Hands whose shapes stress the straight windows, kept pairs and wild-only holds.
TEST(EngineMatchesEnumeration, OnChosenHands) {
    const auto& kinds = DeckKinds();
    const std::pair<int, oracle::TCodes> hands[] = {
        {0, Codes({"AS", "KS", "QS", "JS", "9D"})},
        // The sanitizers stop above: their seeded deals cover every deck kind.
        {1, Codes({"2S", "2C", "2D", "2H", "KH"})},
        {5, Codes({"JK", "2S", "2C", "2D", "2H"})},
        {3, Codes({"JK", "KS", "9D", "6C", "3H"})},
        {4, Codes({"JK", "JK", "TS", "JS", "QD"})},
        {2, Codes({"7S", "7C", "8D", "9H", "AH"})},
        {0, Codes({"AH", "AC", "TS", "6D", "2H"})},
        {0, Codes({"AS", "2S", "3D", "4S", "5H"})},
        {0, Codes({"7S", "7C", "7D", "7H", "KH"})},
        {1, Codes({"2S", "AS", "3S", "4S", "5S"})},
        {1, Codes({"2S", "TH", "JH", "QH", "KH"})},
        {3, Codes({"JK", "AS", "2S", "3S", "4S"})},
        {5, Codes({"JK", "2S", "7D", "7C", "KH"})}};
    const size_t count = DRAWMENTOR_SANITIZED ? 1 : std::size(hands);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(oracle::CodesText(hands[i].second));
        ExpectAllMasksExact(kinds[hands[i].first], hands[i].second);
    }
}

// Two to four aces or 2-4 of one rank, mostly beside other low cards: kickers
// dealt, held, thrown and drawn, quads dealt or completed by the draw.
oracle::TCodes KickerDeal(std::mt19937_64& random) {
    std::vector<int> deck(52);
    std::iota(deck.begin(), deck.end(), 0);
    std::shuffle(deck.begin(), deck.end(), random);
    std::stable_partition(deck.begin(), deck.end(),
                          [](int c) { return c % 13 <= 2 || c % 13 == 12; });
    const int quads = deck[0] % 13;
    std::stable_partition(deck.begin(), deck.end(), [&](int c) { return c % 13 == quads; });
    const int same = 2 + static_cast<int>(random() % 3);
    oracle::TCodes codes{};
    std::copy_n(deck.begin(), same, codes.begin());
    std::copy_n(deck.begin() + (random() % 3 == 0 ? 16 : 4), 5 - same, codes.begin() + same);
    std::shuffle(codes.begin(), codes.end(), random);
    return codes;
}

// Four aces or 2-4 paid for their kicker: every hold's line counts against
// the enumeration, on chosen kicker hands and seeded deals.
TEST(EngineMatchesEnumeration, OnKickerGames) {
    // One kicker game is enough for the sanitizers: the two share their code.
    constexpr int kKickerGames[] = {35, 36};
    for (int game : std::span(kKickerGames).first(DRAWMENTOR_SANITIZED ? 1 : 2)) {
        const oracle::TDeckKind kind{"natural 52 cards", -1, 0, game};
        std::mt19937_64 random(20260611 + game);
        ExpectAllMasksExact(kind, Codes({"AS", "AC", "AD", "AH", "2S"}));
        ExpectAllMasksExact(kind, Codes({"4S", "4C", "4D", "AH", "KS"}));
        for (int deal = 0; deal < kKickerDeals && !HasFailure(); ++deal) {
            const auto dealt = KickerDeal(random);
            SCOPED_TRACE(oracle::CodesText(dealt));
            ExpectAllMasksExact(kind, dealt);
        }
    }
}

// The engines' bench signature: every count of every hold, over a fixed sample
// of the deal classes of each kind of deck, folded into one number. The
// comparisons above prove the counts right on a few hundred deals; this proves
// that a faster engine still gives, bit for bit, what the proven one gave on
// thousands. A changed signature means changed counts: find the deal with the
// comparisons, never by updating the number.
struct TSignature {
    uint64_t Value = 1469598103934665603ull; // FNV-1a over 64-bit words
    void Add(int64_t word) {
        Value ^= static_cast<uint64_t>(word);
        Value *= 1099511628211ull;
    }
};

// Every `stride`-th deal class of the game's deck, under pays that differ line
// by line so that the best hold depends on the line counts.
uint64_t EngineSignature(int game, int stride) {
    const auto description = CreateDescription(game);
    TCalculator calculator;
    auto engine = CreateEngine(*description, calculator);
    TPayout payout;
    for (int line = 0; line <= engine->LastLine(); ++line) payout.Pays[line] = 1000 / (line + 1);
    engine->SetPayout(&payout);
    const auto* wild = dynamic_cast<const TWildEngine*>(engine.get());
    const auto classes = DealClasses(description->Jokers);
    TSignature signature;
    for (size_t i = 0; i < classes.size(); i += stride) {
        engine->DealCodes(classes[i].Codes);
        signature.Add(engine->GetTheBest());
        signature.Add(engine->CurrentLine());
        for (int mask = 0; mask < kMaskCount; ++mask) {
            for (int32_t count : engine->CategoryCounts(mask)) signature.Add(count);
            if (wild)
                for (int32_t count : wild->WildCounts(mask)) signature.Add(count);
            for (int64_t count : engine->LineCounts(mask)) signature.Add(count);
            signature.Add(engine->UnpaidCount(mask));
        }
    }
    return signature.Value;
}

std::string Hex(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016" PRIx64, value);
    return text;
}

TEST(EngineSignature, EveryDeckKindCountsAsTheProvenEngineDid) {
    struct TCase {
        int Game;
        uint64_t Signature;
    };
    // Natural (two paytables), deuces, sevens, one joker, two jokers, deuces and a joker.
    const TCase cases[] = {
        {0, 0x365af438c77b0433ull},  {2, 0xebee2a78f00291f8ull}, {4, 0xa2dce182e1b2f650ull},
        {20, 0x50c735448500dfd2ull}, {3, 0x1fd7715cccc219e4ull}, {8, 0x3f31c5b79de170aeull},
        {12, 0xb9a9e8286d66a6e1ull},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(EngineSignature(c.Game, 41)), Hex(c.Signature)) << "game " << c.Game;
}

} // namespace
} // namespace drawmentor
