#include "ReturnCache.h"

#include "core/FileIo.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace drawmentor {

TReturnCache::TReturnCache(std::string path) : FPath(std::move(path)) {
    Load();
}

std::string TReturnCache::Key(int gameIndex, int betCoins, const std::vector<int>& pays) {
    std::string key = std::to_string(gameIndex) + ' ' + std::to_string(betCoins);
    for (int pay : pays) key += ' ' + std::to_string(pay);
    return key;
}

std::optional<TPaytableReturn> TReturnCache::Find(int gameIndex, int betCoins,
                                                  const std::vector<int>& pays) const {
    const std::lock_guard lock(FLock);
    const std::string key = Key(gameIndex, betCoins, pays);
    for (const auto& [entryKey, result] : FEntries)
        if (entryKey == key) return result;
    return std::nullopt;
}

void TReturnCache::Store(int gameIndex, int betCoins, const std::vector<int>& pays,
                         const TPaytableReturn& result) {
    if (result.Cancelled) return;
    {
        const std::lock_guard lock(FLock);
        const std::string key = Key(gameIndex, betCoins, pays);
        std::erase_if(FEntries, [&](const auto& entry) { return entry.first == key; });
        FEntries.emplace_back(key, result);
    }
    Save();
}

// One line per result: the key, then "|" and the figures, all numbers with
// enough digits to read back the same extended-precision value. The deal
// variance came last and later: a line without it is one of an older program
// and is computed again rather than shown without it.
void TReturnCache::Load() {
    const auto text = ReadFileIfExists(FPath, kMaxTextFileBytes);
    if (!text) return;
    std::istringstream in(*text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t bar = line.find('|');
        if (bar == std::string::npos) continue;
        std::istringstream figures(line.substr(bar + 1));
        TPaytableReturn result;
        size_t lines = 0;
        figures >> result.Deals >> result.Classes >> result.ReturnPercent >> result.Variance >>
            result.NothingProbability >> lines;
        if (!figures || lines > 16) continue;
        result.LineProbability.resize(lines);
        for (auto& p : result.LineProbability) figures >> p;
        figures >> result.DealVariance;
        if (!figures) continue; // a damaged line is skipped, never half-read
        FEntries.emplace_back(line.substr(0, bar), result);
    }
}

void TReturnCache::Save() const {
    std::ostringstream text;
    {
        const std::lock_guard lock(FLock);
        char number[64];
        const auto put = [&](long double value) {
            std::snprintf(number, sizeof number, " %.21Lg", value);
            text << number;
        };
        for (const auto& [key, result] : FEntries) {
            text << key << '|' << result.Deals << ' ' << result.Classes;
            put(result.ReturnPercent);
            put(result.Variance);
            put(result.NothingProbability);
            text << ' ' << result.LineProbability.size();
            for (long double p : result.LineProbability) put(p);
            put(result.DealVariance);
            text << '\n';
        }
    }
    const std::filesystem::path target(FPath);
    std::error_code ignored; // a folder that cannot be made fails the save below, with its reason
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    WriteFileAtomically(FPath, text.str());
}

} // namespace drawmentor
