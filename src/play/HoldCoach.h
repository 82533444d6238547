#pragma once

#include "TableChart.h"

#include "cards/Cards.h"
#include "charts/ChartDrill.h"

#include <array>
#include <memory>
#include <optional>

namespace drawmentor {

class TDealer;
class TTableGame;
class TTableHand;

// The trainer's word on the hold of the hand on the table: what it returns
// against the best hold, which strategy-chart lines the two are on, and the
// chart drill Training mode deals from. The session owns it and tells it of
// every new game and bet; windows see it const, so a drill starts and ends
// only through the session, which must choose the mode with it.
class THoldCoach {
  public:
    // Follows the session's game and hand for as long as it lives.
    THoldCoach(const TTableGame& game, const TTableHand& hand);
    ~THoldCoach();
    THoldCoach(const THoldCoach&) = delete;
    THoldCoach& operator=(const THoldCoach&) = delete;

    // Expected coins of the player's hold and of the best one, at the bet in play.
    long double PlayerReturn() const;
    long double BestReturn() const;
    // What the player's hold gives away against the best one.
    long double HoldCost() const { return BestReturn() - PlayerReturn(); }

    // The chart of the game and bet in play, looked up or made when they change.
    const TTableChart& Chart() const { return FChart; }
    // The chart lines of the hold on the table and of the best one; nothing
    // until the chart is there.
    std::optional<TChartAdvice> HoldAdvice() const;
    std::optional<TChartAdvice> BestAdvice() const;
    const TChartDrill* Drill() const { return FDrill.get(); }

    // The game or the bet changed: the chart to follow them.
    void RequestChart();
    // False, and the drill in place kept, for a chart of another game or of
    // other pays than the game's at the chart's bet.
    bool StartDrill(std::unique_ptr<TChartDrill> drill);
    void EndDrill() { FDrill.reset(); }
    // A hand that drills the chosen lines, or after kDrillTries refused deals
    // the last one, so that a rare line never stops play. Needs a drill.
    std::array<int, kHandSize> DealDrillHand(TDealer& dealer);
    static constexpr int kDrillTries = 5000;

  private:
    const TTableGame& FGame;
    const TTableHand& FHand;
    TTableChart FChart;
    std::unique_ptr<TChartDrill> FDrill;
};

} // namespace drawmentor
