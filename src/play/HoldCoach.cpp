#include "HoldCoach.h"

#include "Dealer.h"
#include "TableGame.h"
#include "TableHand.h"

#include <vector>

namespace drawmentor {

THoldCoach::THoldCoach(const TTableGame& game, const TTableHand& hand) : FGame(game), FHand(hand) {}

THoldCoach::~THoldCoach() = default;

long double THoldCoach::PlayerReturn() const {
    return FGame.Strategy().DrawReturn(FHand.DrawMask());
}

long double THoldCoach::BestReturn() const {
    return FGame.Strategy().DrawReturn(FHand.Record().BestMask);
}

std::optional<TChartAdvice> THoldCoach::HoldAdvice() const {
    return FChart.Explain(FGame, FHand);
}

std::optional<TChartAdvice> THoldCoach::BestAdvice() const {
    return FChart.ExplainBest(FGame, FHand);
}

void THoldCoach::RequestChart() {
    if (!FGame.HasEngine()) return;
    std::vector<int> pays;
    for (int line = 0; line <= FGame.LastLine(); ++line) pays.push_back(FGame.WinOf(line));
    FChart.Request(FGame.GameIndex(), pays, FGame.Bet());
}

bool THoldCoach::StartDrill(std::unique_ptr<TChartDrill> drill) {
    if (!drill || !FGame.HasEngine() || drill->Chart().GameIndex != FGame.GameIndex()) return false;
    for (int line = 0; line <= FGame.LastLine(); ++line)
        if (drill->Chart().Pays.at(static_cast<size_t>(line)) !=
            FGame.Pay(line, drill->Chart().Bet))
            return false;
    FDrill = std::move(drill);
    return true;
}

std::array<int, kHandSize> THoldCoach::DealDrillHand(TDealer& dealer) {
    return dealer.DealAccepted(
        [this](const std::array<int, kHandSize>& hand) { return FDrill->Qualifies(hand); },
        kDrillTries);
}

} // namespace drawmentor
