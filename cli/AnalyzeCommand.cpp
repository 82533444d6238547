#include "Arguments.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "games/Catalogue.h"
#include "strategy/EngineFactory.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <ostream>

namespace drawmentor::cli {
namespace {

// Five card codes from the command line; the first "JK" is joker 52, the
// second joker 53, and only as many as the game's deck holds.
std::vector<int> ParseDealtCards(const std::vector<std::string>& words, int jokers) {
    if (words.size() != kHandSize)
        throw EUsage("expected 5 cards, got " + std::to_string(words.size()));
    std::vector<int> codes;
    int jokersSeen = 0;
    for (const auto& word : words) {
        const auto card = ParseCardText(word);
        if (!card) throw EUsage("unknown card '" + word + "'");
        int code = 0;
        if (card->Rank < 0) {
            if (jokersSeen >= jokers)
                throw EUsage(jokers == 0 ? "this game has no joker"
                                         : "too many jokers for this game");
            code = kFirstJokerCode + jokersSeen++;
        } else {
            code = EncodeCard(card->Rank, card->Suit);
        }
        if (std::find(codes.begin(), codes.end(), code) != codes.end())
            throw EUsage("card '" + word + "' given twice");
        codes.push_back(code);
    }
    return codes;
}

std::vector<std::string> HeldCards(const std::vector<int>& codes, int mask) {
    std::vector<std::string> held;
    for (int pos = 0; pos < kHandSize; ++pos)
        if (!IsBitSet(mask, pos)) held.push_back(CardCodeText(codes[pos]));
    return held;
}

std::string HeldText(const std::vector<int>& codes, int mask) {
    std::string text;
    for (int pos = 0; pos < kHandSize; ++pos)
        text += (IsBitSet(mask, pos) ? std::string("--") : CardCodeText(codes[pos])) + " ";
    return text;
}

void PrintJson(const TPokerEngine& engine, int game, int bet, const std::vector<int>& pays,
               const std::vector<int>& codes, int best, std::ostream& out) {
    nlohmann::ordered_json cards = nlohmann::ordered_json::array();
    for (int code : codes) cards.push_back(CardCodeText(code));
    nlohmann::ordered_json holds = nlohmann::ordered_json::array();
    for (int mask = 0; mask < kMaskCount; ++mask) {
        nlohmann::ordered_json lines = nlohmann::ordered_json::array();
        for (int line = 0; line <= engine.LastLine; ++line)
            lines.push_back(engine.LineCount(line, mask));
        holds.push_back({{"mask", mask},
                         {"held", HeldCards(codes, mask)},
                         {"ev", static_cast<double>(engine.DrawReturn(mask))},
                         {"outcomes", engine.OutcomeCount(mask)},
                         {"lines", lines},
                         {"unpaid", engine.UnpaidCount(mask)}});
    }
    const nlohmann::ordered_json document = {{"game", game},      {"bet", bet},
                                             {"pays", pays},      {"cards", cards},
                                             {"best_mask", best}, {"holds", holds}};
    out << document.dump() << '\n';
}

void PrintTable(const TPokerEngine& engine, int bet, const std::vector<int>& pays,
                const std::vector<int>& codes, int best, std::ostream& out) {
    char text[256];
    out << engine.GameName << ", " << bet << (bet == 1 ? " coin" : " coins") << ", dealt "
        << HeldText(codes, 0) << "\n\n";
    std::vector<int> order(kMaskCount);
    std::iota(order.begin(), order.end(), 0);
    // Best first; equal returns keep the engine's tie-break (lowest mask).
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return engine.DrawReturn(a) > engine.DrawReturn(b); });
    out << "  #  Hold              Return";
    for (int line = 0; line <= engine.LastLine; ++line) {
        std::snprintf(text, sizeof text, "  %6s", ("L" + std::to_string(line)).c_str());
        out << text;
    }
    out << "\n";
    for (int rank = 0; rank < kMaskCount; ++rank) {
        const int mask = order[rank];
        std::snprintf(text, sizeof text, "%3d  %-15s %9.5f", rank + 1,
                      HeldText(codes, mask).c_str(), static_cast<double>(engine.DrawReturn(mask)));
        out << text;
        for (int line = 0; line <= engine.LastLine; ++line) {
            const double percent = 100.0 * static_cast<double>(engine.LineProbability(line, mask));
            if (percent == 0)
                std::snprintf(text, sizeof text, "  %6s", "-");
            else
                std::snprintf(text, sizeof text, "  %6.3f", percent);
            out << text;
        }
        out << (mask == best ? "  <- best\n" : "\n");
    }
    out << "\nReturn in coins for the whole bet; L columns: chance of each line in percent.\n";
    for (int line = 0; line <= engine.LastLine; ++line) {
        std::snprintf(text, sizeof text, "  L%-3d %-24s pays %d\n", line,
                      engine.LineNames[line].c_str(), pays[line]);
        out << text;
    }
}

} // namespace

int RunAnalyze(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words, {"game", "pays", "paytable", "bet", "data-dir"}, {"json"});
    ApplyDataDir(args);
    if (!args.Has("game")) throw EUsage("analyze needs --game G");
    const int game = args.Int("game", 0, 0, kCatalogueSize - 1);
    const auto description = CreateDescription(game);
    const int bet = args.Int("bet", kMaxCoins, 1, kMaxCoins);
    const std::vector<int> dealt = ParseDealtCards(args.Positional(), description->Jokers);
    const std::vector<int> pays = PaysFromArguments(args, *description, bet);

    auto engine = CreateEngine(*description);
    TPayout payout;
    std::copy(pays.begin(), pays.end(), payout.Pays.begin());
    engine->SetPayout(&payout);
    engine->DealCodes(dealt);
    const int best = engine->GetTheBest();
    if (args.Flag("json"))
        PrintJson(*engine, game, bet, pays, dealt, best, out);
    else
        PrintTable(*engine, bet, pays, dealt, best, out);
    return 0;
}

} // namespace drawmentor::cli
