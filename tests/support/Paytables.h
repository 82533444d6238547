#pragma once

// Paytables many suites play: 9/6 Jacks or Better and full-pay Deuces Wild,
// as the engine reads them (the highest line first).
#include <vector>

namespace drawmentor::testing {

// Jacks or Better is the first game of the catalogue.
inline constexpr int kJacks = 0;
inline const std::vector<int> kJacks96 = {4000, 250, 125, 45, 30, 20, 15, 10, 5};
inline const std::vector<int> kDeucesFull = {4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5};

} // namespace drawmentor::testing
