#pragma once

#include "PaytableAnalysis.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace drawmentor {

// One paytable analysis running in the background, for windows that must stay
// responsive: poll Progress and Finished from the user-interface thread, then
// take the Result. Destroying a running job cancels it and waits for it.
class TReturnJob {
  public:
    TReturnJob(int gameIndex, std::vector<int> pays, int betCoins, int threads = 0);
    TReturnJob(const TReturnJob&) = delete;
    TReturnJob& operator=(const TReturnJob&) = delete;
    ~TReturnJob();

    // 0..1.
    double Progress() const;
    bool Finished() const { return FFinished.load(); }
    void Cancel() { FCancel = true; }
    // Waits for the end; rethrows what the analysis raised.
    TPaytableReturn Result();

  private:
    std::atomic<bool> FCancel{false};
    std::atomic<bool> FFinished{false};
    std::atomic<int64_t> FDone{0};
    std::atomic<int64_t> FTotal{1};
    TPaytableReturn FResult;
    std::exception_ptr FError;
    std::thread FThread;
};

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
