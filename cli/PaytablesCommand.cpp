#include "Arguments.h"
#include "Commands.h"
#include "PaytableSource.h"

#include "games/Catalogue.h"
#include "games/PayoutStorage.h"
#include "play/PaytableStore.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace drawmentor::cli {

int RunPaytables(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words, {"game", "data-dir"}, {"json"});
    ApplyDataDir(args);
    if (!args.Has("game")) throw EUsage("paytables needs --game G");
    if (!args.Positional().empty()) throw EUsage("paytables takes no cards or words");
    const int gameIndex = args.Int("game", 0, 0, kCatalogueSize - 1);
    if (GameName(gameIndex).empty())
        throw EUsage("game " + std::to_string(gameIndex) + " is not offered");
    const auto game = CreateDescription(gameIndex);
    const auto store = OpenPaytableStore();
    const int count = store->PaytableCount(gameIndex);

    if (args.Flag("json")) {
        nlohmann::ordered_json lines = nlohmann::ordered_json::array();
        for (int line = 0; line <= game->LastLine; ++line) lines.push_back(game->LineName(line));
        nlohmann::ordered_json tables = nlohmann::ordered_json::array();
        for (int index = 0; index < count; ++index) {
            const TPayTable table = store->ReadPaytable(gameIndex, index);
            nlohmann::ordered_json byCoins = nlohmann::ordered_json::array();
            for (int coins = 1; coins <= kMaxCoins; ++coins) {
                nlohmann::ordered_json pays = nlohmann::ordered_json::array();
                for (int line = 0; line <= game->LastLine; ++line)
                    pays.push_back(table.At(coins, line));
                byCoins.push_back(pays);
            }
            tables.push_back({{"index", index}, {"pays", byCoins}});
        }
        out << nlohmann::ordered_json{{"game", gameIndex},
                                      {"name", game->Name},
                                      {"lines", lines},
                                      {"paytables", tables}}
                   .dump()
            << '\n';
        return 0;
    }
    out << game->Name << ": " << count << (count == 1 ? " paytable" : " paytables") << '\n';
    char text[128];
    for (int index = 0; index < count; ++index) {
        const TPayTable table = store->ReadPaytable(gameIndex, index);
        out << "\nPaytable " << index << "\n";
        std::snprintf(text, sizeof text, "  %-26s %7s %7s %7s %7s %7s\n", "Coins bet", "1", "2",
                      "3", "4", "5");
        out << text;
        for (int line = 0; line <= game->LastLine; ++line) {
            std::snprintf(text, sizeof text, "  %-26s", game->LineName(line).c_str());
            out << text;
            for (int coins = 1; coins <= kMaxCoins; ++coins) {
                std::snprintf(text, sizeof text, " %7d", table.At(coins, line));
                out << text;
            }
            out << '\n';
        }
    }
    return 0;
}

} // namespace drawmentor::cli
