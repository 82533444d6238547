#include "PaytableHands.h"

#include "PaytableStore.h"
#include "ReturnCacheFile.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include <algorithm>

namespace drawmentor {
namespace {

std::optional<THandDistribution> StoredHand(const TPayoutStorage& store, TReturnCache& cache,
                                            const TPaytableKey& key) {
    if (key.PayIndex >= store.PaytableCount(key.Game)) return std::nullopt;
    const auto game = CreateDescription(key.Game);
    const TPayTable table = store.ReadPaytable(key.Game, key.PayIndex);
    std::vector<int> pays;
    for (int line = 0; line <= game->LastLine; ++line) pays.push_back(table.At(key.Bet, line));
    if (std::any_of(pays.begin(), pays.end(), [](int pay) { return pay < 0; }))
        return std::nullopt; // not a paytable that can have been played
    std::optional<TPaytableReturn> analysis = cache.Find(key.Game, key.Bet, pays);
    if (!analysis) {
        analysis = AnalyzePaytable(*game, pays, key.Bet);
        try {
            cache.Store(key.Game, key.Bet, pays, *analysis);
        } catch (const EDrawMentor&) {
            // A cache that cannot be written costs time next run, nothing else.
        }
    }
    return HandDistributionOf(*analysis, pays, key.Bet);
}

} // namespace

THandSource StoredPaytableHands() {
    return
        [cache = std::shared_ptr<TReturnCache>()](const std::vector<TPaytableKey>& keys) mutable {
            std::vector<std::optional<THandDistribution>> hands(keys.size());
            if (keys.empty()) return hands;
            cache = SharedUserReturnCache();
            const auto store = OpenPaytableStore();
            for (size_t i = 0; i < keys.size(); ++i) hands[i] = StoredHand(*store, *cache, keys[i]);
            return hands;
        };
}

} // namespace drawmentor
