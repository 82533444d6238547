#pragma once

#include "cards/Cards.h"

#include <array>
#include <cstdint>
#include <string>

namespace drawmentor {

inline constexpr int kMaxLines = 16;
inline constexpr int kNoWildRankInGame = -5;

// A set of category indices: bit c = category c. Natural sets use bits 0..47,
// wild sets bits 0..41 (stored on disk as 6 little-endian bytes).
using TCategorySet = uint64_t;
// A set of ranks: bit r = rank r (0 deuces .. 12 aces).
using TRankSet = uint16_t;

// Which line pays a four of a kind for its fifth card: Line[q][r] is the
// first line with kickers that pays four of rank q beside a card of rank r,
// or -1 where the plain line of the quads pays.
struct TKickerLines {
    bool Any = false;
    std::array<std::array<int8_t, kRankCount>, kRankCount> Line{};
};

// The static definition of one variant: its lines (best hand first) and the
// categories each line pays. Pays belong to paytables, not here.
class TPokerDescription {
  public:
    TPokerDescription() = default;
    virtual ~TPokerDescription() = default;

    const std::string& LineName(int line) const;
    TCategorySet LineCategories(int line) const;
    // Bit r: a five-card hand pays on this line only when its fifth card, the
    // one beside a four of a kind, has rank r. 0 for a line without that
    // condition. A line with kickers lists four-of-a-kind categories only,
    // each of them also paid, without the condition, by a plain line.
    TRankSet LineKickers(int line) const;
    TKickerLines KickerLines() const;
    int LineCount() const { return LastLine + 1; }
    bool IsWildGame() const { return WildRank >= -1 || Jokers > 0; }

    int GameIndex = 0;
    std::string Name;
    int LastLine = -1;
    int WildRank = kNoWildRankInGame;
    int Jokers = 0;

  protected:
    void SetLine(int line, std::string name, TCategorySet natural);
    void SetKickers(int line, TRankSet kickers);

    std::array<std::string, kMaxLines> FLineNames{};
    std::array<TCategorySet, kMaxLines> FLineCategories{};
    std::array<TRankSet, kMaxLines> FLineKickers{};
};

class TWildPokerDescription : public TPokerDescription {
  public:
    TCategorySet WildLineCategories(int line) const;

  protected:
    void SetLine(int line, std::string name, TCategorySet natural, TCategorySet wild);

    std::array<TCategorySet, kMaxLines> FWildLineCategories{};
};

} // namespace drawmentor
