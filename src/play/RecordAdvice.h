#pragma once

#include "LogRecord.h"

#include "charts/ChartAdvisor.h"

#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace drawmentor {

class TLogger;

// The chart's word on logged hands of any game, from the charts in the user's
// chart cache: a list of old hands makes no chart of its own. Each game,
// paytable and bet is looked up once.
class TRecordAdvice {
  public:
    TRecordAdvice();
    ~TRecordAdvice();

    // Nothing for a hand without a cached chart or a paytable that is gone.
    std::optional<TChartAdvice> Explain(const TLogRecord& record);
    // The advisor of a game, paytable and bet, or nullptr.
    TChartAdvisor* AdvisorFor(int gameIndex, int payIndex, int betCoins);
    // Looks every chart up again, for charts added to the cache since.
    void Clear() { FAdvisors.clear(); }

  private:
    std::map<std::tuple<int, int, int>, std::unique_ptr<TChartAdvisor>> FAdvisors;
};

// The chart lines where the player's logged errors of a game, paytable and
// bet cost the most, most costly first, at most `count`: the line of the
// best hold of each error hand, with what the player's hold gave away.
std::vector<int> CostlyErrorLines(TLogger& logger, TChartAdvisor& advisor, int payIndex, int count);

} // namespace drawmentor
