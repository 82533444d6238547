#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The card vocabulary every layer speaks.
//
//   rank   0..12  = 2 3 4 5 6 7 8 9 T J Q K A   (the Ace is high, 12)
//   suit   0..3   = S C D H
//   joker  rank -1, suit -1 (IsWild also accepts -2)
//   code   0..51  = suit * 13 + rank; 52 and 53 are the jokers
//   packed hand   = code[0] + 60*code[1] + ... + 60^4*code[4]  (fits in int32)
//   draw mask     5 bits, bit i set = the card at position i is replaced
namespace drawmentor {

inline constexpr int kRankCount = 13;
inline constexpr int kSuitCount = 4;
inline constexpr int kHandSize = 5;
inline constexpr int kMaskCount = 32;
inline constexpr int kJokerRank = -1;
inline constexpr int kNoWildRank = -1;
inline constexpr int kFirstJokerCode = 52;
inline constexpr int kMaxCardCode = 53;
// Used-card flags of a deal cover codes 0..kUsedCardFlags-1.
inline constexpr int kUsedCardFlags = 61;

inline constexpr int kRankTen = 8;
inline constexpr int kRankJack = 9;
inline constexpr int kRankKing = 11;
inline constexpr int kRankAce = 12;

inline constexpr std::string_view kRankLetters = "23456789TJQKA";
inline constexpr std::string_view kSuitLetters = "SCDH";

struct TCard {
    int Rank = kJokerRank;
    int Suit = -1;
    friend bool operator==(const TCard&, const TCard&) = default;
};

// Maps codes 0..51 to (rank, suit) and every code >= 52 to the joker (-1, -1).
TCard DecodeCard(int code);
// Inverse of DecodeCard for natural cards; jokers have no single code.
int EncodeCard(int rank, int suit);

int32_t PackHand(const std::array<int, kHandSize>& codes);
std::array<int, kHandSize> UnpackHand(int32_t packed);

constexpr bool IsBitSet(int mask, int bit) {
    return ((mask >> bit) & 1) != 0;
}

// Number of cards drawn under each mask (its set bits).
inline constexpr std::array<int, kMaskCount> kDrawCount = [] {
    std::array<int, kMaskCount> counts{};
    for (int mask = 0; mask < kMaskCount; ++mask)
        for (int bit = 0; bit < kHandSize; ++bit) counts[mask] += IsBitSet(mask, bit) ? 1 : 0;
    return counts;
}();

// Range-checked access to kDrawCount: a mask above 31 is an error.
int DrawCount(int mask);

inline constexpr int kBinomialMaxN = 54;
inline constexpr int kBinomialMaxK = 6;

// C(n, k) for n 0..54 and k 0..6, built by the addition rule; 0 for n < k.
inline constexpr auto kBinomial = [] {
    std::array<std::array<int32_t, kBinomialMaxN + 1>, kBinomialMaxK + 1> table{};
    for (int n = 0; n <= kBinomialMaxN; ++n) {
        for (int k = 0; k <= kBinomialMaxK; ++k) {
            if (k == 0 || k == n)
                table[k][n] = 1;
            else if (n > k)
                table[k][n] = table[k - 1][n - 1] + table[k][n - 1];
        }
    }
    return table;
}();

// C(n, k) with the engines' conventions: 0 when k < 0 or k > n; n or k beyond
// the table is a range error (a deck never holds more than 54 cards).
[[noreturn]] void RaiseBinomialRange(int k, int n);
inline int32_t Binomial(int k, int n) {
    if (k < 0 || k > n) return 0;
    if (n > kBinomialMaxN || k > kBinomialMaxK) [[unlikely]]
        RaiseBinomialRange(k, n);
    return kBinomial[k][n];
}

// Card notation of the command line and of test fixtures: rank letter from
// "23456789TJQKA" (or "10"), suit letter from "SCDH", case-insensitive; "JK"
// for a joker. Returns the rank/suit, or nothing for text that is no card.
std::optional<TCard> ParseCardText(std::string_view text);
// "AS", "TD", ..., "JK".
std::string CardText(const TCard& card);
std::string CardCodeText(int code);

} // namespace drawmentor
