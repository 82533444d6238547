#include "ChartDrill.h"

#include <algorithm>

namespace drawmentor {

TChartDrill::TChartDrill(TStrategyChart chart, const std::vector<int>& lines)
    : FAdvisor(std::move(chart)) {
    FChosen.assign(FAdvisor.Chart().Lines.size(), false);
    for (int line : lines)
        if (line >= 0 && line < static_cast<int>(FChosen.size()) && !FChosen[line]) {
            FChosen[line] = true;
            FLines.push_back(line);
        }
    std::sort(FLines.begin(), FLines.end());
}

bool TChartDrill::Qualifies(const std::array<int, kHandSize>& codes) {
    std::array<int, kMaskCount> lines;
    FAdvisor.LinesOf(codes, lines);
    std::vector<bool> present(FChosen.size(), false);
    bool near = false;
    for (int line : lines) {
        if (line < 0) continue;
        present[line] = true;
        near = near || Chosen(line) || Chosen(line - 1) || Chosen(line + 1);
    }
    if (!near) return false;
    const int best = lines[FAdvisor.BestMask(codes)];
    if (best < 0) return false;
    if (Chosen(best)) return true;
    for (int neighbour : {best - 1, best + 1})
        if (Chosen(neighbour) && present[neighbour]) return true;
    return false;
}

} // namespace drawmentor
