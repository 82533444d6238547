#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace drawmentor {

inline constexpr int kMaxLines = 16;
inline constexpr int kNoWildRankInGame = -5;

// A set of category indices: bit c = category c. Natural sets use bits 0..47,
// wild sets bits 0..41 (stored on disk as 6 little-endian bytes).
using TCategorySet = uint64_t;

// The static definition of one variant: its lines (best hand first) and the
// categories each line pays. Pays belong to paytables, not here.
class TPokerDescription {
  public:
    TPokerDescription() = default;
    virtual ~TPokerDescription() = default;

    const std::string& LineName(int line) const;
    TCategorySet LineCategories(int line) const;
    int LineCount() const { return LastLine + 1; }
    bool IsWildGame() const { return WildRank >= -1 || Jokers > 0; }

    int GameIndex = 0;
    std::string Name;
    int LastLine = -1;
    int WildRank = kNoWildRankInGame;
    int Jokers = 0;

  protected:
    void SetLine(int line, std::string name, TCategorySet natural);

    std::array<std::string, kMaxLines> FLineNames{};
    std::array<TCategorySet, kMaxLines> FLineCategories{};
};

class TWildPokerDescription : public TPokerDescription {
  public:
    TCategorySet WildLineCategories(int line) const;

  protected:
    void SetLine(int line, std::string name, TCategorySet natural, TCategorySet wild);

    std::array<TCategorySet, kMaxLines> FWildLineCategories{};
};

} // namespace drawmentor
