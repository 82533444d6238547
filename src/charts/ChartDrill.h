#pragma once

#include "ChartAdvisor.h"

#include <array>
#include <vector>

namespace drawmentor {

// Which dealt hands train the chosen lines of a chart: those whose best play
// is on one of them, and those whose best play is on a line next to one of
// them while that line is in the hand too, the hands that tell neighbouring
// lines apart.
class TChartDrill {
  public:
    // `lines`: indexes into the chart's lines; those out of range are dropped.
    TChartDrill(TStrategyChart chart, const std::vector<int>& lines);

    const TStrategyChart& Chart() const { return FAdvisor.Chart(); }
    const std::vector<int>& Lines() const { return FLines; }
    // Cheap for most hands: only a hand with a hold on or beside a chosen
    // line is counted by the engine.
    bool Qualifies(const std::array<int, kHandSize>& codes);

  private:
    bool Chosen(int line) const {
        return line >= 0 && line < static_cast<int>(FChosen.size()) && FChosen[line];
    }

    TChartAdvisor FAdvisor;
    std::vector<int> FLines;
    std::vector<bool> FChosen;
};

} // namespace drawmentor
