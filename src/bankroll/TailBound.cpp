#include "TailBound.h"

#include "core/Error.h"

#include <algorithm>
#include <cmath>

namespace drawmentor {

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
    long double best = FMost;
    for (long double t : Grid()) best = std::min(best, (LogMoment(t) - std::log(mass)) / t - 1);
    return static_cast<int64_t>(std::ceil(best));
}

int64_t TTailBound::Lowest(long double mass) const {
    // P(S < a) = P(S <= a - 1) <= exp(K(-t) + t (a - 1)) <= mass.
    long double best = FLeast;
    for (long double t : Grid()) best = std::max(best, (std::log(mass) - LogMoment(-t)) / t + 1);
    return static_cast<int64_t>(std::floor(best));
}

} // namespace drawmentor
