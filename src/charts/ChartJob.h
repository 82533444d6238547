#pragma once

#include "StrategyChart.h"
#include "core/BackgroundJob.h"

#include <functional>
#include <vector>

namespace drawmentor {

// Why no chart is made for a game and paytable: nothing to play for, or no
// game a player can choose.
enum class TChartRefusal { None, HiddenGame, NegativePay, PaysNothing, WrongPays };
TChartRefusal CheckChartInput(int gameIndex, const std::vector<int>& pays);

// One chart generation in the background (see TBackgroundJob: poll Progress
// and Finished, then take the Result, which waits and rethrows what the
// generation raised). A finished chart is handed to `keep`, when one is
// given, on the job's own thread (a cache stores it there). The generation
// looks at the cancel flag between deals and between moves of its search, so
// destroying a running job takes a moment only. Progress is that of the
// engine pass; it stays at 1 while the lines are ordered.
class TChartJob : public TBackgroundJob<TStrategyChart> {
  public:
    TChartJob(int gameIndex, std::vector<int> pays, int betCoins,
              std::function<void(const TStrategyChart&)> keep = {}, int threads = 0,
              TChartLevel level = TChartLevel::Expert);

    int GameIndex() const { return FGameIndex; }
    int BetCoins() const { return FBet; }
    const std::vector<int>& Pays() const { return FPays; }

  private:
    const int FGameIndex;
    const int FBet;
    const std::vector<int> FPays;
};

} // namespace drawmentor
