#include "RiskOfRuin.h"

#include "TailBound.h"
#include "WalkSteps.h"
#include "core/Error.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace drawmentor {
namespace {

using detail::Gather;
using detail::kBlock;
using detail::MergeWinsAbove;
using detail::StepsOf;
using detail::TSteps;

constexpr long double kSafeChance = 1e-18L;
constexpr double kDropMass = 1e-22;
constexpr long double kMaxRuinWork = detail::kMaxWalkWork;

// The highest amount (in steps above ruin) from which ruin within `left`
// more hands may still have a chance above kSafeChance. From s, ruin is the
// walk S reaching -s - 1; exp(-t S_k) is a sub- or supermartingale, so by
// Doob's inequality P(ruin) <= exp(left max(0, L(t)) - t (s + 1)) for every
// t > 0, L(t) = log E[exp(-t X)] of one hand.
class TCeiling {
  public:
    explicit TCeiling(const TSteps& steps) {
        TTailBound hand;
        hand.Add(steps.Values, steps.Probabilities, 1);
        for (long double t : TTailBound::Grid())
            FLogDown.push_back(std::max(0.0L, hand.LogMoment(-t)));
    }
    int64_t operator()(int64_t left) const {
        const auto& grid = TTailBound::Grid();
        long double best = 1e18L;
        for (size_t i = 0; i < grid.size(); ++i)
            best = std::min(best, (left * FLogDown[i] - std::log(kSafeChance)) / grid[i] - 1);
        return static_cast<int64_t>(std::ceil(best)) - 1;
    }

  private:
    std::vector<long double> FLogDown;
};

// The part of the walk still alive: the chance of holding each amount,
// never ruined so far. Amounts are in steps above ruin (0: exactly one bet
// left). Both buffers keep `pad` zeros either side of the amounts followed,
// so that every result of a hand reads the whole range without bounds.
class TAliveWalk {
  public:
    TAliveWalk(const TSteps& steps, int64_t start, int64_t highest)
        : FSteps(steps), FPad(steps.Up + steps.Down), FLo(start) {
        for (size_t j = 0; j < steps.Values.size(); ++j) {
            FOffset.push_back(steps.Down + steps.Values[j]);
            FProbability.push_back(static_cast<double>(steps.Probabilities[j]));
        }
        const int64_t capacity = 2 * FPad + std::max<int64_t>(highest, 0) + steps.Down + 2;
        for (auto& buffer : FBuffers) buffer.assign(capacity, 0.0);
        FCur = FBuffers[0].data() + FPad;
        FCur[0] = 1;
    }

    // One hand. Amounts above `limit` are let go as safe; returns false when
    // nothing is left to follow.
    bool Step(int64_t limit) {
        const int64_t low = FLo - FSteps.Down;
        const int64_t high = std::min(FLo + FSize - 1 + FSteps.Up, limit);
        if (high < low) return false;
        const int64_t width = high - low + 1;
        FWhich = 1 - FWhich;
        double* next = FBuffers[FWhich].data() + FPad;
        // By blocks of the output, which stay in the first-level cache.
        for (int64_t block = 0; block < width; block += kBlock) {
            const int64_t count = std::min(kBlock, width - block);
            std::fill(next + block, next + block + count, 0.0);
            Gather(next + block, FCur + block, FOffset.data(), FProbability.data(),
                   static_cast<int64_t>(FOffset.size()), count);
        }
        const int64_t negatives = std::clamp<int64_t>(-low, 0, width);
        for (int64_t i = 0; i < negatives; ++i) FRuin += next[i];
        // Amounts whose whole chance at either end is negligible are let go.
        int64_t first = negatives, last = width;
        double trimmed = 0;
        while (first < last && trimmed + next[first] <= kDropMass) trimmed += next[first++];
        while (last > first && trimmed + next[last - 1] <= 2 * kDropMass) trimmed += next[--last];
        FDropped += trimmed;
        std::fill(next + first - FPad, next + first, 0.0);
        std::fill(next + last, next + last + FPad, 0.0);
        FCur = next + first;
        FLo = low + first;
        FSize = last - first;
        return FSize > 0;
    }

    long double Ruin() const { return FRuin; }
    long double Dropped() const { return FDropped; }

  private:
    const TSteps& FSteps;
    std::vector<int64_t> FOffset; // from an amount to the one a result of a hand leads to
    std::vector<double> FProbability;
    int64_t FPad;
    std::vector<double> FBuffers[2];
    int FWhich = 0;
    double* FCur = nullptr; // FCur[i]: the chance of holding FLo + i
    int64_t FLo = 0;
    int64_t FSize = 1;
    long double FRuin = 0;
    long double FDropped = 0;
};

} // namespace

