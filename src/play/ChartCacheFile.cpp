#include "ChartCacheFile.h"

#include "games/PayTable.h"
#include "prefs/DataFolder.h"

#include <map>
#include <tuple>

namespace drawmentor {

std::shared_ptr<TChartCache> SharedUserChartCache() {
    static std::weak_ptr<TChartCache> shared;
    static QString sharedFolder;
    std::shared_ptr<TChartCache> cache = shared.lock();
    if (!cache || sharedFolder != DataFolder()) {
        cache =
            std::make_shared<TChartCache>((DataFolder() + QStringLiteral("Charts/")).toStdString());
        shared = cache;
        sharedFolder = DataFolder();
    }
    return cache;
}

std::optional<TStrategyChart> CachedChartOf(int gameIndex, const std::vector<int>& pays) {
    const auto cache = SharedUserChartCache();
    for (int bet = 1; bet <= kMaxCoins; ++bet)
        if (auto chart = cache->Find(gameIndex, bet, pays)) return chart;
    return std::nullopt;
}

std::shared_ptr<TChartJob> SharedChartJob(int gameIndex, const std::vector<int>& pays, int betCoins,
                                          TChartLevel level) {
    using TKey = std::tuple<int, int, std::vector<int>, TChartLevel, QString>;
    static std::map<TKey, std::weak_ptr<TChartJob>> running;
    std::erase_if(running, [](const auto& entry) { return entry.second.expired(); });
    const TKey key{gameIndex, betCoins, pays, level, DataFolder()};
    if (auto job = running[key].lock()) return job;
    auto job = std::make_shared<TChartJob>(
        gameIndex, pays, betCoins,
        [cache = SharedUserChartCache()](const TStrategyChart& chart) { cache->Store(chart); }, 0,
        level);
    running[key] = job;
    return job;
}

} // namespace drawmentor
