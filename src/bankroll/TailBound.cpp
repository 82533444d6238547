#include "TailBound.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

// The least of g over the grid, where g(t) = (K(t) + c) / t with c >= 0 and
// K a log moment: g falls while t K'(t) - K(t) - c < 0, and that only grows
// with t (its derivative is t K''(t) >= 0), so g has one valley. The least
// of every kStride-th point is then within kStride points of the least of
// all, and two short scans find it at a tenth of the cost of every point.
constexpr size_t kStride = 16;

template <class G> long double LeastOnGrid(const std::vector<long double>& grid, G g) {
    size_t coarse = 0;
    long double least = INFINITY;
    for (size_t i = 0; i < grid.size(); i += kStride)
        if (const long double value = g(grid[i]); value < least) {
            least = value;
            coarse = i;
        }
    const size_t from = coarse >= kStride ? coarse - kStride + 1 : 0;
    const size_t to = std::min(grid.size(), coarse + kStride);
    for (size_t i = from; i < to; ++i) least = std::min(least, g(grid[i]));
    return least;
}

} // namespace

void TTailBound::Add(const std::vector<int64_t>& values,
                     const std::vector<long double>& probabilities, int64_t hands) {
    if (values.empty() || values.size() != probabilities.size() || hands < 0)
        throw ERangeError("A tail bound needs one probability per value");
    FParts.push_back({values, probabilities, hands});
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    FLeast += static_cast<long double>(*least) * hands;
    FMost += static_cast<long double>(*most) * hands;
}

long double TTailBound::LogMoment(long double t) const {
    long double sum = 0;
    for (const TPart& part : FParts) {
        // Factored by the largest term, so that exp never overflows.
        long double top = -INFINITY;
        for (int64_t value : part.Values) top = std::max(top, t * static_cast<long double>(value));
        long double scaled = 0;
        for (size_t j = 0; j < part.Values.size(); ++j)
            scaled += part.Probabilities[j] *
                      std::exp(t * static_cast<long double>(part.Values[j]) - top);
        sum += static_cast<long double>(part.Hands) * (top + std::log(scaled));
    }
    return sum;
}

const std::vector<long double>& TTailBound::Grid() {
    static const std::vector<long double> grid = [] {
        std::vector<long double> t;
        for (long double x = 1e-10L; x < 100; x *= 1.05L) t.push_back(x);
        return t;
    }();
    return grid;
}

int64_t TTailBound::Highest(long double mass) const {
    // P(S > a) = P(S >= a + 1) <= exp(K(t) - t (a + 1)) <= mass.
    const long double logMass = std::log(mass);
    const long double best =
        LeastOnGrid(Grid(), [&](long double t) { return (LogMoment(t) - logMass) / t; });
    return static_cast<int64_t>(std::ceil(std::min(FMost, best - 1)));
}

int64_t TTailBound::Lowest(long double mass) const {
    // P(S < a) = P(S <= a - 1) <= exp(K(-t) + t (a - 1)) <= mass.
    const long double logMass = std::log(mass);
    const long double best =
        LeastOnGrid(Grid(), [&](long double t) { return (LogMoment(-t) - logMass) / t; });
    return static_cast<int64_t>(std::floor(std::max(FLeast, 1 - best)));
}

} // namespace drawmentor
