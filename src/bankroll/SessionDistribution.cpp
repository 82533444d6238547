#include "SessionDistribution.h"

#include "TailBound.h"
#include "core/Error.h"

#include <fftw3.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <mutex>
#include <numeric>
#include <string>

namespace drawmentor {
namespace {

// Mass left outside the grid on each side; it wraps around onto the grid, so
// it bounds the error of every point.
constexpr long double kTailMass = 1e-20L;
// A frequency whose term is below this is left at zero.
constexpr long double kNegligible = 1e-30L;
constexpr long double kUnit = LDBL_EPSILON / 2; // rounding of one long double operation
constexpr long double kPi = 3.141592653589793238462643383279502884L;

struct TComplex {
    long double Re = 0;
    long double Im = 0;
};

TComplex operator*(TComplex a, TComplex b) {
    return {a.Re * b.Re - a.Im * b.Im, a.Re * b.Im + a.Im * b.Re};
}

long double Abs(TComplex z) {
    return std::hypot(z.Re, z.Im);
}

// Relative error of z^n by squaring: at most 2 log2(n) + 1 products, each
// within 2.9 units of the exact one.
TComplex Power(TComplex z, int64_t n) {
    TComplex result{1, 0};
    while (n > 0) {
        if (n & 1) result = result * z;
        n >>= 1;
        if (n > 0) z = z * z;
    }
    return result;
}

// x^n for x >= 0 by squaring, raised by its own rounding (at most 2 log2(n) + 1
// products, each within half a unit) so that it bounds the exact power. The
// library's powl costs as much as all the rest of a frequency's work.
long double PowerBound(long double x, int64_t n) {
    long double result = 1;
    int products = 0;
    while (n > 0) {
        if (n & 1) {
            result *= x;
            ++products;
        }
        n >>= 1;
        if (n > 0) {
            x *= x;
            ++products;
        }
    }
    return result * (1 + products * kUnit);
}

// exp(-2 pi i r / length) from two short tables (r = high * block + low):
// each entry is within 15 units of the last place (the rounded angle), their
// product within 40.
class TTwiddles {
  public:
    explicit TTwiddles(int64_t length) : FLength(length) {
        FBlock = std::max<int64_t>(1, static_cast<int64_t>(std::sqrt(static_cast<double>(length))));
        for (int64_t low = 0; low < FBlock; ++low) FLow.push_back(Angle(low));
        for (int64_t high = 0; high * FBlock < length; ++high)
            FHigh.push_back(Angle(high * FBlock));
    }
    // Any whole r, reduced modulo the length first.
    TComplex operator()(int64_t r) const {
        r %= FLength;
        if (r < 0) r += FLength;
        return FHigh[r / FBlock] * FLow[r % FBlock];
    }

