#pragma once

#include "HandDistribution.h"
#include "LongRunRuin.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace drawmentor {

// A bankroll is lost (ruin) once it holds fewer coins than one bet: the
// player cannot bet again. Bankrolls are in coins.

// The chance of ruin within a number of hands, hand by hand: every amount the
// bankroll can hold is followed exactly, except amounts so high that ruin
// from there within the hands left has a proven chance below 1e-18 (a
// Chernoff bound on the lowest point of the rest of the session); those count
// as safe. Probability is within ErrorBound of the exact figure: that 1e-18,
// the chance carried by amounts dropped as below 1e-22 each hand, and the
// rounding (all terms are positive, so it is relative: a few units of 1e-16
// per hand).
struct TRuin {
    long double Probability = 0;
    long double ErrorBound = 0;
    // No run of the hands can lose enough: Probability is 0 exactly, not a
    // figure below what the walk follows.
    bool Impossible = false;
    bool Cancelled = false;
};

inline constexpr int64_t kMaxRuinHands = 100000;
// The largest bankroll asked about, in bets: far beyond any chance of ruin
// worth telling, and it keeps every amount the walks follow well inside 64
// bits.
inline constexpr int64_t kMaxBankrollBets = 1000000;

// The limits every figure of a bankroll keeps, each raising ERangeError:
// 1 to kMaxRuinHands hands, and 0 to kMaxBankrollBets bets of the hand's bet
// (a bankroll below one bet is lost before the first hand).
void CheckRuinHands(int64_t hands);
void CheckBankroll(const THandDistribution& hand, int64_t bankrollCoins);

// Raises ERangeError outside the limits above, or when the amounts
// to follow would make the work unreasonable (some nine times that of 9/6
// Jacks or Better's 100,000 hands, about a second), which only odd paytables
// with huge pays on a fine grid reach.
TRuin RiskOfRuin(const THandDistribution& hand, int64_t bankrollCoins, int64_t hands,
                 const std::atomic<bool>* cancel = nullptr);

// The chance of ruin within a number of hands for many bankrolls at once (a
// curve of risk against bankroll). The walk runs backwards from the end of
// the session over every amount at once: with R_0 = 0, R_n(s) = sum_j p_j
// R_{n-1}(s + x_j) and R = 1 below ruin, so one pass, at about the cost of
// one RiskOfRuin, serves every bankroll. Amounts above the ceiling of
// RiskOfRuin count as safe; since each R_n is an average of R_{n-1}, that
// error stays within 1e-18 however many hands there are. Each Probability
// is within ErrorBound of the exact figure (that, plus the relative
// rounding as in RiskOfRuin).
struct TRuinCurve {
    std::vector<long double> Probability; // per bankroll asked for, in its order
    long double ErrorBound = 0;
    bool Cancelled = false;
};

// Raises ERangeError as RiskOfRuin does.
TRuinCurve RiskOfRuinCurve(const THandDistribution& hand, const std::vector<int64_t>& bankrollCoins,
                           int64_t hands, const std::atomic<bool>* cancel = nullptr);

// How long the top line (the highest pay, e.g. the royal flush) keeps one
// waiting.
struct TTopLineWait {
    int Line = -1;               // -1: no line pays
    int Pay = 0;                 // coins for the whole bet
    long double Probability = 0; // per hand
    long double MeanHands = 0;   // until the first; infinite when it never comes
    int64_t MedianHands = -1;    // -1 when it never comes
    long double NoneWithin = 1;  // the chance of none in the session
    // The expected result (coins) of a session without one.
    long double MeanResultWithout = 0;
};

// Raises ERangeError for hands outside the limits above.
TTopLineWait TopLineWait(const THandDistribution& hand, int64_t hands);

} // namespace drawmentor
