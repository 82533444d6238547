#include "LongRunRuin.h"

#include "RiskOfRuin.h"
#include "WalkSteps.h"
#include "core/Error.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

namespace drawmentor {
namespace {

using detail::StepsOf;
using detail::TSteps;

// Multiply-adds of one Newton step of the long-run risk: a few dozen steps
// stay within seconds.
constexpr long double kMaxFallWork = 2e8L;

// Solves a x = b in place by Gaussian elimination with partial pivoting.
std::vector<long double> Solve(std::vector<std::vector<long double>> a,
                               std::vector<long double> b) {
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        if (a[col][col] == 0) throw ERangeError("The ruin equations have no single solution");
        for (size_t row = col + 1; row < n; ++row) {
            const long double factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k) a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<long double> x(n);
    for (size_t row = n; row-- > 0;) {
        long double sum = b[row];
        for (size_t k = row + 1; k < n; ++k) sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}

// One Newton step's ingredients for the fall probabilities h (h[k-1] for a
// fall of k steps): F(h) = sum_j p_j W(d_j) and its Jacobian, where W(s) is
// the landing distribution of the first fall below 0 from s; W(-k) lands at
// k, and W(s) = sum_k h_k W(s - k) above, kept in a ring of the last `down`.
void FallEquations(const TSteps& steps, const std::vector<long double>& h,
                   std::vector<long double>& f, std::vector<std::vector<long double>>& jacobian) {
    const size_t down = h.size();
    f.assign(down, 0);
    jacobian.assign(down, std::vector<long double>(down, 0));
    // The last `down` levels' W and dW/dh, level s in slot s modulo down.
    struct TLevel {
        std::vector<long double> W;
        std::vector<std::vector<long double>> Derivative; // [i][k] = dW_k / dh_i
    };
    std::vector<TLevel> ring(
        down, {std::vector<long double>(down, 0),
               std::vector<std::vector<long double>>(down, std::vector<long double>(down, 0))});
    const auto slot = [&](int64_t s) -> TLevel& {
        return ring[static_cast<size_t>(((s % int64_t(down)) + int64_t(down)) % int64_t(down))];
    };
    for (size_t k = 1; k <= down; ++k) {
        TLevel& level = slot(-static_cast<int64_t>(k));
        std::fill(level.W.begin(), level.W.end(), 0);
        level.W[k - 1] = 1;
    }
    const auto add = [&](const TLevel& level, long double p) {
        for (size_t k = 0; k < down; ++k) {
            f[k] += p * level.W[k];
            for (size_t i = 0; i < down; ++i) jacobian[k][i] += p * level.Derivative[i][k];
        }
    };
    for (size_t j = 0; j < steps.Values.size(); ++j)
        if (steps.Values[j] < 0) add(slot(steps.Values[j]), steps.Probabilities[j]);
    TLevel next = ring[0];
    // Values are in increasing order: the wins are met as the levels climb.
    size_t win = 0;
    while (win < steps.Values.size() && steps.Values[win] < 0) ++win;
    for (int64_t s = 0; s <= steps.Up; ++s) {
        for (size_t k = 0; k < down; ++k) {
            next.W[k] = 0;
            for (size_t i = 0; i < down; ++i) next.Derivative[i][k] = 0;
        }
        for (size_t fall = 1; fall <= down; ++fall) {
            const TLevel& from = slot(s - static_cast<int64_t>(fall));
            for (size_t k = 0; k < down; ++k) {
                next.W[k] += h[fall - 1] * from.W[k];
                next.Derivative[fall - 1][k] += from.W[k];
                for (size_t i = 0; i < down; ++i)
                    next.Derivative[i][k] += h[fall - 1] * from.Derivative[i][k];
            }
        }
        std::swap(slot(s), next);
        for (; win < steps.Values.size() && steps.Values[win] == s; ++win)
            add(slot(s), steps.Probabilities[win]);
    }
}

} // namespace

TLongRunLadder::TLongRunLadder(const THandDistribution& hand, const std::atomic<bool>* cancel) {
    const auto stopped = [&] {
        FCancelled = cancel && cancel->load();
        return FCancelled;
    };
    const TSteps steps = StepsOf(hand);
    long double spread = 0; // E|X|, for telling a zero drift
    for (const TNetOutcome& outcome : hand.Outcomes())
        spread += outcome.Probability * std::fabs(static_cast<long double>(outcome.Net));
    if (steps.Down == 0) {
        FKind = TLongRunRuin::TKind::Impossible;
        return;
    }
    // A drift that is zero but for the rounding of the probabilities is zero.
    if (hand.Mean() <= 1e-15L * spread) {
        FKind = TLongRunRuin::TKind::Certain;
        return;
    }

    // Each Newton step climbs every level a hand can win, carrying the
    // derivatives by every fall: results that lose many steps at once and
    // win many more (deals of many hands) can be beyond reason.
    const long double down3 = static_cast<long double>(steps.Down) * steps.Down * steps.Down;
    if (down3 * static_cast<long double>(steps.Up + 1) > kMaxFallWork)
        throw ERangeError("The risk of ruin without end of results losing up to " +
                          std::to_string(steps.Down) + " steps and winning up to " +
                          std::to_string(steps.Up) + " would take too long to compute");

    // Newton's method from zero climbs to the least solution of the monotone
    // polynomial equations h = F(h); it converges fast when the drift is
    // positive, where that solution adds up to less than 1.
    const size_t down = static_cast<size_t>(steps.Down);
    std::vector<long double>& h = FFall;
    h.assign(down, 0);
    std::vector<long double> f;
    std::vector<std::vector<long double>> jacobian;
    for (int iteration = 0; iteration < 200; ++iteration) {
        if (stopped()) return;
        FallEquations(steps, h, f, jacobian);
        std::vector<long double> residual(down);
        for (size_t k = 0; k < down; ++k) {
            residual[k] = f[k] - h[k];
            for (size_t i = 0; i < down; ++i) jacobian[k][i] = (k == i) - jacobian[k][i];
        }
        const std::vector<long double> change = Solve(jacobian, residual);
        long double largest = 0;
        for (size_t k = 0; k < down; ++k) {
            h[k] = std::clamp(h[k] + change[k], 0.0L, 1.0L);
            largest = std::max(largest, std::fabs(change[k]));
        }
        if (largest <= 4 * LDBL_EPSILON) break;
    }
    FRing.assign(down, 1); // R = 1 below zero
}

long double TLongRunLadder::Next() {
    const int64_t s = FNext++;
    if (FKind == TLongRunRuin::TKind::Impossible) return 0;
    if (FKind == TLongRunRuin::TKind::Certain || FFall.empty()) return 1; // or cancelled
    const auto down = static_cast<int64_t>(FFall.size());
    long double value = 0;
    for (int64_t fall = 1; fall <= down; ++fall)
        value += FFall[static_cast<size_t>(fall - 1)] *
                 FRing[static_cast<size_t>(((s - fall) % down + down) % down)];
    FRing[static_cast<size_t>(s % down)] = value;
    return value;
}

TLongRunRuin LongRunRiskOfRuin(const THandDistribution& hand, int64_t bankrollCoins,
                               const std::atomic<bool>* cancel) {
    CheckBankroll(hand, bankrollCoins);
    if (bankrollCoins < hand.BetCoins()) {
        TLongRunRuin lost;
        lost.Kind = TLongRunRuin::TKind::Certain;
        lost.Probability = 1;
        return lost;
    }
    return LongRunRiskOfRuin(hand, TLongRunLadder(hand, cancel), bankrollCoins, cancel);
}

TLongRunRuin LongRunRiskOfRuin(const THandDistribution& hand, TLongRunLadder ladder,
                               int64_t bankrollCoins, const std::atomic<bool>* cancel) {
    CheckBankroll(hand, bankrollCoins);
    TLongRunRuin result;
    result.Kind = ladder.Kind();
    if (bankrollCoins < hand.BetCoins()) result.Kind = TLongRunRuin::TKind::Certain;
    result.Cancelled = ladder.Cancelled();
    if (result.Cancelled || result.Kind == TLongRunRuin::TKind::Impossible) return result;
    if (result.Kind == TLongRunRuin::TKind::Certain) {
        result.Probability = 1;
        return result;
    }
    // R(s) for s = 0 .. start.
    const int64_t start = (bankrollCoins - hand.BetCoins()) / hand.Step();
    while (ladder.Climbed() <= start) {
        if (ladder.Climbed() % 4096 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        result.Probability = ladder.Next();
    }
    return result;
}

} // namespace drawmentor
