#pragma once

#include "charts/StrategyChart.h"

#include <optional>
#include <string>
#include <vector>

namespace drawmentor {

// Strategy charts made earlier, one file per game, bet and pays in a folder
// of their own, so that a chart opened again shows at once. A file that is
// damaged, or that holds another paytable's chart, counts as missing; writes
// go through a temporary file.
class TChartCache {
  public:
    explicit TChartCache(std::string folder);

    std::optional<TStrategyChart> Find(int gameIndex, int betCoins, const std::vector<int>& pays,
                                       TChartLevel level = TChartLevel::Expert) const;
    void Store(const TStrategyChart& chart);
    // The file a chart of these pays and level lives in.
    std::string PathOf(int gameIndex, int betCoins, const std::vector<int>& pays,
                       TChartLevel level = TChartLevel::Expert) const;

  private:
    std::string FFolder;
};

} // namespace drawmentor