  private:
    TComplex Angle(int64_t r) const {
        const long double angle = 2 * kPi * static_cast<long double>(r) / FLength;
        return {std::cos(angle), -std::sin(angle)};
    }
    int64_t FLength;
    int64_t FBlock;
    std::vector<TComplex> FLow, FHigh;
};

// The smallest 2^a 3^b 5^c at least `points`: lengths FFTW transforms fast.
int64_t TransformLength(int64_t points) {
    int64_t best = 1;
    while (best < points) best *= 2;
    for (int64_t five = 1; five < best; five *= 5)
        for (int64_t three = five; three < best; three *= 3) {
            int64_t length = three;
            while (length < points) length *= 2;
            best = std::min(best, length);
        }
    return best;
}

// FFTW's planner keeps global state: only execution may run in parallel.
std::mutex gPlannerLock;

struct TFftwFree {
    void operator()(void* memory) const { fftwl_free(memory); }
};

// A hand's results in grid steps, with the absolute error of its computed
// characteristic function: the probabilities' own rounding (2 units), the
// twiddles' (40) and the sum's (3 per term).
struct TPreparedPart {
    std::vector<int64_t> Values;
    std::vector<long double> Probabilities;
    int64_t Hands = 0;
    long double Error = 0;
    long double OutcomeError = 0;  // the hand's own, added to Error's
    long double PowerRounding = 0; // of Power(phi, Hands), relative to its size
    // For results of many outcomes (deals of many hands) the characteristic
    // function at every frequency, from one forward transform.
    std::vector<TComplex> Spectrum;
};

// Past this many outcomes a transform is cheaper than summing each term.
constexpr size_t kDirectOutcomes = 64;

std::vector<TPreparedPart> Prepare(const std::vector<TSessionPart>& parts, int64_t step) {
    std::vector<TPreparedPart> prepared;
    for (const TSessionPart& part : parts) {
        if (part.Hands == 0) continue;
        TPreparedPart entry;
        for (const TNetOutcome& outcome : part.Hand->Outcomes()) {
            entry.Values.push_back(outcome.Net / step);
            entry.Probabilities.push_back(outcome.Probability);
        }
        entry.Hands = part.Hands;
        entry.Error = (3 * static_cast<long double>(entry.Values.size()) + 40) * kUnit;
        entry.OutcomeError = part.Hand->OutcomeError();
        prepared.push_back(std::move(entry));
    }
    return prepared;
}

// The characteristic function of a part with many outcomes at the first
// length / 2 + 1 frequencies: its probabilities folded onto the grid's
// length, as the twiddles of the direct sum fold them, and transformed. The
// error of each term is at most the transform's in the 2-norm, some
// 5 log2(length) units times sqrt(length) times the probabilities' 2-norm.
void TransformPart(TPreparedPart& part, int64_t length) {
    const int64_t half = length / 2 + 1;
    std::unique_ptr<long double[], TFftwFree> values(fftwl_alloc_real(length));
    std::unique_ptr<fftwl_complex[], TFftwFree> spectrum(fftwl_alloc_complex(half));
    if (!values || !spectrum) throw std::bad_alloc();
    std::fill(values.get(), values.get() + length, 0.0L);
    long double squares = 0;
    for (size_t j = 0; j < part.Values.size(); ++j) {
        const int64_t at = ((part.Values[j] % length) + length) % length;
        values[at] += part.Probabilities[j];
        squares += part.Probabilities[j] * part.Probabilities[j];
    }
    fftwl_plan plan;
    {
        std::lock_guard lock(gPlannerLock);
        plan = fftwl_plan_dft_r2c_1d(static_cast<int>(length), values.get(), spectrum.get(),
                                     FFTW_ESTIMATE);
    }
    if (!plan) throw ERangeError("No Fourier transform of " + std::to_string(length) + " points");
    fftwl_execute(plan);
    {
        std::lock_guard lock(gPlannerLock);
        fftwl_destroy_plan(plan);
    }
    part.Spectrum.resize(half);
    for (int64_t k = 0; k < half; ++k) part.Spectrum[k] = {spectrum[k][0], spectrum[k][1]};
    const long double levels = std::ceil(std::log2(static_cast<long double>(length)));
    part.Error = (5 * levels + 40) * kUnit * std::sqrt(static_cast<long double>(length) * squares) +
                 3 * static_cast<long double>(part.Values.size()) * kUnit;
}

// An inverse real transform of `length` points from `spectrum` into `values`.
class TInversePlan {
  public:
    TInversePlan(int64_t length, fftwl_complex* spectrum, long double* values) {
        std::lock_guard lock(gPlannerLock);
        FPlan = fftwl_plan_dft_c2r_1d(static_cast<int>(length), spectrum, values, FFTW_ESTIMATE);
        if (!FPlan)
            throw ERangeError("No Fourier transform of " + std::to_string(length) + " points");
    }
    TInversePlan(const TInversePlan&) = delete;
    TInversePlan& operator=(const TInversePlan&) = delete;
    ~TInversePlan() {
        std::lock_guard lock(gPlannerLock);
        fftwl_destroy_plan(FPlan);
    }
    void Execute() const { fftwl_execute(FPlan); }

