#pragma once

#include "engine/PaytableAnalysis.h"

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace drawmentor {

// Results of earlier analyses per (game, bet, pays), kept in a text file so
// that a paytable's return shows at once the next time. A file that cannot be
// used (not a regular file, unreadable, too large) and an entry whose figures
// do not hold together are absent: computed again and replaced. Several
// programs may share the file, so a save reads it again under a lock on its
// folder and keeps the entries others stored meanwhile; writes go through a
// temporary file.
class TReturnCache {
  public:
    explicit TReturnCache(std::string path);

    // Why the file or some of its entries were set aside when it was read,
    // or empty: said once, by whoever shows the cache's figures.
    const std::string& Notice() const { return FNotice; }

    std::optional<TPaytableReturn> Find(int gameIndex, int betCoins,
                                        const std::vector<int>& pays) const;
    void Store(int gameIndex, int betCoins, const std::vector<int>& pays,
               const TPaytableReturn& result);

  private:
    using TEntries = std::vector<std::pair<std::string, TPaytableReturn>>;
    static std::string Key(int gameIndex, int betCoins, const std::vector<int>& pays);
    // The entries of the file, those that hold together; `dropped` counts the others.
    TEntries Read(int& dropped) const;
    void Save(const std::string& key);

    std::string FPath;
    std::string FNotice;
    mutable std::mutex FLock;
    TEntries FEntries;
};

} // namespace drawmentor
