#pragma once

#include "ChartCache.h"
#include "charts/ChartJob.h"

#include <memory>
#include <optional>
#include <vector>

namespace drawmentor {

// The strategy charts kept in the user's data folder ("Charts/"), one cache
// for everyone that holds it at a time; a new one when the data folder changed.
std::shared_ptr<TChartCache> SharedUserChartCache();

// The expert chart of a game and whole-bet pays from the user's cache, for
// whichever bet it was made (the pays differ by bet); none when it was not
// made yet.
std::optional<TStrategyChart> CachedChartOf(int gameIndex, const std::vector<int>& pays);

// The running generation of a chart, shared: the chart window and the
// trainer asking for the same game, bet, pays and level get the same job, which
// stores its chart in the user's cache. The job is cancelled when its last
// holder lets it go. For the user-interface thread only.
std::shared_ptr<TChartJob> SharedChartJob(int gameIndex, const std::vector<int>& pays, int betCoins,
                                          TChartLevel level = TChartLevel::Expert);

} // namespace drawmentor