  private:
    fftwl_plan FPlan;
};

} // namespace

int64_t TSessionDistribution::Quantile(long double q) const {
    long double cumulative = 0;
    for (size_t i = 0; i < Probability.size(); ++i) {
        cumulative += Probability[i];
        if (cumulative >= q) return ResultAt(i);
    }
    return Probability.empty() ? 0 : ResultAt(Probability.size() - 1);
}

TSessionDistribution::TStanding TSessionDistribution::StandingOf(int64_t coins) const {
    TStanding standing;
    for (size_t i = 0; i < Probability.size(); ++i) {
        const int64_t result = ResultAt(i);
        if (result < coins) standing.Below += Probability[i];
        if (result == coins) standing.Equal = Probability[i];
    }
    standing.Percentile = 100 * (standing.Below + standing.Equal / 2);
    return standing;
}

TSessionDistribution SessionDistribution(const THandDistribution& hand, int64_t hands,
                                         const std::atomic<bool>* cancel) {
    if (hands < 1)
        throw ERangeError("A session has at least one hand, not " + std::to_string(hands));
    return SessionDistribution(std::vector<TSessionPart>{{&hand, hands}}, cancel);
}

TSessionDistribution SessionDistribution(const std::vector<TSessionPart>& parts,
                                         const std::atomic<bool>* cancel) {
    if (parts.empty()) throw ERangeError("A session needs at least one paytable");
    TSessionDistribution result;
    int64_t step = 0;
    for (const TSessionPart& part : parts) {
        if (!part.Hand) throw ERangeError("A session part has no hand");
        if (part.Hands < 0) throw ERangeError("A session cannot have fewer than no hands");
        step = std::gcd(step, part.Hand->Step());
        result.Mean += part.Hand->Mean() * static_cast<long double>(part.Hands);
        result.Variance += part.Hand->Variance() * static_cast<long double>(part.Hands);
    }
    result.Step = step;
    std::vector<TPreparedPart> prepared = Prepare(parts, step);
    if (prepared.empty()) {
        result.Probability = {1.0};
        return result;
    }

    // 1. The grid: every result but a proven kTailMass on each side.
    TTailBound tails;
    for (const auto& part : prepared) tails.Add(part.Values, part.Probabilities, part.Hands);
    const int64_t lowest = tails.Lowest(kTailMass);
    const int64_t points = tails.Highest(kTailMass) - lowest + 1;
    if (points > kMaxSessionGrid)
        throw ERangeError("The results of this session spread over " + std::to_string(points) +
                          " values, more than the " + std::to_string(kMaxSessionGrid) +
                          " an exact distribution may hold");
    const int64_t length = TransformLength(points);
    const int64_t half = length / 2 + 1;

    // 2. The spectrum: E[exp(-2 pi i k (S - lowest) / length)], the product of
    // the parts' characteristic functions to their numbers of hands. Alongside,
    // the absolute error of each term and the spectrum's energy.
    std::unique_ptr<fftwl_complex[], TFftwFree> spectrum(fftwl_alloc_complex(half));
    std::unique_ptr<long double[], TFftwFree> values(fftwl_alloc_real(length));
    if (!spectrum || !values) throw std::bad_alloc();
    const TInversePlan plan(length, spectrum.get(), values.get());
    const TTwiddles twiddle(length);
    for (TPreparedPart& part : prepared) {
        if (part.Values.size() > kDirectOutcomes) TransformPart(part, length);
        part.Error += part.OutcomeError;
        part.PowerRounding =
            (6 * (std::log2(static_cast<long double>(part.Hands)) + 1) + 3) * kUnit;
    }
    long double spectralError = 0, energy = 0;
    for (int64_t k = 0; k < half; ++k) {
        if (k % 1024 == 0 && cancel && cancel->load()) {
            result.Cancelled = true;
            return result;
        }
        TComplex term = twiddle(-(k % length) * (lowest % length));
        long double error = 40 * kUnit;
        for (const auto& part : prepared) {
            TComplex phi;
            if (!part.Spectrum.empty()) phi = part.Spectrum[k];
            for (size_t j = 0; part.Spectrum.empty() && j < part.Values.size(); ++j) {
                const TComplex w = twiddle((k * (part.Values[j] % length)) % length);
                phi.Re += part.Probabilities[j] * w.Re;
                phi.Im += part.Probabilities[j] * w.Im;
            }
            const long double size = Abs(phi) + part.Error;
            const long double sizeBelow = PowerBound(size, part.Hands - 1);
            if (sizeBelow * size < kNegligible) {
                term = {0, 0};
                error = kNegligible;
                break;
            }
            const TComplex power = Power(phi, part.Hands);
            const long double powerAbs = Abs(power);
            const long double powerError =
                static_cast<long double>(part.Hands) * part.Error * sizeBelow +
                powerAbs * part.PowerRounding;
            error = error * powerAbs + Abs(term) * powerError;
            term = term * power;
        }
        spectrum[k][0] = term.Re;
        spectrum[k][1] = term.Im;
        const long double weight = (k == 0 || 2 * k == length) ? 1 : 2;
        spectralError += weight * error;
        energy += weight * (term.Re * term.Re + term.Im * term.Im);
    }

    // 3. Back to probabilities.
    plan.Execute();
    const long double scale = static_cast<long double>(length);
    long double largest = 0;
    for (int64_t n = 0; n < points; ++n) {
        values[n] = std::max(0.0L, values[n] / scale);
        largest = std::max(largest, values[n]);
    }
    result.ErrorBound = 2 * kTailMass + spectralError / scale +
                        10 * kUnit * std::ceil(std::log2(scale)) * std::sqrt(energy / scale) +
                        largest * DBL_EPSILON / 2;

    // 4. Points no larger than the bound at either end are indistinguishable
    // from nothing.
    int64_t first = 0, last = points - 1;
    while (first < last && values[first] <= result.ErrorBound) ++first;
    while (last > first && values[last] <= result.ErrorBound) --last;
    result.First = lowest + first;
    result.Probability.reserve(last - first + 1);
    for (int64_t n = first; n <= last; ++n)
        result.Probability.push_back(static_cast<double>(values[n]));
    return result;
}

} // namespace drawmentor
