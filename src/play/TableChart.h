#pragma once

#include "charts/ChartAdvisor.h"
#include "charts/ChartJob.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

namespace drawmentor {

class TTableGame;
class TTableHand;

// The strategy chart of the game on the table, so that the trainer can say
// which chart lines a hold and the best one are on. It comes from the user's
// chart cache at once when it is there; otherwise, when background
// generation is on, it is made in the background and the trainer says what
// it said without a chart until then.
class TTableChart : public QObject {
    Q_OBJECT

  public:
    explicit TTableChart(QObject* parent = nullptr);
    ~TTableChart() override;

    // The chart of these pays from now on; a request for the chart already
    // there or on the way changes nothing, one for a chart that was missing
    // looks in the cache again.
    void Request(int gameIndex, const std::vector<int>& pays, int betCoins);
    // The chart asked for last, once it is there.
    const TStrategyChart* Chart() const;
    bool Generating() const { return FJob != nullptr; }
    // The chart's word on the hold of the hand on the table: the player's
    // hold against the best one while the hand is dealt, the hold drawn with
    // after the draw. Nothing without the chart of the game and bet in play.
    std::optional<TChartAdvice> Explain(const TTableGame& game, const TTableHand& hand) const;
    // The chart's play of the hand on the table (the hint's hold).
    std::optional<TChartAdvice> ExplainBest(const TTableGame& game, const TTableHand& hand) const;

    // Off by default, so that sessions of tests and of the command-line tool
    // do not spend cores on charts nobody reads; the trainer turns it on.
    static void SetBackgroundGeneration(bool on);
    static bool BackgroundGeneration();

  signals:
    void ChartReady();

  private:
    std::optional<TChartAdvice> SafeAdvice(const std::array<int, kHandSize>& dealt, int mask,
                                           int bestMask) const;
    bool Matches(const TTableGame& game) const;
    void Poll();

    int FGame = -1;
    int FBet = 0;
    std::vector<int> FPays;
    std::unique_ptr<TChartAdvisor> FAdvisor; // of the chart asked for last
    std::shared_ptr<TChartJob> FJob;
    QTimer FPoll;
};

} // namespace drawmentor
