#include "StopWin.h"

#include "RiskOfRuin.h"
#include "WalkSteps.h"
#include "core/Error.h"

#include <algorithm>
#include <cfloat>
#include <string>
#include <vector>

namespace drawmentor {
namespace {

using detail::TSteps;

// Multiply-adds of the elimination without end: some seconds of one core.
constexpr long double kMaxEliminationWork = 4e9L;
// Numbers the elimination keeps for the way back: 128 MB.
constexpr long double kMaxEliminationNumbers = 16777216;

// The walk between the ends in steps of the hand's grid: amounts 0 (one bet
// left) to Top - 1 are followed, below 0 is ruin and Top or more the goal.
struct TBetweenEnds {
    TSteps Steps;
    int64_t Start = 0;
    int64_t Top = 0;

    TBetweenEnds(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins)
        : Steps(detail::StepsOf(hand)), Start((bankrollCoins - hand.BetCoins()) / hand.Step()),
          Top(Start + (goalCoins + hand.Step() - 1) / hand.Step()) {
        // Every win that passes the goal reaches it alike.
        detail::MergeWinsAbove(Steps, Top - 1, 0);
    }
    int64_t Taps() const { return static_cast<int64_t>(Steps.Values.size()); }
};

// The chance of leaving from amount s downward (ruin) and upward (goal) in
// one hand: Low[k] = P(X <= -k) for k = 1..Down, High[k] = P(X >= k) for
// k = 1..Up.
struct TTails {
    std::vector<long double> Low, High;
    explicit TTails(const TSteps& steps)
        : Low(static_cast<size_t>(steps.Down) + 1, 0), High(static_cast<size_t>(steps.Up) + 1, 0) {
        for (size_t j = 0; j < steps.Values.size(); ++j) {
            const int64_t x = steps.Values[j];
            if (x < 0) Low[static_cast<size_t>(-x)] += steps.Probabilities[j];
            if (x > 0) High[static_cast<size_t>(x)] += steps.Probabilities[j];
        }
        for (size_t k = Low.size() - 1; k-- > 1;) Low[k] += Low[k + 1];
        for (size_t k = High.size() - 1; k-- > 1;) High[k] += High[k + 1];
    }
};

} // namespace

void CheckGoal(const THandDistribution& hand, int64_t goalCoins) {
    const int64_t most = kMaxBankrollBets * hand.BetCoins();
    if (goalCoins < 1 || goalCoins > most)
        throw ERangeError("A win goal is 1 to " + std::to_string(most) + " coins (" +
                          std::to_string(kMaxBankrollBets) + " bets), not " +
                          std::to_string(goalCoins));
}

namespace {

// The arguments both questions check; a bankroll short of one bet is ruined
// before the first hand.
bool RuinedAtOnce(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins) {
    CheckBankroll(hand, bankrollCoins);
    CheckGoal(hand, goalCoins);
    return bankrollCoins < hand.BetCoins();
}

} // namespace

TStopWin StopWin(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins,
                 int64_t hands, const std::atomic<bool>* cancel) {
    CheckRuinHands(hands);
    TStopWin result;
    if (RuinedAtOnce(hand, bankrollCoins, goalCoins)) {
        result.Ruin = 1;
        return result;
    }
    const TBetweenEnds walk(hand, bankrollCoins, goalCoins);
    const TSteps& steps = walk.Steps;
    const int64_t taps = walk.Taps();
    // The amounts the hands can reach; the range followed widens hand by
    // hand up to them and never narrows, so no stale value is ever read.
    const int64_t lowest = std::max<int64_t>(0, walk.Start - hands * steps.Down);
    const int64_t highest = std::min(walk.Top - 1, walk.Start + hands * steps.Up);
    long double work = 0;
    const int64_t stride = std::max<int64_t>(1, hands / 256);
    for (int64_t n = 1; n <= hands; n += stride)
        work += static_cast<long double>(std::min(highest, walk.Start + n * steps.Up) -
                                         std::max(lowest, walk.Start - n * steps.Down) + 1) *
                static_cast<long double>(taps + 2) * static_cast<long double>(stride);
    if (work > detail::kMaxWalkWork)
        throw ERangeError("The chance of a win goal within " + std::to_string(hands) +
                          " hands of this paytable would take too long to follow hand by hand; "
                          "ask for fewer hands or a smaller goal");

    // Amount a at buffer[pad + a - lowest]: zeros for the reads beyond either end.
    const int64_t pad = steps.Up + steps.Down;
    std::vector<double> buffers[2];
    for (auto& buffer : buffers)
        buffer.assign(static_cast<size_t>(highest - lowest + 1 + 2 * pad), 0);
    const std::vector<int64_t> offset(steps.Values.begin(), steps.Values.end());
    const std::vector<double> probability(steps.Probabilities.begin(), steps.Probabilities.end());
    const TTails tails(steps);
    int which = 0;
    buffers[which][static_cast<size_t>(pad + walk.Start - lowest)] = 1;
    int64_t lo = walk.Start, hi = walk.Start;
    for (int64_t n = 0; n < hands; ++n) {
        if (n % 64 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        const double* in = buffers[which].data() + pad;
        const auto held = [&](int64_t s) { return in[s - lowest]; };
        for (int64_t s = lo; s <= std::min(hi, steps.Down - 1); ++s)
            result.Ruin += held(s) * tails.Low[static_cast<size_t>(s + 1)];
        for (int64_t s = std::max(lo, walk.Top - steps.Up); s <= hi; ++s)
            result.Goal += held(s) * tails.High[static_cast<size_t>(walk.Top - s)];
        lo = std::max<int64_t>(0, lo - steps.Down);
        hi = std::min(walk.Top - 1, hi + steps.Up);
        double* out = buffers[1 - which].data() + pad;
        for (int64_t block = lo; block <= hi; block += detail::kBlock) {
            const int64_t count = std::min(detail::kBlock, hi + 1 - block);
            std::fill(out + (block - lowest), out + (block - lowest) + count, 0.0);
            detail::Gather(out + (block - lowest), in + (block - lowest), offset.data(),
                           probability.data(), taps, count);
        }
        which = 1 - which;
    }
    result.ErrorBound = std::max(result.Goal, result.Ruin) * static_cast<long double>(hands) *
                        static_cast<long double>(taps + 2) * DBL_EPSILON;
    return result;
}

TStopWin LongRunStopWin(const THandDistribution& hand, int64_t bankrollCoins, int64_t goalCoins,
                        const std::atomic<bool>* cancel) {
    TStopWin result;
    if (RuinedAtOnce(hand, bankrollCoins, goalCoins)) {
        result.Ruin = 1;
        return result;
    }
    const TBetweenEnds walk(hand, bankrollCoins, goalCoins);
    const TSteps& steps = walk.Steps;
    const int64_t top = walk.Top, start = walk.Start, down = steps.Down;
    // A row holds where the censored walk lands first above its amount (up
    // to `width` steps), then the chances of the goal and of ruin.
    const int64_t width = std::min(steps.Up, top - 1);
    const int64_t stride = std::max<int64_t>(width, 0) + 2;
    const int64_t kept = top - start;
    const long double work =
        static_cast<long double>(top) * static_cast<long double>(down * stride + walk.Taps()) +
        2.0L * static_cast<long double>(kept) * static_cast<long double>(stride);
    const long double numbers = static_cast<long double>(kept + std::max<int64_t>(down, 1)) *
                                static_cast<long double>(stride);
    if (work > kMaxEliminationWork || numbers > kMaxEliminationNumbers)
        throw ERangeError("The chance of a win goal without end would take too long to compute "
                          "on this paytable's grid; ask for a smaller goal");

    // Rows below the start are needed only by the `down` rows above them.
    std::vector<double> ring(static_cast<size_t>(std::max<int64_t>(down, 1) * stride));
    std::vector<double> keptRows(static_cast<size_t>(kept * stride));
    const auto row = [&](int64_t s) {
        return s >= start ? keptRows.data() + (s - start) * stride
                          : ring.data() + (s % std::max<int64_t>(down, 1)) * stride;
    };
    // The row being made: columns s - down .. s + width.
    std::vector<long double> line(static_cast<size_t>(down + 1 + std::max<int64_t>(width, 0)));
    for (int64_t s = 0; s < top; ++s) {
        if (s % 256 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        std::fill(line.begin(), line.end(), 0.0L);
        long double goal = 0, ruin = 0;
        for (size_t j = 0; j < steps.Values.size(); ++j) {
            const int64_t t = s + steps.Values[j];
            if (t < 0)
                ruin += steps.Probabilities[j];
            else if (t >= top)
                goal += steps.Probabilities[j];
            else
                line[static_cast<size_t>(t - s + down)] += steps.Probabilities[j];
        }
        // Lower amounts in rising order: each one's row may land on the next.
        for (int64_t c = std::max<int64_t>(0, s - down); c < s; ++c) {
            const long double q = line[static_cast<size_t>(c - s + down)];
            if (q == 0) continue;
            const double* from = row(c);
            const int64_t reach = std::min(width, top - 1 - c);
            long double* to = line.data() + (c - s + down);
            for (int64_t k = 1; k <= reach; ++k) to[k] += q * from[k - 1];
            goal += q * from[width];
            ruin += q * from[width + 1];
        }
        long double leaves = goal + ruin;
        for (int64_t k = 1; k <= width; ++k) leaves += line[static_cast<size_t>(down + k)];
        double* made = row(s);
        // A walk that can never leave an amount reaches neither end from it.
        const long double scale = leaves > 0 ? 1 / leaves : 0;
        for (int64_t k = 1; k <= width; ++k)
            made[k - 1] = static_cast<double>(line[static_cast<size_t>(down + k)] * scale);
        made[width] = static_cast<double>(goal * scale);
        made[width + 1] = static_cast<double>(ruin * scale);
    }
    // Back from the goal: each amount's chances from those above it.
    std::vector<long double> goal(static_cast<size_t>(kept)), ruin(static_cast<size_t>(kept));
    for (int64_t s = top - 1; s >= start; --s) {
        const double* from = row(s);
        long double g = from[width], r = from[width + 1];
        const int64_t reach = std::min(width, top - 1 - s);
        for (int64_t k = 1; k <= reach; ++k) {
            g += from[k - 1] * goal[static_cast<size_t>(s + k - start)];
            r += from[k - 1] * ruin[static_cast<size_t>(s + k - start)];
        }
        goal[static_cast<size_t>(s - start)] = g;
        ruin[static_cast<size_t>(s - start)] = r;
    }
    result.Goal = goal[0];
    result.Ruin = ruin[0];
    result.ErrorBound = std::max(result.Goal, result.Ruin) * 2 * static_cast<long double>(top) *
                        static_cast<long double>(down + stride + 1) * DBL_EPSILON;
    return result;
}

} // namespace drawmentor
