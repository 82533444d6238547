#include "DealOutcomes.h"

#include "BestHolds.h"
#include "EngineFactory.h"
#include "core/Checked.h"
#include "core/ParallelFor.h"

#include <algorithm>
#include <map>
#include <memory>
#include <thread>

namespace drawmentor {

namespace {

TDealOutcomes Outcomes(const TPokerDescription& game, const std::vector<int>& pays, int betCoins,
                       const THoldChooser* hold, const TAnalysisOptions& options) {
    if (static_cast<int>(pays.size()) != game.LineCount())
        RaiseRange("number of pays", static_cast<long long>(pays.size()));
    CheckIndex(betCoins, 1, 99999, "bet");
    const std::vector<TDealClass> classes = DealClasses(game.Jokers);
    const std::vector<uint32_t> order = RankPatternOrder(classes);
    const int threads =
        options.Threads > 0 ? options.Threads : std::max(1u, std::thread::hardware_concurrency());
    // Keyed by the cards drawn and the line counts; a map keeps one order
    // whatever the threads did.
    using TKey = std::array<int64_t, kMaxLines + 1>;
    std::vector<std::map<TKey, int64_t>> found(threads);
    std::atomic<int64_t> next{0}, done{0};
    std::atomic<bool> failed{false};
    constexpr int64_t kChunk = 512;
    const auto work = [&](int worker) {
        TCalculator calculator;
        auto engine = CreateEngine(game, calculator);
        TPayout payout;
        std::copy(pays.begin(), pays.end(), payout.Pays.begin());
        engine->SetPayout(&payout);
        const auto holds = std::make_unique<TBestHolds>(*engine);
        for (;;) {
            if ((options.Cancel && options.Cancel->load()) || failed.load()) return;
            const int64_t first = next.fetch_add(kChunk);
            if (first >= static_cast<int64_t>(classes.size())) return;
            const int64_t last = std::min<int64_t>(first + kChunk, classes.size());
            for (int64_t i = first; i < last; ++i) {
                const TDealClass& deal = classes[order[i]];
                TKey key{};
                if (hold) {
                    engine->DealCodes(deal.Codes);
                    engine->GetTheBest(); // counts every hold's draws
                    const int mask = (*hold)(deal.Codes);
                    key[0] = DrawCount(mask);
                    for (int line = 0; line <= engine->LastLine(); ++line)
                        key[line + 1] = engine->LineCounts(mask)[line];
                } else {
                    holds->Deal(deal.Codes);
                    key[0] = DrawCount(holds->Mask());
                    for (int line = 0; line <= engine->LastLine(); ++line)
                        key[line + 1] = holds->Lines()[line];
                }
                found[worker][key] += deal.Weight;
            }
            const int64_t total = done.fetch_add(last - first) + (last - first);
            if (options.Progress) options.Progress(total, static_cast<int64_t>(classes.size()));
        }
    };
    ParallelFor(threads, work, &failed);

    TDealOutcomes result;
    result.DeckLeft = kRankCount * kSuitCount + game.Jokers - kHandSize;
    for (const auto& entry : classes) result.Deals += entry.Weight;
    result.Cancelled = options.Cancel && options.Cancel->load();
    if (result.Cancelled) return result;
    std::map<TKey, int64_t> all;
    for (const auto& part : found)
        for (const auto& [key, weight] : part) all[key] += weight;
    for (const auto& [key, weight] : all) {
        TDealOutcome outcome;
        outcome.Drawn = static_cast<int>(key[0]);
        int64_t paid = 0;
        for (int line = 0; line < kMaxLines; ++line) {
            outcome.Lines[line] = key[line + 1];
            paid += key[line + 1];
        }
        outcome.Unpaid = Binomial(outcome.Drawn, result.DeckLeft) - paid;
        outcome.Weight = weight;
        result.Outcomes.push_back(outcome);
    }
    return result;
}

} // namespace

TDealOutcomes BestHoldOutcomes(const TPokerDescription& game, const std::vector<int>& pays,
                               int betCoins, const TAnalysisOptions& options) {
    return Outcomes(game, pays, betCoins, nullptr, options);
}

TDealOutcomes ChosenHoldOutcomes(const TPokerDescription& game, const std::vector<int>& pays,
                                 int betCoins, const THoldChooser& hold,
                                 const TAnalysisOptions& options) {
    return Outcomes(game, pays, betCoins, &hold, options);
}

} // namespace drawmentor
