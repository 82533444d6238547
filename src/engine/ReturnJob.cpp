#include "ReturnJob.h"

#include "core/Error.h"
#include "games/Catalogue.h"

#include <string>

namespace drawmentor {

TReturnJob::TReturnJob(int gameIndex, std::vector<int> pays, int betCoins, int threads)
    : TBackgroundJob([gameIndex, pays = std::move(pays), betCoins, threads](TJobControl& control) {
          const auto game = CreateDescription(gameIndex);
          if (!game)
              throw ERangeError("Range check error: game index " + std::to_string(gameIndex));
          TAnalysisOptions options;
          options.Threads = threads;
          options.Cancel = control.CancelFlag();
          options.Progress = [&control](int64_t done, int64_t total) {
              control.Report(done, total);
          };
          return AnalyzePaytable(*game, pays, betCoins, options);
      }) {}

} // namespace drawmentor
