#pragma once

#include "PokerDescription.h"

#include <array>
#include <cstdint>
#include <string>

namespace drawmentor {

inline constexpr int kMaxCoins = 5;
inline constexpr int kMaxPay = 99999;

// Coins returned per line for 1..5 coins bet, coins-major: the 16 lines for one
// coin, then for two coins, ... Lines above a game's LastLine are unused (-1).
struct TPayTable {
    std::array<std::array<int32_t, kMaxLines>, kMaxCoins> Pays{};

    int32_t& At(int coins, int line);
    int32_t At(int coins, int line) const;
    friend bool operator==(const TPayTable&, const TPayTable&) = default;
};

// The pays of the current bet, shared by the game engine (which fills Pays)
// and the strategy engine (which writes LastLine and DeckSize when attached).
class TPayout {
  public:
    int32_t LastLine = 0;
    std::array<int32_t, kMaxLines> Pays{};
    int32_t DeckSize = 0;

    void SetFromTable(const TPayTable& table, int coins);
};

// What players call a paytable of a game without wild cards: the one-coin
// pays of the full house and the flush, "9/6". Empty for a wild game, a game
// without those lines, or a paytable with an empty cell there.
std::string PaytableShortName(const TPokerDescription& game, const TPayTable& pays);

// A hand of poker's standard ranking (four of a kind, full house, flush,
// straight, three of a kind, two pairs) that pays less than the
// next lower one the game has, for the same coins: a slip of the keyboard
// more often than a paytable anyone plays. Bonus lines are left alone: games
// order and pay them in their own ways.
struct TPayInversion {
    int Line = -1; // -1: none
    int Below = -1;
    int Coins = 0;
};
// The first such pair from the top; empty cells compare with nothing.
TPayInversion FindPayInversion(const TPokerDescription& game, const TPayTable& pays);

} // namespace drawmentor
