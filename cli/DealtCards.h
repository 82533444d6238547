#pragma once

#include <string>
#include <vector>

namespace drawmentor::cli {

// Five card codes from the command line; the first "JK" is joker 52, the
// second joker 53, and only as many as the game's deck holds. Bad cards raise
// EUsage.
std::vector<int> ParseDealtCards(const std::vector<std::string>& words, int jokers);

// The cards kept under a draw mask, in position order.
std::vector<std::string> HeldCards(const std::vector<int>& codes, int mask);

} // namespace drawmentor::cli
