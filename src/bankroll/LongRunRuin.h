#pragma once

#include "HandDistribution.h"

#include <atomic>
#include <cstdint>
#include <vector>

namespace drawmentor {

// The chance of ruin in a session without end.
struct TLongRunRuin {
    enum class TKind {
        Computed,  // Probability holds the figure
        Certain,   // the return is 100 % or less, or the bankroll is below a bet
        Impossible // no hand loses
    };
    TKind Kind = TKind::Computed;
    long double Probability = 0;
    bool Cancelled = false;
};

// Exact, not an approximation: a bankroll is lost by first falling below a
// level; from any level that fall lands k coins-steps lower with a
// probability h_k that does not depend on the level, so the chance of ruin
// from s steps above it is R(s) = sum_k h_k R(s - k), with R = 1 below zero.
// The h_k are the least solution of their own equations, found by Newton's
// method from zero. When a hand loses at most one step (the usual case: the
// bet is a multiple of every pay), h_1 is the root x < 1 of E[x^X] = 1 and
// R = x^(steps + 1).
// Raises ERangeError for a bankroll outside the limits of RiskOfRuin.h, or
// when the equations of the falls would be beyond reason (results that lose
// many steps at once and win far more, such as deals of 50 hands or more).

// The chances of ruin without end from one amount after another, lowest
// first: amounts of 0, 1, 2, ... steps (of the hand's Step coins) above the
// least that still pays a bet. Each is found from the ones below it, so a
// search for a bankroll climbs the ladder once.
class TLongRunLadder {
  public:
    // Solves the equations of the falls; raises ERangeError as
    // LongRunRiskOfRuin does.
    explicit TLongRunLadder(const THandDistribution& hand,
                            const std::atomic<bool>* cancel = nullptr);

    // Computed when the rungs hold figures; Certain and Impossible have none.
    TLongRunRuin::TKind Kind() const { return FKind; }
    bool Cancelled() const { return FCancelled; }
    // The chance from the next amount; the first call gives that of 0 steps.
    long double Next();
    // Steps climbed so far: Next gives the chance of this many steps.
    int64_t Climbed() const { return FNext; }

  private:
    TLongRunRuin::TKind FKind = TLongRunRuin::TKind::Computed;
    bool FCancelled = false;
    std::vector<long double> FFall; // FFall[k - 1]: the first fall lands k steps lower
    std::vector<long double> FRing; // R(s - 1), R(s - 2), ... by s modulo the falls
    int64_t FNext = 0;
};

// See above; from a ladder of the hand at its foot, which other figures of
// the hand may share: its equations cost far more than the climb.
TLongRunRuin LongRunRiskOfRuin(const THandDistribution& hand, int64_t bankrollCoins,
                               const std::atomic<bool>* cancel = nullptr);
TLongRunRuin LongRunRiskOfRuin(const THandDistribution& hand, TLongRunLadder ladder,
                               int64_t bankrollCoins, const std::atomic<bool>* cancel = nullptr);

} // namespace drawmentor
