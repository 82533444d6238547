#pragma once

#include "charts/StrategyChart.h"

#include <string>
#include <vector>

namespace drawmentor::cli {

// A line of one chart set against another of the same game: new in it, gone
// from it, or standing in another order against the lines both have.
struct TChartChange {
    std::string Kind; // "new", "gone", "up", "down"
    int Line = 0;     // 1-based, in the chart it is in ("gone": in the other)
    int Was = 0;      // 1-based place in the other chart ("up", "down")
    const TChartLine* Of = nullptr;
};
std::vector<TChartChange> ChartChanges(const TStrategyChart& from, const TStrategyChart& to);

} // namespace drawmentor::cli
