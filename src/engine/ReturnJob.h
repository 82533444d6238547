#pragma once

#include "PaytableAnalysis.h"

#include <atomic>
#include <exception>
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

} // namespace drawmentor
