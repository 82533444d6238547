#pragma once

#include <cstdint>
#include <vector>

namespace drawmentor {

// Chernoff bounds on a sum S of independent whole-number results. With
// K(t) = log E[exp(t S)], for every t > 0
//     P(S >= a) <= exp(K(t) - t a)   and   P(S <= a) <= exp(K(-t) + t a);
// each bound holds for any t, so taking the best t of a fixed grid stays a
// proof, only a little less tight than the true optimum.
class TTailBound {
  public:
    // `hands` independent copies of a result that is values[j] with
    // probabilities[j].
    void Add(const std::vector<int64_t>& values, const std::vector<long double>& probabilities,
             int64_t hands);

    // A value a with P(S > a) <= mass, never above the largest possible sum.
    int64_t Highest(long double mass) const;
    // A value a with P(S < a) <= mass, never below the smallest possible sum.
    int64_t Lowest(long double mass) const;

    // K(t) for any real t.
    long double LogMoment(long double t) const;

    // The grid of t tried: geometric from 1e-10 to 100, so that it fits sums
    // whose spread is anything from a fraction of a unit to millions of them.
    static const std::vector<long double>& Grid();

  private:
    struct TPart {
        std::vector<int64_t> Values;
        std::vector<long double> Probabilities;
        int64_t Hands = 0;
    };
    std::vector<TPart> FParts;
    long double FLeast = 0; // the smallest and the largest possible sum
    long double FMost = 0;
};

} // namespace drawmentor
