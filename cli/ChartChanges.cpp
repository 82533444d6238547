#include "ChartChanges.h"

namespace drawmentor::cli {

std::vector<TChartChange> ChartChanges(const TStrategyChart& from, const TStrategyChart& to) {
    const auto find = [](const TStrategyChart& chart, const std::string& key) {
        for (size_t i = 0; i < chart.Lines.size(); ++i)
            if (chart.Lines[i].Key == key) return static_cast<int>(i);
        return -1;
    };
    // Where a line stands among the lines both charts have.
    const auto common = [&](const TStrategyChart& chart, const TStrategyChart& other, int line) {
        int place = 0;
        for (int i = 0; i < line; ++i) place += find(other, chart.Lines[i].Key) >= 0 ? 1 : 0;
        return place;
    };
    std::vector<TChartChange> changes;
    for (size_t i = 0; i < to.Lines.size(); ++i) {
        const int line = static_cast<int>(i);
        const int was = find(from, to.Lines[i].Key);
        if (was < 0) {
            changes.push_back({"new", line + 1, 0, &to.Lines[i]});
            continue;
        }
        const int now = common(to, from, line), before = common(from, to, was);
        if (now != before)
            changes.push_back({now < before ? "up" : "down", line + 1, was + 1, &to.Lines[i]});
    }
    for (size_t i = 0; i < from.Lines.size(); ++i)
        if (find(to, from.Lines[i].Key) < 0)
            changes.push_back({"gone", static_cast<int>(i) + 1, 0, &from.Lines[i]});
    return changes;
}

} // namespace drawmentor::cli
