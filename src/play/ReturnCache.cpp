#include "ReturnCache.h"

#include "core/FileIo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace drawmentor {

namespace {

// The figures of an entry against each other and against the pays of its key
// ("game bet pay pay ..."): probabilities in [0, 1] that add up to 1, the
// return they make with those pays, spreads that are not negative.
bool HoldsTogether(const std::string& key, const TPaytableReturn& r) {
    std::istringstream words(key);
    int game = 0, bet = 0;
    words >> game >> bet;
    std::vector<long double> pays;
    for (long double pay = 0; words >> pay;) pays.push_back(pay);
    if (!words.eof() || bet < 1 || pays.size() != r.LineProbability.size()) return false;
    const auto probability = [](long double p) { return std::isfinite(p) && p >= 0 && p <= 1; };
    if (r.Deals <= 0 || r.Classes <= 0 || r.Classes > r.Deals || !probability(r.NothingProbability))
        return false;
    long double total = r.NothingProbability, paid = 0;
    for (size_t line = 0; line < pays.size(); ++line) {
        if (!probability(r.LineProbability[line])) return false;
        total += r.LineProbability[line];
        paid += r.LineProbability[line] * pays[line];
    }
    const long double expected = 100 * paid / bet;
    return std::fabs(total - 1) < 1e-9L && std::isfinite(r.ReturnPercent) &&
           std::fabs(r.ReturnPercent - expected) <= 1e-9L * std::max(1.0L, expected) &&
           std::isfinite(r.Variance) && r.Variance >= 0 && std::isfinite(r.DealVariance) &&
           r.DealVariance >= 0 && r.DealVariance <= r.Variance * (1 + 1e-12L);
}

} // namespace

TReturnCache::TReturnCache(std::string path) : FPath(std::move(path)) {
    try {
        int dropped = 0;
        FEntries = Read(dropped);
        if (dropped > 0)
            FNotice = FPath + ": " + std::to_string(dropped) +
                      " damaged entries are set aside and computed again";
    } catch (const std::exception& error) {
        FNotice = std::string(error.what()) + "; the returns are computed again";
    }
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
    const std::string key = Key(gameIndex, betCoins, pays);
    {
        const std::lock_guard lock(FLock);
        std::erase_if(FEntries, [&](const auto& entry) { return entry.first == key; });
        FEntries.emplace_back(key, result);
    }
    Save(key);
}

// One line per result: the key, then "|" and the figures, all numbers with
// enough digits to read back the same extended-precision value. The deal
// variance came last and later: a line without it is one of an older program
// and is computed again rather than shown without it.
TReturnCache::TEntries TReturnCache::Read(int& dropped) const {
    dropped = 0;
    TEntries entries;
    const auto text = ReadFileIfExists(FPath, kMaxTextFileBytes);
    if (!text) return entries;
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
        if (!figures || lines > 16) {
            ++dropped;
            continue;
        }
        result.LineProbability.resize(lines);
        for (auto& p : result.LineProbability) figures >> p;
        figures >> result.DealVariance;
        // A damaged line is skipped, never half-read; an older program's
        // line (no deal variance) is made again too, but is no damage.
        if (!figures) continue;
        std::string key = line.substr(0, bar);
        if (!HoldsTogether(key, result)) {
            ++dropped;
            continue;
        }
        entries.emplace_back(std::move(key), result);
    }
    return entries;
}

void TReturnCache::Save(const std::string& key) {
    const std::filesystem::path target(FPath);
    std::error_code ignored; // a folder that cannot be made fails the save below, with its reason
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    const TFolderLock folder(FPath);
    // What others stored since this cache was read stays; ours replace theirs
    // only for the key just stored. A file that cannot be read is replaced.
    TEntries merged;
    try {
        int dropped = 0;
        merged = Read(dropped);
    } catch (const std::exception&) {
        // A pipe, a device or a link in the cache's place is no cache of
        // ours: it goes, and the file is made anew. A folder stays, and the
        // save fails with its reason.
        const auto type = std::filesystem::symlink_status(target, ignored).type();
        if (type != std::filesystem::file_type::directory &&
            type != std::filesystem::file_type::regular)
            std::filesystem::remove(target, ignored);
    }
    std::ostringstream text;
    const std::lock_guard lock(FLock);
    for (const auto& entry : FEntries) {
        const auto same = [&](const auto& other) { return other.first == entry.first; };
        const auto found = std::find_if(merged.begin(), merged.end(), same);
        if (found == merged.end())
            merged.push_back(entry);
        else if (entry.first == key)
            found->second = entry.second;
    }
    char number[64];
    const auto put = [&](long double value) {
        std::snprintf(number, sizeof number, " %.21Lg", value);
        text << number;
    };
    for (const auto& [entryKey, result] : merged) {
        text << entryKey << '|' << result.Deals << ' ' << result.Classes;
        put(result.ReturnPercent);
        put(result.Variance);
        put(result.NothingProbability);
        text << ' ' << result.LineProbability.size();
        for (long double p : result.LineProbability) put(p);
        put(result.DealVariance);
        text << '\n';
    }
    WriteFileAtomically(FPath, text.str());
    FEntries = std::move(merged);
}

} // namespace drawmentor
