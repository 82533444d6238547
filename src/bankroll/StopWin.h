#pragma once

#include "HandDistribution.h"

#include <atomic>
#include <cstdint>

namespace drawmentor {

// A win goal (stop-win): the player stops once the bankroll has grown by the
// goal, or when it is lost (fewer coins than one bet, as for the risk of
// ruin). Amounts are in coins; the goal is reached at bankroll + goal coins
// or more, a win that passes it included.
struct TStopWin {
    long double Goal = 0;       // the chance of reaching the goal first
    long double Ruin = 0;       // the chance of ruin first
    long double ErrorBound = 0; // on each of the two
    bool Cancelled = false;
};

// Raises ERangeError for a goal outside 1 coin to kMaxBankrollBets bets of
// the hand's bet.
void CheckGoal(const THandDistribution& hand, int64_t goalCoins);

// Within a number of hands: the hand-by-hand walk of RiskOfRuin held between
// the two ends, every amount between them followed, so the error is the
// rounding alone (positive terms: relative, a few units of 1e-16 per hand).
// Raises ERangeError outside the limits of RiskOfRuin and CheckGoal, or when
// the walk's work would be beyond what RiskOfRuin allows itself.
TStopWin StopWin(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins,
                 int64_t hands, const std::atomic<bool>* cancel = nullptr);

// Without end: the chances solve h(s) = sum_j p_j h(s + x_j) between the two
// ends. Eliminating the amounts from ruin upward leaves for each amount the
// chances of where the walk, censored to the amounts above, first lands:
// sums and quotients of positive terms only, each row's total taken as the
// sum of where it leaves rather than 1 less the chance of staying, so that
// nothing cancels. The error is relative, below the rounding of every
// amount's row along the way (ErrorBound). Raises ERangeError outside the
// limits, or when the elimination would take beyond reason in time or
// memory (a large goal on a fine grid: cash-back on a large bet).
TStopWin LongRunStopWin(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins,
                        const std::atomic<bool>* cancel = nullptr);

} // namespace drawmentor
