#pragma once

#include "engine/PaytableAnalysis.h"

#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace drawmentor {

// Results of earlier analyses per (game, bet, pays), kept in a text file so
// that a paytable's return shows at once the next time. A damaged file is
// treated as empty; writes go through a temporary file.
class TReturnCache {
  public:
    explicit TReturnCache(std::string path);

    std::optional<TPaytableReturn> Find(int gameIndex, int betCoins,
                                        const std::vector<int>& pays) const;
    void Store(int gameIndex, int betCoins, const std::vector<int>& pays,
               const TPaytableReturn& result);

  private:
    static std::string Key(int gameIndex, int betCoins, const std::vector<int>& pays);
    void Load();
    void Save() const;

    std::string FPath;
    mutable std::mutex FLock;
    std::vector<std::pair<std::string, TPaytableReturn>> FEntries;
};

} // namespace drawmentor
