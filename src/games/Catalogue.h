#pragma once

#include "PokerDescription.h"

#include <memory>
#include <string>
#include <vector>

namespace drawmentor {

inline constexpr int kCatalogueSize = 37;
// Complete and creatable, but offered nowhere (no menu, filter or paytable).
inline constexpr int kHiddenGameIndex = 12;

// The description of catalogue index 0..kCatalogueSize-1 with GameIndex set; none otherwise.
std::unique_ptr<TPokerDescription> CreateDescription(int gameIndex);

// Fresh descriptions of every offered game (all but index 12), in index order.
std::vector<std::unique_ptr<TPokerDescription>> BuildCatalogue();

struct TGameName {
    std::string Name;
    int GameIndex = 0;
};

// Display names of the offered games in catalogue order, built once.
const std::vector<TGameName>& GameNames();

// The display name of an offered game, or "" for an index that is not listed.
std::string GameName(int gameIndex);

} // namespace drawmentor
