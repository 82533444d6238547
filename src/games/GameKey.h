#pragma once

#include <string>
#include <string_view>

// A game key names a (game, paytable) pair in the log, the recent-games list and
// the statistics: "%3d%3d" of the catalogue index and the 0-based paytable index.
namespace drawmentor {

std::string GameKey(int gameIndex, int payIndex);
// -1 when the field is not a number.
int KeyGameIndex(std::string_view key);
int KeyPayIndex(std::string_view key);
// "ALL POKERS" for a negative game index, else "NAME IN CAPITALS  (n)", n 1-based.
std::string GameKeyCaption(std::string_view key);

} // namespace drawmentor
