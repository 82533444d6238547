#include "ChartCache.h"

#include "core/FileIo.h"

#include <cstdio>
#include <filesystem>

namespace drawmentor {

TChartCache::TChartCache(std::string folder) : FFolder(std::move(folder)) {
    if (!FFolder.empty() && FFolder.back() != '/') FFolder += '/';
}

// The pays go into the name through a hash, so that a paytable of sixteen
// five-digit pays still makes a short name; the file itself says which pays
// it is for, and Find compares them.
std::string TChartCache::PathOf(int gameIndex, int betCoins, const std::vector<int>& pays,
                                TChartLevel level) const {
    uint64_t hash = 14695981039346656037ull; // FNV-1a over the pays' decimal text
    for (int pay : pays)
        for (char c : std::to_string(pay) + ',') {
            hash ^= static_cast<unsigned char>(c);
            hash *= 1099511628211ull;
        }
    // An expert chart keeps the name it always had.
    constexpr const char* kSuffix[kChartLevelCount] = {"-beginner", "-intermediate", ""};
    char name[96];
    std::snprintf(name, sizeof name, "g%02d-b%d-%016llx%s.chart", gameIndex, betCoins,
                  static_cast<unsigned long long>(hash), kSuffix[static_cast<int>(level)]);
    return FFolder + name;
}

std::optional<TStrategyChart> TChartCache::Find(int gameIndex, int betCoins,
                                                const std::vector<int>& pays,
                                                TChartLevel level) const {
    try {
        const auto text =
            ReadFileIfExists(PathOf(gameIndex, betCoins, pays, level), kMaxTextFileBytes);
        if (!text) return std::nullopt;
        TStrategyChart chart = LoadChart(*text);
        if (chart.GameIndex != gameIndex || chart.Bet != betCoins || chart.Pays != pays ||
            chart.Level != level)
            return std::nullopt;
        return chart;
    } catch (const std::exception&) {
        return std::nullopt; // made again, and the file replaced
    }
}

void TChartCache::Store(const TStrategyChart& chart) {
    if (chart.Cancelled) return;
    std::error_code ignored; // a folder that cannot be made fails the write, with its reason
    std::filesystem::create_directories(FFolder, ignored);
    WriteFileAtomically(PathOf(chart.GameIndex, chart.Bet, chart.Pays, chart.Level),
                        SaveChart(chart));
}

} // namespace drawmentor
