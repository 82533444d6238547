#pragma once

// What the walks of a bankroll over a session share; not for use outside the
// bankroll library.
#include "HandDistribution.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace drawmentor::detail {

// Outputs a walk gathers at once: a block stays in the first-level cache.
inline constexpr int64_t kBlock = 1024;
// Multiply-adds of a walk over a session: nine times what 100,000 hands of
// 9/6 Jacks or Better need for the risk of ruin, some ten seconds of one core.
inline constexpr long double kMaxWalkWork = 4e10L;

// A hand's results in steps of the bankroll's grid (the hand's Step coins).
struct TSteps {
    std::vector<int64_t> Values;
    std::vector<long double> Probabilities;
    int64_t Down = 0; // the largest loss of a hand, in steps
    int64_t Up = 0;   // the largest win
};

inline TSteps StepsOf(const THandDistribution& hand) {
    TSteps steps;
    for (const TNetOutcome& outcome : hand.Outcomes()) {
        const int64_t value = outcome.Net / hand.Step();
        steps.Values.push_back(value);
        steps.Probabilities.push_back(outcome.Probability);
        steps.Down = std::max(steps.Down, -value);
        steps.Up = std::max(steps.Up, value);
    }
    return steps;
}

// A walk that lets amounts above `top` go (as safe, or as a goal reached)
// cannot tell a win that lands there from a larger one: results of more than
// `fewOutcomes` outcomes (deals of many hands) have their wins above it merged
// into one, which keeps the walk's work to the amounts it follows.
inline void MergeWinsAbove(TSteps& steps, int64_t top, size_t fewOutcomes = 64) {
    if (steps.Values.size() <= fewOutcomes || steps.Up <= top + 1) return;
    long double merged = 0;
    while (!steps.Values.empty() && steps.Values.back() > top) {
        merged += steps.Probabilities.back();
        steps.Values.pop_back();
        steps.Probabilities.pop_back();
    }
    steps.Values.push_back(top + 1);
    steps.Probabilities.push_back(merged);
    steps.Up = top + 1;
}

// out[i] += sum_j p[j] * in[i - offset[j]] for i < count, four results of a
// hand at a time, so that each output is loaded and stored once per four
// products; free of aliasing so that it vectorises.
inline void Gather(double* __restrict out, const double* __restrict in, const int64_t* offset,
                   const double* p, int64_t taps, int64_t count) {
    int64_t j = 0;
    for (; j + 4 <= taps; j += 4) {
        const double *a = in - offset[j], *b = in - offset[j + 1], *c = in - offset[j + 2],
                     *d = in - offset[j + 3];
        const double pa = p[j], pb = p[j + 1], pc = p[j + 2], pd = p[j + 3];
        for (int64_t i = 0; i < count; ++i) out[i] += pa * a[i] + pb * b[i] + pc * c[i] + pd * d[i];
    }
    for (; j < taps; ++j) {
        const double* a = in - offset[j];
        const double pa = p[j];
        for (int64_t i = 0; i < count; ++i) out[i] += pa * a[i];
    }
}

} // namespace drawmentor::detail
