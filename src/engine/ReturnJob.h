#pragma once

#include "PaytableAnalysis.h"
#include "core/BackgroundJob.h"

#include <vector>

namespace drawmentor {

// One paytable analysis running in the background (see TBackgroundJob: poll
// Progress and Finished, then take the Result, which rethrows what the
// analysis raised).
class TReturnJob : public TBackgroundJob<TPaytableReturn> {
  public:
    TReturnJob(int gameIndex, std::vector<int> pays, int betCoins, int threads = 0);
};

} // namespace drawmentor
