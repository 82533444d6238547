#pragma once

#include "LogRecord.h"

#include "charts/StrategyChart.h"

#include <cstdint>
#include <vector>

namespace drawmentor {

class TChartAdvisor;
class TLogger;
class TRecordAdvice;

// The game, paytable and bet a chart is of, as the log names them.
struct TPlayedPaytable {
    int GameIndex = -1;
    int PayIndex = -1;
    int Bet = 0;
    bool Known() const { return GameIndex >= 0 && PayIndex >= 0 && Bet > 0; }
};

// How the player did on the hands where one chart line was the chart's play.
// An error is a hold worth less than the best one, whatever its cards: two
// holds of equal value are both right.
struct TChartLineTally {
    int64_t Hands = 0;
    int64_t Errors = 0;
    double Cost = 0; // expected coins the errors gave away against the best hold
    // Percent of the hands played as well as the best hold; negative without hands.
    double Accuracy() const;
};

// The log's hands of one paytable and bet by the chart line that plays them.
// The line of a hand comes from its dealt cards alone (the chart's own hold),
// so a hand counts on the same line whatever the player held.
class TChartLineStats {
  public:
    // The hands the log's filter selects, on the chart of the paytable it
    // chooses or, choosing all, of the latest selected hand, at the bet of the
    // latest selected hand of that paytable. Charts come from the user's chart
    // cache through `advice`. Counting deals, a deal of several hands counts
    // once in hands and errors; its cost is that of all its hands.
    void ComputeFiltered(TLogger& logger, TRecordAdvice& advice, bool countDeals);
    // Every logged hand of the advisor's game and bet and of `payIndex`.
    void ComputeFor(TLogger& logger, TChartAdvisor& advisor, int payIndex);

    const TPlayedPaytable& Paytable() const { return FPaytable; }
    // Nothing when no chart of the paytable and bet is at hand.
    const TStrategyChart* Chart() const { return FHasChart ? &FChart : nullptr; }
    // One per line of the chart.
    const std::vector<TChartLineTally>& Lines() const { return FLines; }
    const TChartLineTally& Total() const { return FTotal; }
    // Hands of the paytable that no chart at hand places (another bet, no chart).
    int64_t LeftOut() const { return FLeftOut; }
    // Hands the filter selects of other paytables than the one on show.
    int64_t OtherPaytables() const { return FOther; }
    bool CountDeals() const { return FCountDeals; }

    // The lines played worst, lowest accuracy first (the costlier first among
    // equals), at most `count`, of those with at least `minHands` hands and an
    // error: a line always played right needs no drill.
    std::vector<int> WeakestLines(int64_t minHands, int count) const;

  private:
    void Reset(const TStrategyChart* chart);
    // `onShow` tells whether a record belongs to the paytable on show.
    template <class TSelect, class TOnShow>
    void Count(TLogger& logger, TChartAdvisor* advisor, TSelect selected, TOnShow onShow);

    TPlayedPaytable FPaytable;
    TStrategyChart FChart;
    bool FHasChart = false;
    bool FCountDeals = false;
    std::vector<TChartLineTally> FLines;
    TChartLineTally FTotal;
    int64_t FLeftOut = 0;
    int64_t FOther = 0;
};

// A line is weak with at least this many hands and errors among them; the
// drill of weak lines takes the weakest few.
inline constexpr int64_t kWeakLineHands = 5;
inline constexpr int kWeakLinesDrilled = 3;

// The weakest lines of the advisor's chart over every logged hand of its
// game, bet and `payIndex` (TChartLineStats::WeakestLines).
std::vector<int> WeakestChartLines(TLogger& logger, TChartAdvisor& advisor, int payIndex);

// The paytable the filter chooses, else that of the latest hand it selects;
// the bet of the latest selected hand of that paytable. Unknown for a log
// with no selected hand.
TPlayedPaytable FilteredPaytable(TLogger& logger);

} // namespace drawmentor
