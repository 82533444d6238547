#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A slow, obviously correct reference used only by tests: it deals every set of
// replacement cards in turn and classifies each final hand from its card codes
// with the plain rules of the categories, sharing no code with the engines.
namespace drawmentor::oracle {

struct TDeckKind {
    std::string Name;
    int WildRank = -1; // -1 none
    int Jokers = 0;
    int GameIndex = 0; // a catalogue game with this deck
};

struct TOracleCounts {
    std::array<int64_t, 48> Natural{};
    std::array<int64_t, 42> Wild{};
    // Natural four of a kind by the rank of the four and of the fifth card.
    std::array<std::array<int64_t, 13>, 13> Quads{};
    int64_t NoCategory = 0;
    int64_t Outcomes = 0;
};

using TCodes = std::array<int, 5>;

bool IsWildCode(int code, int wildRank);
// -1 when the hand has no natural category.
int ClassifyNaturalCodes(const TCodes& codes);
int ClassifyWildCodes(const TCodes& codes, int wildRank);

// All draws of the cards not dealt, for one mask (bit i = position i replaced).
TOracleCounts EnumerateDraws(const TDeckKind& deck, const TCodes& dealt, int mask);

std::string CodesText(const TCodes& codes);

} // namespace drawmentor::oracle
