#include "OracleCompare.h"

#include "cards/Categories.h"
#include "engine/EngineFactory.h"
#include "engine/WildEngine.h"
#include "games/Catalogue.h"

#include <algorithm>

namespace drawmentor::testing {

const std::vector<oracle::TDeckKind>& DeckKinds() {
    static const std::vector<oracle::TDeckKind> kinds = {
        {"natural 52 cards", -1, 0, 0}, {"deuces wild", 0, 0, 4},
        {"sevens wild", 5, 0, 20},      {"one joker", -1, 1, 3},
        {"two jokers", -1, 2, 8},       {"deuces and one joker", 0, 1, 12},
    };
    return kinds;
}

int WildCardsInDeck(const oracle::TDeckKind& kind) {
    return (kind.WildRank >= 0 ? 4 : 0) + kind.Jokers;
}

std::unique_ptr<TPokerEngine> EngineForDeal(const oracle::TDeckKind& kind,
                                            const oracle::TCodes& dealt, TPayout& payout) {
    auto engine = CreateEngineForGame(kind.GameIndex);
    payout.Pays.fill(0);
    for (int line = 0; line <= engine->LastLine(); ++line) payout.Pays[line] = 100 - 5 * line;
    engine->SetPayout(&payout);
    engine->DealCodes(dealt);
    engine->GetTheBest();
    return engine;
}

oracle::TCodes RandomDeal(const oracle::TDeckKind& kind, int wild, std::mt19937_64& random) {
    std::vector<int> wilds, naturals;
    for (int code = 0; code < 52 + kind.Jokers; ++code)
        (oracle::IsWildCode(code, kind.WildRank) ? wilds : naturals).push_back(code);
    std::shuffle(wilds.begin(), wilds.end(), random);
    std::shuffle(naturals.begin(), naturals.end(), random);
    wild = std::min<int>(wild, static_cast<int>(wilds.size()));
    std::vector<int> cards(wilds.begin(), wilds.begin() + wild);
    cards.insert(cards.end(), naturals.begin(), naturals.begin() + (5 - wild));
    std::shuffle(cards.begin(), cards.end(), random);
    oracle::TCodes codes{};
    std::copy(cards.begin(), cards.end(), codes.begin());
    return codes;
}

std::vector<std::string> CompareMask(const oracle::TDeckKind& kind, const oracle::TCodes& dealt,
                                     const TPokerEngine& engine, int mask) {
    const oracle::TOracleCounts expected = oracle::EnumerateDraws(kind, dealt, mask);
    const auto* wild = dynamic_cast<const TWildEngine*>(&engine);
    std::vector<std::string> failures;
    const auto report = [&](std::string_view key, int64_t got, int64_t want) {
        failures.push_back(kind.Name + " (game " + std::to_string(kind.GameIndex) + "), hand " +
                           oracle::CodesText(dealt) + ", mask " + std::to_string(mask) + ", " +
                           std::string(key) + ": engine " + std::to_string(got) + ", enumeration " +
                           std::to_string(want));
    };
    for (int c = 0; c < kNaturalCategoryCount; ++c)
        if (engine.CategoryCounts(mask)[c] != expected.Natural[c])
            report(NaturalCategoryKeys[c], engine.CategoryCounts(mask)[c], expected.Natural[c]);
    for (int c = 0; c < kWildCategoryCount; ++c) {
        const int64_t got = wild ? wild->WildCounts(mask)[c] : 0;
        if (got != expected.Wild[c]) report(WildCategoryKeys[c], got, expected.Wild[c]);
    }
    if (!wild) { // the lines, with quads paid by their fifth card's rank where a line says so
        const auto kickers = CreateDescription(kind.GameIndex)->KickerLines();
        std::array<int64_t, kMaxLines + 1> lines{};
        for (int c = 0; c < kNaturalCategoryCount; ++c)
            lines[engine.CategoryLine(c) < 0 ? kMaxLines : engine.CategoryLine(c)] +=
                expected.Natural[c];
        for (int q = 0; q < kRankCount; ++q)
            for (int r = 0; r < kRankCount; ++r)
                if (const int line = kickers.Line[q][r]; line >= 0) {
                    lines[line] += expected.Quads[q][r];
                    lines[engine.CategoryLine(ncFourOfKind2 + q)] -= expected.Quads[q][r];
                }
        for (int line = 0; line <= engine.LastLine(); ++line)
            if (engine.LineCounts(mask)[line] != lines[line])
                report(engine.LineNames()[line], engine.LineCounts(mask)[line], lines[line]);
    }
    if (engine.OutcomeCount(mask) != expected.Outcomes)
        report("outcomes", engine.OutcomeCount(mask), expected.Outcomes);
    return failures;
}

} // namespace drawmentor::testing
