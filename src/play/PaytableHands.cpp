#include "PaytableHands.h"

#include "PaytableStore.h"
#include "ReturnCacheFile.h"

#include "bankroll/DealDistribution.h"
#include "core/Error.h"
#include "games/Catalogue.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace drawmentor {
namespace {

// Deals by game, bet, hands and pays.
using TDealCache = std::map<std::tuple<int, int, int, std::vector<int>>, THandDistribution>;

std::optional<THandDistribution> StoredHand(const TPayoutStorage& store, TReturnCache& cache,
                                            TDealCache& deals, const TPaytableKey& key) {
    if (key.PayIndex >= store.PaytableCount(key.Game)) return std::nullopt;
    const auto game = CreateDescription(key.Game);
    const TPayTable table = store.ReadPaytable(key.Game, key.PayIndex);
    std::vector<int> pays;
    for (int line = 0; line <= game->LastLine; ++line) pays.push_back(table.At(key.Bet, line));
    if (std::any_of(pays.begin(), pays.end(), [](int pay) { return pay < 0; }))
        return std::nullopt; // not a paytable that can have been played
    const auto id = std::make_tuple(key.Game, key.Bet, key.HandsPerDeal, pays);
    if (const auto found = deals.find(id); found != deals.end()) return found->second;
    std::optional<TPaytableReturn> analysis = cache.Find(key.Game, key.Bet, pays);
    if (!analysis) {
        analysis = AnalyzePaytable(*game, pays, key.Bet);
        try {
            cache.Store(key.Game, key.Bet, pays, *analysis);
        } catch (const EDrawMentor&) {
            // A cache that cannot be written costs time next run, nothing else.
        }
    }
    if (key.HandsPerDeal <= 1) return HandDistributionOf(*analysis, pays, key.Bet);
    const auto deal =
        DealDistributionOf(BestHoldOutcomes(*game, pays, key.Bet), pays, key.Bet, key.HandsPerDeal);
    return deals.emplace(id, *deal).first->second;
}

} // namespace

THandSource StoredPaytableHands() {
    return [cache = std::shared_ptr<TReturnCache>(),
            deals = TDealCache()](const std::vector<TPaytableKey>& keys) mutable {
        std::vector<std::optional<THandDistribution>> hands(keys.size());
        if (keys.empty()) return hands;
        cache = SharedUserReturnCache();
        const auto store = OpenPaytableStore();
        for (size_t i = 0; i < keys.size(); ++i)
            hands[i] = StoredHand(*store, *cache, deals, keys[i]);
        return hands;
    };
}

} // namespace drawmentor
