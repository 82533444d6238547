// Writes the installed paytable file "DrawMentor.dat": the paytables casinos
// commonly run for each offered game, best-known first; where no standard
// table is known for a game, one in the style of its family.
//
//   make_paytables OUTPUT
//
// Pays are given per coin in the game's line order; the royal flush (the
// "Royal Flush" or "Natural Royal Flush" line) pays 250 per coin for one to
// four coins and its listed figure per coin for five. Unused lines are -1.
#include "core/Error.h"
#include "games/Catalogue.h"
#include "games/PayoutStorage.h"

#include <cstdio>
#include <exception>
#include <vector>

namespace {

using namespace drawmentor;

struct TGamePaytables {
    int Game;
    std::vector<std::vector<int>> PerCoin;
};

const std::vector<TGamePaytables> kPaytables = {
    {0, // Jacks or better: 9/6 full pay, then the shorter pays
     {{800, 50, 25, 9, 6, 4, 3, 2, 1},
      {800, 50, 25, 9, 5, 4, 3, 2, 1},
      {800, 50, 25, 8, 6, 4, 3, 2, 1},
      {800, 50, 25, 8, 5, 4, 3, 2, 1},
      {800, 50, 25, 7, 5, 4, 3, 2, 1},
      {800, 50, 25, 6, 5, 4, 3, 2, 1}}},
    {1, {{800, 100, 50, 25, 8, 5, 5, 4, 3, 2, 1}, {800, 100, 50, 25, 7, 5, 5, 4, 3, 2, 1}}},
    {2, // Double Bonus 10/7, 9/7, 9/6
     {{800, 50, 160, 80, 50, 10, 7, 5, 3, 1, 1},
      {800, 50, 160, 80, 50, 9, 7, 5, 3, 1, 1},
      {800, 50, 160, 80, 50, 9, 6, 5, 3, 1, 1}}},
    {3, {{800, 200, 100, 50, 20, 7, 5, 3, 2, 1, 1}, {940, 200, 100, 50, 18, 7, 5, 3, 2, 1, 1}}},
    {4, // Deuces Wild full pay and its common shorter pays
     {{800, 200, 25, 15, 9, 5, 3, 2, 2, 1},
      {800, 200, 25, 15, 11, 4, 4, 3, 2, 1},
      {800, 200, 25, 16, 10, 4, 4, 3, 2, 1},
      {800, 200, 25, 15, 9, 4, 4, 3, 2, 1}}},
    {5, {{800, 80, 50, 50, 25, 8, 5, 4, 3, 2, 1}}},
    {6, {{800, 50, 25, 6, 5, 4, 3, 2, 1}, {800, 50, 20, 6, 5, 4, 3, 2, 1}}},
    {7,
     {{800, 400, 200, 25, 80, 40, 20, 10, 4, 3, 3, 1, 1},
      {800, 400, 200, 25, 80, 40, 20, 9, 4, 4, 3, 1, 1}}},
    {8, {{800, 100, 50, 25, 9, 5, 4, 3, 2, 1}, {800, 100, 50, 25, 8, 5, 4, 3, 2, 1}}},
    {9, {{800, 500, 25, 17, 10, 4, 3, 2, 2, 1}, {800, 500, 25, 12, 9, 4, 3, 2, 2, 1}}},
    {10, {{800, 80, 50, 40, 25, 8, 5, 4, 3, 2, 1}}},
    {11, // Bonus Poker 8/5, 7/5, 6/5
     {{800, 80, 50, 40, 25, 8, 5, 4, 3, 2, 1},
      {800, 80, 50, 40, 25, 7, 5, 4, 3, 2, 1},
      {800, 80, 50, 40, 25, 6, 5, 4, 3, 2, 1}}},
    {13, {{800, 100, 40, 10, 7, 5, 3, 2, 1}, {800, 100, 40, 9, 6, 5, 3, 2, 1}}},
    {14, {{800, 80, 50, 40, 25, 8, 5, 4, 3, 2, 1}, {800, 80, 50, 40, 25, 7, 5, 4, 3, 2, 1}}},
    {15, {{800, 80, 50, 25, 8, 5, 5, 4, 3, 2, 1}}},
    {16, {{800, 100, 100, 50, 20, 10, 6, 5, 2, 1}, {800, 100, 100, 50, 20, 8, 6, 5, 2, 1}}},
    {17, {{800, 200, 50, 25, 15, 10, 9, 4, 4, 3, 2, 1}}},
    {18, {{800, 200, 15, 25, 15, 9, 4, 4, 3, 2, 1}}},
    {19, {{800, 80, 40, 11, 8, 5, 4, 2}, {800, 80, 40, 10, 7, 6, 4, 2}}},
    {20, {{800, 200, 25, 15, 9, 5, 3, 2, 2, 1}, {800, 200, 25, 15, 9, 4, 4, 3, 2, 1}}},
    {21, // Bonus Poker Deluxe
     {{800, 50, 80, 9, 6, 4, 3, 1, 1},
      {800, 50, 80, 8, 6, 4, 3, 1, 1},
      {800, 50, 80, 8, 5, 4, 3, 1, 1}}},
    {22, {{800, 100, 240, 120, 75, 9, 5, 4, 3, 1, 1}}},
    {23, {{800, 80, 160, 120, 80, 50, 9, 5, 4, 3, 1, 1}}},
    {24, {{800, 200, 40, 8, 8, 8, 3, 1, 1}}},
    {25, {{800, 50, 25, 8, 4, 4, 3, 2, 1}}},
    {26, {{800, 50, 25, 9, 6, 4, 3, 2, 1}, {800, 50, 25, 8, 6, 4, 3, 2, 1}}},
    {27, {{800, 50, 25, 9, 5, 4, 3, 2, 1}}},
    {28, {{800, 100, 25, 8, 5, 4, 3, 2, 1}}},
    {29, {{800, 400, 25, 16, 13, 4, 3, 2, 2, 1}}},
    {30, {{800, 200, 25, 15, 10, 4, 4, 3, 2, 1}}},
    {31, {{800, 50, 240, 80, 50, 9, 6, 4, 3, 1, 1}}},
    {32, {{800, 50, 160, 80, 50, 12, 6, 4, 3, 1, 1}}},
    {33, {{800, 60, 400, 80, 50, 8, 5, 4, 3, 1, 1}}},
    {34,
     {{800, 50, 60, 50, 40, 25, 8, 5, 4, 3, 2, 1}, {800, 50, 80, 60, 40, 20, 8, 5, 4, 3, 2, 1}}},
    {35, // Double Double Bonus 10/6, 9/6, 9/5, 8/5
     {{800, 50, 400, 160, 160, 80, 50, 10, 6, 4, 3, 1, 1},
      {800, 50, 400, 160, 160, 80, 50, 9, 6, 4, 3, 1, 1},
      {800, 50, 400, 160, 160, 80, 50, 9, 5, 4, 3, 1, 1},
      {800, 50, 400, 160, 160, 80, 50, 8, 5, 4, 3, 1, 1}}},
    {36, {{800, 50, 800, 400, 160, 80, 50, 9, 7, 4, 2, 1, 1}}}, // Triple Double Bonus 9/7
};

int RoyalLine(const TPokerDescription& game) {
    for (int line = 0; line <= game.LastLine; ++line)
        if (game.LineName(line) == "Royal Flush" || game.LineName(line) == "Natural Royal Flush")
            return line;
    return -1;
}

TPayTable Expand(const TPokerDescription& game, const std::vector<int>& perCoin) {
    if (static_cast<int>(perCoin.size()) != game.LineCount())
        throw EDrawMentor("wrong number of pays for " + game.Name);
    TPayTable table;
    const int royal = RoyalLine(game);
    for (int coins = 1; coins <= kMaxCoins; ++coins)
        for (int line = 0; line < kMaxLines; ++line) {
            int pay = -1;
            if (line <= game.LastLine) {
                pay = perCoin[line] * coins;
                if (line == royal && coins < kMaxCoins) pay = 250 * coins;
            }
            table.At(coins, line) = pay;
        }
    return table;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_paytables OUTPUT\n");
        return 2;
    }
    try {
        TPayoutStorage store("", argv[1]);
        for (const auto& entry : kPaytables) {
            const auto game = CreateDescription(entry.Game);
            for (const auto& perCoin : entry.PerCoin)
                store.WritePaytable(entry.Game, -1, Expand(*game, perCoin));
        }
        store.Save();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_paytables: %s\n", error.what());
        return 1;
    }
    return 0;
}
