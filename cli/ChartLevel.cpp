#include "ChartLevel.h"

namespace drawmentor::cli {
namespace {

constexpr const char* kLevelWords[kChartLevelCount] = {"beginner", "intermediate", "expert"};

} // namespace

TChartLevel ChartLevelOf(const TArguments& args) {
    const auto word = args.Value("level");
    if (!word) return TChartLevel::Expert;
    for (int level = 0; level < kChartLevelCount; ++level)
        if (*word == kLevelWords[level]) return static_cast<TChartLevel>(level);
    throw EUsage("--level is beginner, intermediate or expert, not '" + *word + "'");
}

std::string ChartLevelWord(TChartLevel level) {
    return kLevelWords[static_cast<int>(level)];
}

} // namespace drawmentor::cli
