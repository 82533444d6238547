#pragma once

#include "PokerDescription.h"

#include <array>
#include <cstdint>

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

} // namespace drawmentor
