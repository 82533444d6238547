#pragma once

#include "PaytableAnalysis.h"

#include <cstdint>
#include <optional>

namespace drawmentor {

// A progressive royal: the first line of every game (the natural royal
// flush) pays what a meter shows, in coins for the whole bet. The best holds
// change with the pay, so every figure at a meter is a new analysis.
inline constexpr int kRoyalLine = 0;
inline constexpr int64_t kMaxRoyalMeter = 1000000000;

// The pays with the royal at `meter` coins; ERangeError for a meter below
// the paytable's own royal or above kMaxRoyalMeter.
std::vector<int> PaysAtMeter(const std::vector<int>& pays, int64_t meter);

// The lowest whole meter at which the return with best play reaches
// `targetPercent`, or none when even kMaxRoyalMeter falls short. The return
// is a maximum over holds of lines rising with the meter, so it is convex in
// it: a tangent lies below it, and Newton's steps from a meter at or above the
// answer come down to it without passing it.
std::optional<int64_t> BreakEvenMeter(const TPokerDescription& game, const std::vector<int>& pays,
                                      int betCoins, long double targetPercent,
                                      const TAnalysisOptions& options = {});

} // namespace drawmentor
