#pragma once

#include "HandDistribution.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace drawmentor {

// `Hands` independent hands of one paytable, played whatever happens.
struct TSessionPart {
    const THandDistribution* Hand = nullptr;
    int64_t Hands = 0;
};

// The exact distribution of a session's net result on the grid of the
// results that can happen: Probability[i] is the chance that the session
// ends (First + i) * Step coins up (down when negative).
//
// Each probability is within ErrorBound of the exact value. The bound adds,
// all proven rather than estimated: the mass outside the grid (a Chernoff
// bound, 1e-20 on each side), the rounding of the hand's probabilities and of
// every step of the transform (extended precision, 64-bit mantissa) and the
// final rounding to double. For 9/6 Jacks or Better it is 7e-17 for one
// hand (the rounding to double), 3e-17 for 1,000 hands, 1.1e-16 for 100,000
// and 3.4e-16 for 1,000,000 (the hand's own rounding, raised to the power of
// the hands, grows with their square root).
struct TSessionDistribution {
    int64_t Step = 1;  // coins per grid point
    int64_t First = 0; // the result of Probability[0], in steps
    std::vector<double> Probability;
    long double ErrorBound = 0;
    long double Mean = 0;     // coins, exact from the hands
    long double Variance = 0; // coins squared, exact from the hands
    bool Cancelled = false;

    int64_t ResultAt(size_t index) const { return (First + static_cast<int64_t>(index)) * Step; }
    // The smallest result x (coins) with P(result <= x) >= q, 0 < q < 1.
    int64_t Quantile(long double q) const;
    // Where a result of x coins stands: the chances of doing worse and of
    // doing exactly as well, and the percentile (worse plus half of equal).
    struct TStanding {
        long double Below = 0;
        long double Equal = 0;
        long double Percentile = 0; // 0..100
    };
    TStanding StandingOf(int64_t coins) const;
};

// Results are summed over hands by a single inverse Fourier transform of the
// product of the hands' characteristic functions, so the cost hardly grows
// with the number of hands: 100,000 hands of 9/6 Jacks or Better take a few
// hundredths of a second.
inline constexpr int64_t kMaxSessionGrid = int64_t{1} << 23;

// The session of one paytable, of at least one hand (ERangeError otherwise).
TSessionDistribution SessionDistribution(const THandDistribution& hand, int64_t hands,
                                         const std::atomic<bool>* cancel = nullptr);

// The sum of independent sessions of several paytables (their convolution),
// e.g. the hands of a game log across the paytables it was played on. The
// grid's step is the greatest common divisor of the parts' steps. Raises
// ERangeError when the results would span more than kMaxSessionGrid points.
TSessionDistribution SessionDistribution(const std::vector<TSessionPart>& parts,
                                         const std::atomic<bool>* cancel = nullptr);

} // namespace drawmentor
