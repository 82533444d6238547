#include "Arguments.h"
#include "Commands.h"

#include "cards/Cards.h"
#include "games/Catalogue.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <ostream>

namespace drawmentor::cli {
namespace {

std::string WildText(const TPokerDescription& game) {
    std::string text;
    if (game.WildRank >= 0) text = std::string(1, kRankLetters[game.WildRank]) + "s";
    if (game.Jokers > 0) {
        if (!text.empty()) text += " + ";
        text += std::to_string(game.Jokers) + (game.Jokers == 1 ? " joker" : " jokers");
    }
    return text.empty() ? "none" : text;
}

int DeckSize(const TPokerDescription& game) {
    return 52 + game.Jokers;
}

} // namespace

int RunGames(const std::vector<std::string>& words, std::ostream& out) {
    const TArguments args(words, {}, {"json"});
    if (!args.Positional().empty()) throw EUsage("games takes no cards or words");
    const auto catalogue = BuildCatalogue();
    if (args.Flag("json")) {
        nlohmann::ordered_json games = nlohmann::ordered_json::array();
        for (const auto& game : catalogue) {
            nlohmann::ordered_json lines = nlohmann::ordered_json::array();
            for (int line = 0; line <= game->LastLine; ++line)
                lines.push_back(game->LineName(line));
            games.push_back({{"index", game->GameIndex},
                             {"name", game->Name},
                             {"wild_rank", game->WildRank >= 0
                                               ? nlohmann::ordered_json(
                                                     std::string(1, kRankLetters[game->WildRank]))
                                               : nlohmann::ordered_json(nullptr)},
                             {"jokers", game->Jokers},
                             {"deck_size", DeckSize(*game)},
                             {"lines", lines}});
        }
        out << nlohmann::ordered_json{{"games", games}}.dump(1) << '\n';
        return 0;
    }
    for (const auto& game : catalogue) {
        char head[160];
        std::snprintf(head, sizeof head, "%2d  %-26s wild: %-14s deck: %d cards, %d lines\n",
                      game->GameIndex, game->Name.c_str(), WildText(*game).c_str(), DeckSize(*game),
                      game->LineCount());
        out << head;
        for (int line = 0; line <= game->LastLine; ++line)
            out << "      " << line << "  " << game->LineName(line) << '\n';
    }
    return 0;
}

} // namespace drawmentor::cli
