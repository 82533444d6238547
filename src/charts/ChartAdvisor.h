#pragma once

#include "StrategyChart.h"
#include "engine/PokerEngine.h"

#include <array>
#include <memory>

namespace drawmentor {

// What a chart says about one hold of a dealt hand, for a player who asks
// why his hold cost coins. Lines are indexes into the chart (-1: the hold is
// on no line; such a hold is never the chart's play).
struct TChartAdvice {
    int HeldMask = 0;
    int HeldLine = -1;
    THoldClass HeldClass;
    int ChartLine = -1;
    int ChartMask = 0;
    THoldClass ChartClass;
    int BestLine = -1;
    int BestMask = 0;
    THoldClass BestClass;
    // The chart's hold returns as much as the best one. When it does not, the
    // hand is one of the few the chart plays wrong.
    bool ChartIsBest = true;
};

// A chart read against dealt hands: the line each hold is on, the chart's
// play, and whether that play is the best one, from an exact engine of the
// chart's own game and pays. Not thread-safe (the engine counts in place).
class TChartAdvisor {
  public:
    explicit TChartAdvisor(TStrategyChart chart);
    TChartAdvisor(const TChartAdvisor&) = delete;
    TChartAdvisor& operator=(const TChartAdvisor&) = delete;
    ~TChartAdvisor();

    const TStrategyChart& Chart() const { return FChart; }
    const THoldRules& Rules() const { return FPlayer->Classifier().Rules(); }
    const THoldClassifier& Classifier() const { return FPlayer->Classifier(); }
    // The first chart line the hold's class is on, or -1.
    int LineOf(const std::array<int, kHandSize>& codes, int mask) const;
    // The line of every hold at once.
    void LinesOf(const std::array<int, kHandSize>& codes, std::array<int, kMaskCount>& out) const;
    TChartPlay Play(const std::array<int, kHandSize>& codes) const { return FPlayer->Play(codes); }
    // The best hold (ties to the lowest mask) and every hold's return in coins
    // for the chart's bet.
    int BestMask(const std::array<int, kHandSize>& codes);
    long double ReturnOf(int mask) const { return FEngine->DrawReturn(mask); }
    // `bestMask` as the caller's engine found it, which the chart's engine
    // agrees with for the same pays.
    TChartAdvice Advise(const std::array<int, kHandSize>& codes, int playerMask, int bestMask);

  private:
    std::unique_ptr<TPokerDescription> FGame;
    TStrategyChart FChart;
    std::unique_ptr<TChartPlayer> FPlayer;
    TPayout FPayout; // the engine points at it
    std::unique_ptr<TPokerEngine> FEngine;
};

} // namespace drawmentor
