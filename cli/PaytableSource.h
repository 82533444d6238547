#pragma once

#include "Arguments.h"

#include "games/PayTable.h"
#include "games/PokerDescription.h"

#include <vector>

namespace drawmentor::cli {

// Points the data folder at --data-dir when given.
void ApplyDataDir(const TArguments& args);

// The whole-bet pays of the game's lines: --pays as given, or the stored
// paytable --paytable P for the bet.
std::vector<int> PaysFromArguments(const TArguments& args, const TPokerDescription& game, int bet);

} // namespace drawmentor::cli
