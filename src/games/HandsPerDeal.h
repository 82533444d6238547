#pragma once

#include <algorithm>
#include <array>

namespace drawmentor {

// Hands dealt from one hold: the counts machines offer, one the plain game.
inline constexpr std::array<int, 6> kHandsPerDealChoices = {1, 3, 5, 10, 50, 100};
inline constexpr int kMaxHandsPerDeal = 100;

inline constexpr bool IsHandsPerDealChoice(int hands) {
    return std::find(kHandsPerDealChoices.begin(), kHandsPerDealChoices.end(), hands) !=
           kHandsPerDealChoices.end();
}

} // namespace drawmentor
