#pragma once

#include "StrategyChart.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace drawmentor {

// Why no chart is made for a game and paytable: nothing to play for, or no
// game a player can choose.
enum class TChartRefusal { None, HiddenGame, NegativePay, PaysNothing, WrongPays };
TChartRefusal CheckChartInput(int gameIndex, const std::vector<int>& pays);

// One chart generation in the background, for windows that must stay
// responsive: poll Progress and Finished from the user-interface thread, then
// take the Result. A finished chart is handed to `keep`, when one is given,
// on the job's own thread (a cache stores it there). Destroying a running job cancels it and waits
// for it; the generation looks at the cancel flag between deals and between moves of its search, so
// that takes a moment only.
class TChartJob {
  public:
    TChartJob(int gameIndex, std::vector<int> pays, int betCoins,
              std::function<void(const TStrategyChart&)> keep = {}, int threads = 0);
    TChartJob(const TChartJob&) = delete;
    TChartJob& operator=(const TChartJob&) = delete;
    ~TChartJob();

    int GameIndex() const { return FGameIndex; }
    int BetCoins() const { return FBet; }
    const std::vector<int>& Pays() const { return FPays; }
    // 0..1 of the engine pass; it stays at 1 while the lines are ordered.
    double Progress() const;
    bool Finished() const { return FFinished.load(); }
    void Cancel() { FCancel = true; }
    // After Finished; rethrows what the generation raised.
    const TStrategyChart& Result() const;

  private:
    const int FGameIndex;
    const int FBet;
    const std::vector<int> FPays;
    std::atomic<bool> FCancel{false};
    std::atomic<bool> FFinished{false};
    std::atomic<int64_t> FDone{0};
    std::atomic<int64_t> FTotal{1};
    TStrategyChart FResult;
    std::exception_ptr FError;
    std::thread FThread;
};

} // namespace drawmentor
