#include "PaytableAnalysis.h"

#include "BestHolds.h"
#include "EngineFactory.h"
#include "core/Checked.h"
#include "core/ParallelFor.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <numeric>
#include <thread>

namespace drawmentor {
namespace {

__extension__ typedef __int128 TInt128;

// Canonical hands of `size` natural cards: the rank masks of the four suits in
// non-increasing order. A hand's suit relabellings give 24 / |stabiliser|
// distinct deals, the stabiliser permuting suits with equal masks.
//
// The suits are chosen in that order from lists of rank masks sorted by value
// and cut by card count, so every mask visited still fits in the hand: the
// classes come out in the same order as a plain scan of all masks, without
// visiting the millions of combinations that cannot make `size` cards.
void NaturalClasses(int size, int64_t jokerWays, int jokersInHand, std::vector<TDealClass>& out) {
    constexpr unsigned kRankMasks = 1u << kRankCount;
    // upTo[c]: masks of at most c ranks; exactly[c]: masks of exactly c ranks.
    std::vector<unsigned> upTo[kHandSize + 1], exactly[kHandSize + 1];
    for (unsigned mask = 0; mask < kRankMasks; ++mask) {
        const int bits = std::popcount(mask);
        if (bits > size) continue;
        exactly[bits].push_back(mask);
        for (int c = bits; c <= size; ++c) upTo[c].push_back(mask);
    }
    const auto emit = [&](const unsigned(&suit)[4]) {
        TDealClass entry;
        int n = 0;
        for (int s = 0; s < kSuitCount; ++s)
            for (unsigned bits = suit[s]; bits != 0; bits &= bits - 1)
                entry.Codes[n++] = s * kRankCount + std::countr_zero(bits);
        for (int j = 0; j < jokersInHand; ++j) entry.Codes[n++] = kFirstJokerCode + j;
        int64_t stabiliser = 1;
        for (int s = 0, run = 1; s < kSuitCount; ++s) {
            run = s > 0 && suit[s] == suit[s - 1] ? run + 1 : 1;
            stabiliser *= run;
        }
        entry.Weight = 24 / stabiliser * jokerWays;
        out.push_back(entry);
    };
    unsigned suit[4];
    for (unsigned a : upTo[size]) {
        const int left0 = size - std::popcount(a);
        suit[0] = a;
        for (unsigned b : upTo[left0]) {
            if (b > a) break;
            const int left1 = left0 - std::popcount(b);
            suit[1] = b;
            for (unsigned c : upTo[left1]) {
                if (c > b) break;
                suit[2] = c;
                for (unsigned d : exactly[left1 - std::popcount(c)]) {
                    if (d > c) break;
                    suit[3] = d;
                    emit(suit);
                }
            }
        }
    }
}

struct TPartial {
    TInt128 Pay = 0; // sum of weight * paid numerator scaled to the common denominator
    TInt128 PaySquared = 0;
    TInt128 DealSquared = 0; // sum of weight * (expected pay * common)^2
    std::array<TInt128, kMaxLines> Lines{};
    TInt128 Nothing = 0;
};

} // namespace

std::vector<TDealClass> DealClasses(int jokers) {
    CheckIndex(jokers, 0, 2, "jokers");
    std::vector<TDealClass> classes;
    for (int inHand = 0; inHand <= jokers; ++inHand)
        NaturalClasses(kHandSize - inHand, Binomial(inHand, jokers), inHand, classes);
    return classes;
}

std::vector<uint32_t> RankPatternOrder(const std::vector<TDealClass>& classes) {
    if (classes.size() > UINT32_MAX)
        RaiseRange("deal classes", static_cast<long long>(classes.size()));
    // Keys are five ranks of four bits: two stable counting passes of ten bits
    // each, which cost a few milliseconds where a comparison sort cost ten.
    constexpr int kDigitBits = 10;
    constexpr uint32_t kDigits = 1u << kDigitBits;
    const size_t n = classes.size();
    std::vector<uint32_t> keys(n), order(n), next(n);
    for (size_t i = 0; i < n; ++i) keys[i] = TBestHolds::RankKey(classes[i].Codes);
    std::iota(order.begin(), order.end(), 0u);
    for (const int shift : {0, kDigitBits}) {
        std::vector<size_t> start(kDigits + 1, 0);
        for (const uint32_t i : order) ++start[((keys[i] >> shift) & (kDigits - 1)) + 1];
        for (uint32_t d = 0; d < kDigits; ++d) start[d + 1] += start[d];
        for (const uint32_t i : order) next[start[(keys[i] >> shift) & (kDigits - 1)]++] = i;
        order.swap(next);
    }
    return order;
}

TPaytableReturn AnalyzePaytable(const TPokerDescription& game, const std::vector<int>& pays,
                                int betCoins, const TAnalysisOptions& options) {
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    CheckIndex(betCoins, 1, 99999, "bet");
    return AnalyzeDealClasses(game, pays, betCoins, DealClasses(game.Jokers), options);
}

long double DealDeviation(const TPaytableReturn& result, int hands) {
    CheckIndex(hands, 1, 1000, "hands per deal");
    const long double n = hands;
    const long double variance = n * result.Variance + n * (n - 1) * result.DealVariance;
    return std::sqrt(std::max<long double>(variance, 0));
}

TPaytableReturn AnalyzeDealClasses(const TPokerDescription& game, const std::vector<int>& pays,
                                   int betCoins, const std::vector<TDealClass>& classes,
                                   const TAnalysisOptions& options) {
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    CheckIndex(betCoins, 1, 99999, "bet");
    const int deckLeft = kRankCount * kSuitCount + game.Jokers - kHandSize;
    // Every hold's outcomes divide a common denominator, so each deal's
    // expected pay is an exact integer over it.
    int64_t common = 1;
    for (int k = 0; k <= kHandSize; ++k) common = std::lcm(common, int64_t{Binomial(k, deckLeft)});
    int64_t scale[kHandSize + 1];
    for (int k = 0; k <= kHandSize; ++k) scale[k] = common / Binomial(k, deckLeft);

    const std::vector<uint32_t> order = RankPatternOrder(classes);

    const int threads =
        options.Threads > 0 ? options.Threads : std::max(1u, std::thread::hardware_concurrency());
    std::vector<TPartial> partials(threads);
    std::atomic<int64_t> next{0};
    std::atomic<int64_t> done{0};
    std::atomic<bool> failed{false};
    constexpr int64_t kChunk = 512;
    const auto work = [&](int worker) {
        TCalculator calculator;
        auto engine = CreateEngine(game, calculator);
        TPayout payout;
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
        const auto holds = std::make_unique<TBestHolds>(*engine);
        TPartial& sum = partials[worker];
        for (;;) {
            if ((options.Cancel && options.Cancel->load()) || failed.load()) return;
            const int64_t first = next.fetch_add(kChunk);
            if (first >= static_cast<int64_t>(classes.size())) return;
            const int64_t last = std::min<int64_t>(first + kChunk, classes.size());
            for (int64_t i = first; i < last; ++i) {
                const TDealClass& deal = classes[order[i]];
                holds->Deal(deal.Codes);
                const int drawn = DrawCount(holds->Mask());
                const int64_t* lines = holds->Lines();
                const TInt128 weight = deal.Weight * scale[drawn];
                TInt128 pay = 0, paySquared = 0;
                for (int line = 0; line <= engine->LastLine(); ++line) {
                    const int64_t count = lines[line];
                    pay += TInt128(count) * pays[line];
                    paySquared += TInt128(count) * pays[line] * pays[line];
                    sum.Lines[line] += weight * count;
                }
                sum.Pay += weight * pay;
                sum.PaySquared += weight * paySquared;
                // pay * scale is the deal's expected pay times common, at most
                // common * the top pay, so its square stays far inside 128 bits.
                const TInt128 expected = pay * scale[drawn];
                sum.DealSquared += TInt128(deal.Weight) * expected * expected;
                sum.Nothing += weight * holds->Unpaid();
            }
            const int64_t total = done.fetch_add(last - first) + (last - first);
            if (options.Progress) options.Progress(total, static_cast<int64_t>(classes.size()));
        }
    };
    ParallelFor(threads, work, &failed);

    TPaytableReturn result;
    for (const auto& entry : classes) result.Deals += entry.Weight;
    result.Classes = static_cast<int64_t>(classes.size());
    result.Cancelled = options.Cancel && options.Cancel->load();
    if (result.Cancelled) return result;
    TPartial total;
    for (const auto& part : partials) {
        total.Pay += part.Pay;
        total.PaySquared += part.PaySquared;
        total.DealSquared += part.DealSquared;
        total.Nothing += part.Nothing;
        for (int line = 0; line < kMaxLines; ++line) total.Lines[line] += part.Lines[line];
    }
    // Probabilities are sums over deals of count / C(n, k), i.e. integers over
    // common * deals.
    const long double denominator = static_cast<long double>(common) * result.Deals;
    const long double meanPay = static_cast<long double>(total.Pay) / denominator;
    const long double meanSquare = static_cast<long double>(total.PaySquared) / denominator;
    const long double bet = betCoins;
    result.ReturnPercent = 100 * meanPay / bet;
    result.Variance = meanSquare / (bet * bet) - (meanPay / bet) * (meanPay / bet);
    const long double dealSquare = static_cast<long double>(total.DealSquared) /
                                   static_cast<long double>(common) / denominator;
    result.DealVariance = dealSquare / (bet * bet) - (meanPay / bet) * (meanPay / bet);
    for (int line = 0; line <= game.LastLine; ++line)
        result.LineProbability.push_back(static_cast<long double>(total.Lines[line]) / denominator);
    result.NothingProbability = static_cast<long double>(total.Nothing) / denominator;
    return result;
}

} // namespace drawmentor
