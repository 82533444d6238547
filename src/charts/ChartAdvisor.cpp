#include "ChartAdvisor.h"

#include "engine/EngineFactory.h"

#include "core/Error.h"
#include "games/Catalogue.h"

namespace drawmentor {

TChartAdvisor::TChartAdvisor(TStrategyChart chart) : FChart(std::move(chart)) {
    FGame = CreateDescription(FChart.GameIndex);
    if (!FGame) throw ERangeError("strategy chart of an unknown game");
    FPlayer = std::make_unique<TChartPlayer>(*FGame, FChart);
    FEngine = CreateEngineForGame(FChart.GameIndex);
    for (size_t line = 0; line < FChart.Pays.size() && line < FPayout.Pays.size(); ++line)
        FPayout.Pays[line] = FChart.Pays[line];
    FEngine->SetPayout(&FPayout);
}

TChartAdvisor::~TChartAdvisor() = default;

int TChartAdvisor::LineOf(const std::array<int, kHandSize>& codes, int mask) const {
    const THoldClass hold = FPlayer->Classifier().Classify(codes, mask);
    for (size_t line = 0; line < FChart.Lines.size(); ++line)
        if (FChart.Lines[line].Matches(hold)) return static_cast<int>(line);
    return -1;
}

void TChartAdvisor::LinesOf(const std::array<int, kHandSize>& codes,
                            std::array<int, kMaskCount>& out) const {
    std::array<THoldClass, kMaskCount> classes;
    FPlayer->Classifier().ClassifyDeal(codes, classes);
    for (int mask = 0; mask < kMaskCount; ++mask) {
        out[mask] = -1;
        for (size_t line = 0; line < FChart.Lines.size(); ++line)
            if (FChart.Lines[line].Matches(classes[mask])) {
                out[mask] = static_cast<int>(line);
                break;
            }
    }
}

int TChartAdvisor::BestMask(const std::array<int, kHandSize>& codes) {
    FEngine->DealCodes(codes);
    return FEngine->GetTheBest();
}

TChartAdvice TChartAdvisor::Advise(const std::array<int, kHandSize>& codes, int playerMask,
                                   int bestMask) {
    const THoldClassifier& classifier = FPlayer->Classifier();
    TChartAdvice advice;
    advice.HeldMask = playerMask;
    advice.HeldClass = classifier.Classify(codes, playerMask);
    advice.HeldLine = LineOf(codes, playerMask);
    const TChartPlay play = FPlayer->Play(codes);
    advice.ChartLine = play.Line;
    advice.ChartMask = play.Mask;
    advice.ChartClass = play.Class;
    advice.BestMask = bestMask;
    advice.BestClass = classifier.Classify(codes, bestMask);
    advice.BestLine = LineOf(codes, bestMask);
    if (play.Mask != bestMask) {
        BestMask(codes);
        // Ties in return are the chart's choice among equals, not an error.
        advice.ChartIsBest = ReturnOf(play.Mask) >= ReturnOf(bestMask) - 1e-9L;
    }
    return advice;
}

} // namespace drawmentor
