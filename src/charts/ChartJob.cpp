#include "ChartJob.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include <algorithm>

namespace drawmentor {

TChartRefusal CheckChartInput(int gameIndex, const std::vector<int>& pays) {
    if (GameName(gameIndex).empty()) return TChartRefusal::HiddenGame;
    const auto game = CreateDescription(gameIndex);
    if (!game || static_cast<int>(pays.size()) != game->LineCount())
        return TChartRefusal::WrongPays;
    if (std::any_of(pays.begin(), pays.end(), [](int pay) { return pay < 0; }))
        return TChartRefusal::NegativePay;
    if (std::all_of(pays.begin(), pays.end(), [](int pay) { return pay == 0; }))
        return TChartRefusal::PaysNothing;
    return TChartRefusal::None;
}

TChartJob::TChartJob(int gameIndex, std::vector<int> pays, int betCoins,
                     std::function<void(const TStrategyChart&)> keep, int threads,
                     TChartLevel level)
    : TBackgroundJob([gameIndex, pays, betCoins, keep = std::move(keep), threads,
                      level](TJobControl& control) {
          if (CheckChartInput(gameIndex, pays) != TChartRefusal::None)
              throw ERangeError("no strategy chart for this game and paytable");
          TChartOptions options;
          options.Threads = threads;
          options.Level = level;
          options.Cancel = control.CancelFlag();
          options.Progress = [&control](int64_t done, int64_t total) {
              control.Report(done, total);
          };
          TStrategyChart chart =
              GenerateChart(*CreateDescription(gameIndex), pays, betCoins, options);
          if (keep && !chart.Cancelled) {
              try {
                  keep(chart);
              } catch (const std::exception&) {
                  // A cache that cannot be written costs the next opening
                  // its speed, nothing else.
              }
          }
          return chart;
      }),
      FGameIndex(gameIndex), FBet(betCoins), FPays(std::move(pays)) {}

} // namespace drawmentor