void CheckRuinHands(int64_t hands) {
    if (hands < 1 || hands > kMaxRuinHands)
        throw ERangeError("The risk of ruin is followed for 1 to " + std::to_string(kMaxRuinHands) +
                          " hands, not " + std::to_string(hands));
}

void CheckBankroll(const THandDistribution& hand, int64_t bankrollCoins) {
    // The hand's bet is at most 99999 coins, so the product stays far inside 64 bits.
    const int64_t most = kMaxBankrollBets * hand.BetCoins();
    if (bankrollCoins < 0 || bankrollCoins > most)
        throw ERangeError("A bankroll holds 0 to " + std::to_string(most) + " coins (" +
                          std::to_string(kMaxBankrollBets) + " bets), not " +
                          std::to_string(bankrollCoins));
}

TRuin RiskOfRuin(const THandDistribution& hand, int64_t bankrollCoins, int64_t hands,
                 const std::atomic<bool>* cancel) {
    CheckRuinHands(hands);
    CheckBankroll(hand, bankrollCoins);
    TRuin result;
    if (bankrollCoins < hand.BetCoins()) {
        result.Probability = 1;
        return result;
    }
    TSteps steps = StepsOf(hand);
    const int64_t start = (bankrollCoins - hand.BetCoins()) / hand.Step();
    // Losing every hand still leaves a bet (start is far below 2^62 / hands).
    result.Impossible = start >= hands * steps.Down;
    if (result.Impossible) {
        result.ErrorBound = kSafeChance; // as the walk would say
        return result;
    }
    const TCeiling ceiling(steps);
    MergeWinsAbove(steps, ceiling(hands) + steps.Down);
    const int64_t taps = static_cast<int64_t>(steps.Values.size());

    // An upper bound of the walk's work: the amounts it follows lie between
    // the lowest the hands can bring and the ceiling.
    long double work = 0;
    const int64_t stride = std::max<int64_t>(1, hands / 256);
    for (int64_t n = 0; n < hands; n += stride) {
        const int64_t top = std::min(ceiling(hands - n - 1), start + n * steps.Up);
        const int64_t bottom = std::max(-steps.Down, start - (n + 1) * steps.Down);
        work += static_cast<long double>(std::max<int64_t>(0, top - bottom + 1)) * taps * stride;
    }
    if (work > kMaxRuinWork)
        throw ERangeError("The risk of ruin over " + std::to_string(hands) +
                          " hands of this paytable would take too long to follow hand by hand; "
                          "ask for fewer hands");

    TAliveWalk walk(steps, start, ceiling(hands));
    int64_t cachedLeft = -1, limit = 0;
    for (int64_t n = 0; n < hands; ++n) {
        if (n % 64 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        // The ceiling only grows with the hands left: a block's first value
        // serves the whole block.
        const int64_t left = hands - n - 1;
        if (cachedLeft < 0 || left < cachedLeft - 15) {
            cachedLeft = left;
            limit = ceiling(left);
        }
        if (!walk.Step(limit)) break;
    }
    result.Probability = walk.Ruin();
    result.ErrorBound = kSafeChance + walk.Dropped() +
                        walk.Ruin() * static_cast<long double>(hands) * (taps + 2) * DBL_EPSILON;
    return result;
}

TRuinCurve RiskOfRuinCurve(const THandDistribution& hand, const std::vector<int64_t>& bankrollCoins,
                           int64_t hands, const std::atomic<bool>* cancel) {
    CheckRuinHands(hands);
    for (int64_t coins : bankrollCoins) CheckBankroll(hand, coins);
    TRuinCurve result;
    TSteps steps = StepsOf(hand);
    // Amounts in steps above ruin, -1 for bankrolls below a bet (lost at once).
    std::vector<int64_t> starts;
    int64_t highest = -1;
    for (int64_t coins : bankrollCoins) {
        starts.push_back(coins < hand.BetCoins() ? -1 : (coins - hand.BetCoins()) / hand.Step());
        highest = std::max(highest, starts.back());
    }
    result.Probability.assign(starts.size(), 0);
    for (size_t i = 0; i < starts.size(); ++i)
        if (starts[i] < 0) result.Probability[i] = 1;
    if (steps.Down == 0 || highest < 0) return result;

    // With n hands left only amounts up to top(n) matter: no start lies
    // higher than `highest` climbed by the hands played, and above the
    // ceiling ruin counts as safe.
    const TCeiling ceiling(steps);
    MergeWinsAbove(steps, std::max(ceiling(hands), highest) + steps.Down);
    const auto top = [&](int64_t left, int64_t ceilingOfLeft) {
        return std::min(highest + (hands - left) * steps.Up, ceilingOfLeft);
    };
    const int64_t taps = static_cast<int64_t>(steps.Values.size());
    long double work = 0;
    const int64_t stride = std::max<int64_t>(1, hands / 256);
    for (int64_t left = 1; left <= hands; left += stride)
        work += static_cast<long double>(std::max<int64_t>(0, top(left, ceiling(left)) + 1)) *
                taps * stride;
    if (work > kMaxRuinWork)
        throw ERangeError("The risk of ruin over " + std::to_string(hands) +
                          " hands of this paytable would take too long to follow hand by hand; "
                          "ask for fewer hands");

    // R[s] at buffer[Down + s]: ones below ruin, zeros above what is followed.
    const int64_t most = std::max<int64_t>(0, std::min(highest + hands * steps.Up, ceiling(hands)));
    std::vector<double> buffers[2];
    for (auto& buffer : buffers) {
        buffer.assign(static_cast<size_t>(steps.Down + most + steps.Up + 2), 0.0);
        std::fill(buffer.begin(), buffer.begin() + steps.Down, 1.0);
    }
    std::vector<int64_t> offset;
    std::vector<double> probability;
    for (size_t j = 0; j < steps.Values.size(); ++j) {
        offset.push_back(-steps.Values[j]);
        probability.push_back(static_cast<double>(steps.Probabilities[j]));
    }
    int which = 0;
    int64_t followed[2] = {-1, -1}; // the highest amount each buffer holds a value for
    int64_t cachedLeft = -1, limit = 0;
    for (int64_t left = 1; left <= hands; ++left) {
        if (left % 64 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        // The ceiling grows with the hands left: a value serves the 16 after it.
        if (cachedLeft < 0 || left > cachedLeft + 15) {
            cachedLeft = left;
            limit = ceiling(std::min(hands, left + 15));
        }
        const int64_t high = std::max<int64_t>(-1, top(left, limit));
        const double* in = buffers[which].data() + steps.Down;
        double* out = buffers[1 - which].data() + steps.Down;
        for (int64_t block = 0; block <= high; block += kBlock) {
            const int64_t count = std::min(kBlock, high + 1 - block);
            std::fill(out + block, out + block + count, 0.0);
            Gather(out + block, in + block, offset.data(), probability.data(), taps, count);
        }
        // Above the new top amounts are not followed (safe, or out of reach): zero.
        std::fill(out + high + 1, out + std::max(high, followed[1 - which]) + 1, 0.0);
        followed[1 - which] = high;
        which = 1 - which;
    }
    const double* ruin = buffers[which].data() + steps.Down;
    long double largest = 0;
    for (size_t i = 0; i < starts.size(); ++i)
        if (starts[i] >= 0) {
            result.Probability[i] = starts[i] <= followed[which] ? ruin[starts[i]] : 0;
            largest = std::max(largest, result.Probability[i]);
        }
    result.ErrorBound =
        kSafeChance + largest * static_cast<long double>(hands) * (taps + 2) * DBL_EPSILON;
    return result;
}

TTopLineWait TopLineWait(const THandDistribution& hand, int64_t hands) {
    CheckRuinHands(hands);
    TTopLineWait wait;
    wait.MeanResultWithout = hand.Mean() * static_cast<long double>(hands);
    wait.Line = hand.TopLine();
    if (wait.Line < 0) {
        wait.MeanHands = std::numeric_limits<long double>::infinity();
        return wait;
    }
    const long double p = hand.TopLineProbability();
    wait.Pay = hand.LinePays()[wait.Line];
    wait.Probability = p;
    if (p >= 1) {
        wait.MeanHands = 1;
        wait.MedianHands = 1;
        wait.NoneWithin = hands > 0 ? 0 : 1;
        return wait;
    }
    const long double logMiss = std::log1p(-p);
    wait.MeanHands = 1 / p;
    wait.MedianHands =
        std::max<int64_t>(1, static_cast<int64_t>(std::ceil(std::log(0.5L) / logMiss)));
    wait.NoneWithin = std::exp(static_cast<long double>(hands) * logMiss);
    const long double net = hand.TopLineNet();
    wait.MeanResultWithout = static_cast<long double>(hands) * (hand.Mean() - p * net) / (1 - p);
    return wait;
}

} // namespace drawmentor
