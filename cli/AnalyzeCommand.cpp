#include "Arguments.h"
#include "Commands.h"
#include "DealtCards.h"
#include "PaytableSource.h"

#include "engine/EngineFactory.h"
#include "games/Catalogue.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <ostream>
#include <sstream>

namespace drawmentor::cli {
namespace {

std::string HeldText(const std::vector<int>& codes, int mask) {
    std::string text;
    for (int pos = 0; pos < kHandSize; ++pos)
        text += (IsBitSet(mask, pos) ? std::string("--") : CardCodeText(codes[pos])) + " ";
    return text;
}

constexpr size_t kLineColumn = 7;

// A line name cut to `width` characters for a column heading: number words
// become digits, "X or Better" becomes "X+", small words go, and the longest
// words lose letters first, so every word keeps its start.
std::string Abbreviate(const std::string& name, size_t width) {
    static const std::map<std::string, std::string> kShort = {{"Two", "2"},    {"Three", "3"},
                                                              {"Four", "4"},   {"Five", "5"},
                                                              {"Better", "+"}, {"better", "+"}};
    std::vector<std::string> words;
    std::istringstream in(name);
    for (std::string word; in >> word;) {
        if (word == "of" || word == "or" || word == "and" || word == "the" || word == "/") continue;
        const auto found = kShort.find(word);
        words.push_back(found == kShort.end() ? word : found->second);
    }
    const auto joined = [&](const char* gap) {
        std::string text;
        for (const auto& word : words) text += (text.empty() || word == "+" ? "" : gap) + word;
        return text;
    };
    if (joined(" ").size() <= width) return joined(" ");
    while (joined("").size() > width) {
        auto longest = std::max_element(
            words.begin(), words.end(),
            [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
        if (longest->size() <= 1) break;
        longest->pop_back();
    }
    return joined("").substr(0, width);
}

// Headings for the line columns; a name whose short form another line of the
// game already has keeps its number instead.
std::vector<std::string> LineHeadings(const TPokerEngine& engine) {
    std::vector<std::string> headings;
    for (int line = 0; line <= engine.LastLine(); ++line) {
        std::string heading = Abbreviate(engine.LineNames()[line], kLineColumn);
        if (heading.empty() ||
            std::find(headings.begin(), headings.end(), heading) != headings.end())
            heading = "L" + std::to_string(line);
        headings.push_back(heading);
    }
    return headings;
}

void PrintJson(const TPokerEngine& engine, int game, int bet, const std::vector<int>& pays,
               const std::vector<int>& codes, int best, std::ostream& out) {
    nlohmann::ordered_json cards = nlohmann::ordered_json::array();
    for (int code : codes) cards.push_back(CardCodeText(code));
    nlohmann::ordered_json holds = nlohmann::ordered_json::array();
    for (int mask = 0; mask < kMaskCount; ++mask) {
        nlohmann::ordered_json lines = nlohmann::ordered_json::array();
        for (int line = 0; line <= engine.LastLine(); ++line)
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
    out << engine.GameName() << ", " << bet << (bet == 1 ? " coin" : " coins") << ", dealt "
        << HeldText(codes, 0) << "\n\n";
    std::vector<int> order(kMaskCount);
    std::iota(order.begin(), order.end(), 0);
    // Best first; equal returns keep the engine's tie-break (lowest mask).
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return engine.DrawReturn(a) > engine.DrawReturn(b); });
    const std::vector<std::string> headings = LineHeadings(engine);
    out << "  #  Hold              Return  Mask";
    for (const auto& heading : headings) {
        std::snprintf(text, sizeof text, "  %7s", heading.c_str());
        out << text;
    }
    out << "\n";
    for (int rank = 0; rank < kMaskCount; ++rank) {
        const int mask = order[rank];
        std::snprintf(text, sizeof text, "%3d  %-15s %9.5f  %4d", rank + 1,
                      HeldText(codes, mask).c_str(), static_cast<double>(engine.DrawReturn(mask)),
                      mask);
        out << text;
        for (int line = 0; line <= engine.LastLine(); ++line) {
            const double percent = 100.0 * static_cast<double>(engine.LineProbability(line, mask));
            if (percent == 0)
                std::snprintf(text, sizeof text, "  %7s", "-");
            else
                std::snprintf(text, sizeof text, "  %7.3f", percent);
            out << text;
        }
        out << (mask == best ? "  <- best\n" : "\n");
    }
    out << "\nHold: the cards kept; -- marks a card that is replaced. Mask: the replaced cards as "
           "bits,\n"
           "bit i (value 2^i) set when the card at position i (0 first) is replaced; 0 holds all "
           "five.\n"
           "Return in coins for the whole bet; one column per paytable line: its chance in "
           "percent.\n";
    for (int line = 0; line <= engine.LastLine(); ++line) {
        std::snprintf(text, sizeof text, "  %-7s  %-24s pays %d\n", headings[line].c_str(),
                      engine.LineNames()[line].c_str(), pays[line]);
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
