#pragma once

#include "Arguments.h"

#include "games/PayTable.h"
#include "games/PokerDescription.h"

#include <memory>
#include <vector>

namespace drawmentor {
class TPayoutStorage;
}

namespace drawmentor::cli {

// Points the data folder at --data-dir when given.
void ApplyDataDir(const TArguments& args);

// The paytable store as the program reads it: the user's copy when it exists,
// else the one installed beside the program. Opened for reading only.
std::unique_ptr<TPayoutStorage> OpenStore();

// The whole-bet pays of the game's lines: --pays as given, or the stored
// paytable --paytable P for the bet.
std::vector<int> PaysFromArguments(const TArguments& args, const TPokerDescription& game, int bet);

} // namespace drawmentor::cli
