#include "DealDistribution.h"

#include "SessionDistribution.h"
#include "cards/Cards.h"
#include "core/Error.h"
#include "core/ParallelFor.h"
#include "games/HandsPerDeal.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <numeric>
#include <string>
#include <thread>

namespace drawmentor {
namespace {

// One deal's share of the mixture, on the grid of `unit` coins from `lowest`.
struct TMixture {
    std::vector<long double> Probability;
    long double Error = 0;
    long double TopLine = 0;    // the chance of at least one top line in the deal
    long double TopLineSum = 0; // the deal's result times that event, summed
};

constexpr int kStrands = 4;

// Up to this many hands the sums of a deal's few pays are fewer than the
// points of a transform's grid: they are added up directly, every term a
// product of positive numbers, each within 2 units of the last place per
// hand and pay (the bound kPlainError per term, summed by probability).
constexpr int64_t kPlainHands = 10;
constexpr long double kPlainError = 2 * LDBL_EPSILON;

// Adds weight * P(the hands' pays sum to j * unit) at out[j].
void PlainSum(const std::map<int, int64_t>& byPay, long double draws, int64_t hands, int64_t unit,
              long double weight, long double* out) {
    std::vector<std::pair<int64_t, long double>> pays; // in units
    for (const auto& [pay, count] : byPay)
        if (count > 0) pays.push_back({pay / unit, count / draws});
    std::map<int64_t, long double> sums{{0, 1.0L}};
    for (int64_t n = 0; n < hands; ++n) {
        std::map<int64_t, long double> next;
        for (const auto& [at, p] : sums)
            for (const auto& [step, q] : pays) next[at + step] += p * q;
        sums.swap(next);
    }
    for (const auto& [at, p] : sums) out[at] += weight * p;
}

} // namespace

std::optional<THandDistribution> DealDistributionOf(const TDealOutcomes& deals,
                                                    const std::vector<int>& pays, int betCoins,
                                                    int hands, int threads,
                                                    const std::atomic<bool>* cancel) {
    if (hands < 1 || hands > kMaxHandsPerDeal)
        throw ERangeError("A deal has 1 to " + std::to_string(kMaxHandsPerDeal) + " hands, not " +
                          std::to_string(hands));
    if (deals.Cancelled || deals.Outcomes.empty() || deals.Deals <= 0)
        throw ERangeError("The deals were not all counted");
    // The top line as one hand has it: the highest pay that can happen.
    int topLine = -1;
    int64_t unit = betCoins, topPay = 0;
    std::vector<bool> happens(pays.size(), false);
    for (const TDealOutcome& deal : deals.Outcomes)
        for (size_t line = 0; line < pays.size(); ++line)
            if (deal.Lines[line] > 0) happens[line] = true;
    for (size_t line = 0; line < pays.size(); ++line) {
        if (!happens[line] || pays[line] <= 0) continue;
        unit = std::gcd(unit, int64_t{pays[line]});
        if (pays[line] > topPay) {
            topPay = pays[line];
            topLine = static_cast<int>(line);
        }
    }
    const int64_t n = hands;
    const int64_t lowest = -n * betCoins;
    const int64_t points = (n * topPay - lowest) / unit + 1;

    // A fixed number of strands, deal i in strand i modulo their number, each
    // summed in order and the strands in theirs: the sums do not depend on
    // the threads that ran them.
    std::vector<TMixture> strands(kStrands);
    const int workers = std::clamp(
        threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency()), 1, kStrands);
    std::atomic<int> nextStrand{0};
    std::atomic<bool> failed{false};
    const long double total = static_cast<long double>(deals.Deals);
    const auto work = [&](int) {
        for (int strand = nextStrand++; strand < kStrands; strand = nextStrand++)
            for (size_t index = strand; index < deals.Outcomes.size(); index += kStrands) {
                if ((cancel && cancel->load()) || failed.load()) return;
                TMixture& mix = strands[strand];
                if (mix.Probability.empty()) mix.Probability.assign(points, 0);
                const TDealOutcome& deal = deals.Outcomes[index];
                const long double weight = static_cast<long double>(deal.Weight) / total;
                const long double draws = Binomial(deal.Drawn, deals.DeckLeft);
                // One hand of this deal: its pays merged, what pays nothing apart.
                std::map<int, int64_t> byPay;
                byPay[0] += deal.Unpaid;
                for (size_t line = 0; line < pays.size(); ++line)
                    if (deal.Lines[line] > 0) byPay[pays[line]] += deal.Lines[line];
                long double miss = 0, mean = 0, missMean = 0;
                for (const auto& [pay, count] : byPay) {
                    const long double p = count / draws;
                    mean += p * pay;
                    if (pay != topPay) {
                        miss += p;
                        missMean += p * pay;
                    }
                }
                // E[sum; at least one top line] = E[sum] - E[sum; none], the hands
                // being independent given the deal.
                const long double bet = static_cast<long double>(n * betCoins);
                const long double none = std::pow(miss, static_cast<long double>(n));
                const long double withoutSum = miss > 0 ? none * (n * missMean / miss - bet) : 0;
                mix.TopLine += weight * (1 - none);
                mix.TopLineSum += weight * ((n * mean - bet) - withoutSum);
                if (byPay.size() == 1 || (byPay.begin()->second == 0 && byPay.size() == 2)) {
                    const int pay = byPay.rbegin()->second > 0 ? byPay.rbegin()->first : 0;
                    mix.Probability[(n * (pay - betCoins) - lowest) / unit] += weight;
                    continue;
                }
                std::vector<int> linePays;
                std::vector<long double> lineProbability;
                long double nothing = 0;
                for (const auto& [pay, count] : byPay) {
                    if (pay == 0) {
                        nothing = count / draws;
                        continue;
                    }
                    linePays.push_back(pay);
                    lineProbability.push_back(count / draws);
                }
                if (n <= kPlainHands) {
                    PlainSum(byPay, draws, n, unit, weight,
                             mix.Probability.data() + (-n * betCoins - lowest) / unit);
                    mix.Error += weight * kPlainError * static_cast<long double>(n * byPay.size());
                    continue;
                }
                const THandDistribution hand(betCoins, linePays, lineProbability, nothing);
                const TSessionDistribution sum = SessionDistribution(hand, n, cancel);
                if (sum.Cancelled) return;
                // Points no larger than the bound are the transform's noise as
                // likely as results: left at zero, within the same bound.
                for (size_t i = 0; i < sum.Probability.size(); ++i)
                    if (sum.Probability[i] > sum.ErrorBound)
                        mix.Probability[(sum.ResultAt(i) - lowest) / unit] +=
                            weight * static_cast<long double>(sum.Probability[i]);
                // Every point of the sum's whole range is within its bound,
                // including those left off at either end.
                const long double range =
                    static_cast<long double>(n *
                                             (linePays.back() - (nothing > 0 ? 0 : linePays[0]))) /
                        static_cast<long double>(sum.Step) +
                    1;
                mix.Error += weight * sum.ErrorBound * range;
            }
    };
    ParallelFor(workers, work, &failed);
    if (cancel && cancel->load()) return std::nullopt;

    TMixture all;
    all.Probability.assign(points, 0);
    for (const TMixture& part : strands) {
        for (size_t i = 0; i < part.Probability.size(); ++i)
            all.Probability[i] += part.Probability[i];
        all.Error += part.Error;
        all.TopLine += part.TopLine;
        all.TopLineSum += part.TopLineSum;
    }
    std::vector<TNetOutcome> outcomes;
    for (int64_t i = 0; i < points; ++i)
        if (all.Probability[i] > 0) outcomes.push_back({lowest + i * unit, all.Probability[i]});
    return THandDistribution::FromOutcomes(hands * betCoins, std::move(outcomes), all.Error, pays,
                                           topLine, all.TopLine,
                                           all.TopLine > 0 ? all.TopLineSum / all.TopLine : 0);
}

} // namespace drawmentor
