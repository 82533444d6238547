#include "HandDistribution.h"

#include "core/Error.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <string>

namespace drawmentor {

THandDistribution::THandDistribution(int betCoins, std::vector<int> linePays,
                                     std::vector<long double> lineProbability,
                                     long double nothingProbability)
    : FBetCoins(betCoins), FLinePays(std::move(linePays)),
      FLineProbability(std::move(lineProbability)), FNothingProbability(nothingProbability) {
    if (FBetCoins < 1) throw ERangeError("A hand needs a bet of at least one coin");
    if (FLinePays.size() != FLineProbability.size())
        throw ERangeError("A hand needs one probability per paytable line");
    const auto valid = [](long double p) { return std::isfinite(p) && p >= 0 && p <= 1; };
    if (!valid(FNothingProbability)) throw ERangeError("A probability lies outside 0..1");
    std::map<int64_t, long double> byNet;
    byNet[-FBetCoins] += FNothingProbability;
    long double total = FNothingProbability;
    for (size_t line = 0; line < FLinePays.size(); ++line) {
        const long double p = FLineProbability[line];
        if (!valid(p)) throw ERangeError("A probability lies outside 0..1");
        if (FLinePays[line] < 0) throw ERangeError("A line pays less than nothing");
        byNet[int64_t{FLinePays[line]} - FBetCoins] += p;
        total += p;
        if (FLinePays[line] == 0 || p == 0) continue;
        if (FTopLine < 0 || FLinePays[line] > FLinePays[FTopLine]) {
            FTopLine = static_cast<int>(line);
            FTopLineProbability = p;
        } else if (FLinePays[line] == FLinePays[FTopLine]) {
            FTopLineProbability += p;
        }
    }
    // The analysis' probabilities are integer sums divided once, so they add
    // up to 1 within a few units of the last place; anything further off is
    // not a distribution.
    if (std::fabs(total - 1) > 1e-9L)
        throw ERangeError("The probabilities of a hand add up to " +
                          std::to_string(static_cast<double>(total)) + ", not 1");
    for (const auto& [net, p] : byNet)
        if (p > 0) FOutcomes.push_back({net, p});
    if (FTopLine >= 0) FTopLineNet = static_cast<long double>(FLinePays[FTopLine] - FBetCoins);
    Summarise();
}

THandDistribution THandDistribution::FromOutcomes(int betCoins, std::vector<TNetOutcome> outcomes,
                                                  long double outcomeError,
                                                  std::vector<int> linePays, int topLine,
                                                  long double topLineProbability,
                                                  long double topLineNet) {
    if (betCoins < 1) throw ERangeError("A hand needs a bet of at least one coin");
    if (outcomes.empty()) throw ERangeError("A result needs at least one outcome");
    THandDistribution result;
    result.FBetCoins = betCoins;
    result.FLinePays = std::move(linePays);
    result.FTopLine = topLine;
    result.FTopLineProbability = topLineProbability;
    result.FTopLineNet = topLineNet;
    result.FOutcomeError = outcomeError;
    long double total = 0;
    for (const TNetOutcome& outcome : outcomes) {
        if (!std::isfinite(outcome.Probability) || outcome.Probability < 0)
            throw ERangeError("A probability lies outside 0..1");
        total += outcome.Probability;
    }
    if (std::fabs(total - 1) > 1e-9L)
        throw ERangeError("The probabilities of a result add up to " +
                          std::to_string(static_cast<double>(total)) + ", not 1");
    std::sort(outcomes.begin(), outcomes.end(),
              [](const TNetOutcome& a, const TNetOutcome& b) { return a.Net < b.Net; });
    for (const TNetOutcome& outcome : outcomes) {
        if (outcome.Probability <= 0) continue;
        if (!result.FOutcomes.empty() && result.FOutcomes.back().Net == outcome.Net)
            result.FOutcomes.back().Probability += outcome.Probability;
        else
            result.FOutcomes.push_back(outcome);
    }
    for (const TNetOutcome& outcome : result.FOutcomes)
        if (outcome.Net < 0) result.FNothingProbability += outcome.Probability;
    result.Summarise();
    return result;
}

void THandDistribution::Summarise() {
    int64_t step = 0;
    for (const auto& [net, p] : FOutcomes) {
        step = std::gcd(step, net);
        FMean += p * static_cast<long double>(net);
    }
    FStep = step > 0 ? step : FBetCoins;
    for (const auto& outcome : FOutcomes) {
        const long double deviation = static_cast<long double>(outcome.Net) - FMean;
        FVariance += outcome.Probability * deviation * deviation;
    }
}

TRebatedHand WithCashback(const THandDistribution& hand, int hundredths) {
    if (hundredths < 0 || hundredths > 10000)
        throw ERangeError("A rebate is 0 to 100 % of the coins bet, not " +
                          std::to_string(hundredths / 100.0) + " %");
    // rebate = hundredths * bet / 10000 coins = rebateUnits / scale.
    const int64_t numerator = int64_t{hundredths} * hand.BetCoins();
    const int64_t scale = 10000 / std::gcd(numerator, int64_t{10000});
    const int64_t rebate = numerator * scale / 10000;
    if (static_cast<int64_t>(hand.BetCoins()) * scale > INT32_MAX)
        throw ERangeError("A rebate on this bet needs a grid too fine to follow");
    std::vector<TNetOutcome> outcomes;
    for (const TNetOutcome& outcome : hand.Outcomes())
        outcomes.push_back({outcome.Net * scale + rebate, outcome.Probability});
    return {
        THandDistribution::FromOutcomes(
            static_cast<int>(hand.BetCoins() * scale), std::move(outcomes), hand.OutcomeError(),
            hand.LinePays(), hand.TopLine(), hand.TopLineProbability(),
            hand.TopLineNet() * static_cast<long double>(scale) + static_cast<long double>(rebate)),
        scale};
}

THandDistribution HandDistributionOf(const TPaytableReturn& analysis, const std::vector<int>& pays,
                                     int betCoins) {
    if (analysis.Cancelled) throw ERangeError("The paytable analysis was cancelled");
    return THandDistribution(betCoins, pays, analysis.LineProbability, analysis.NothingProbability);
}

} // namespace drawmentor
