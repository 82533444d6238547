#pragma once

#include "Arguments.h"

#include "charts/StrategyChart.h"

#include <string>

namespace drawmentor::cli {

// --level beginner|intermediate|expert; expert when not given.
TChartLevel ChartLevelOf(const TArguments& args);
// "beginner", "intermediate" or "expert": as --level takes it.
std::string ChartLevelWord(TChartLevel level);

} // namespace drawmentor::cli
