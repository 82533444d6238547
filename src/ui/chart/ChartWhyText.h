#pragma once

#include "charts/ChartAdvisor.h"

#include <QString>

namespace drawmentor {

class TPreferences;

// A chart line as players read it: "Low Pair (line 14)".
QString ChartLineText(const TStrategyChart& chart, int line, THoldClass hold,
                      const TPreferences& preferences);
// Why a hold cost coins, in the chart's words: "You held Low Pair (line 14);
// the chart plays 4 to a Royal Flush (line 2)", with a plain word where the
// chart itself is wrong about the hand. Empty when the hold was the best one.
QString HoldWhyText(const TChartAdvice& advice, const TStrategyChart& chart,
                    const TPreferences& preferences);
// What the hint holds, in the chart's words.
QString HintWhyText(const TChartAdvice& advice, const TStrategyChart& chart,
                    const TPreferences& preferences);

} // namespace drawmentor
