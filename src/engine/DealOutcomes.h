#pragma once

#include "PaytableAnalysis.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace drawmentor {

// What the best hold of a deal leads to: of the C(deck left, Drawn) ways to
// draw, Lines[l] end on line l and Unpaid on none. Deals whose best hold has
// the same counts are merged, Weight adding their numbers of deals.
struct TDealOutcome {
    int Drawn = 0;
    std::array<int64_t, kMaxLines> Lines{};
    int64_t Unpaid = 0;
    int64_t Weight = 0;
};

struct TDealOutcomes {
    int64_t Deals = 0; // the weights' sum, C(deck size, 5)
    int DeckLeft = 0;  // cards left after the deal
    std::vector<TDealOutcome> Outcomes;
    bool Cancelled = false;
};

// Every deal of the full deck held the way AnalyzePaytable holds it (the same
// best hold, so the same ties), kept apart by deal rather than summed: hands
// dealt together share the deal and the hold, and what their sum does
// depends on more than the mean over deals. The outcomes come out in one
// order whatever the number of threads.
TDealOutcomes BestHoldOutcomes(const TPokerDescription& game, const std::vector<int>& pays,
                               int betCoins, const TAnalysisOptions& options = {});

// The same with the hold `hold` chooses for each dealt hand (a draw mask: bit
// i set = card i replaced), as a player of a strategy chart holds. Called
// from several threads at once.
using THoldChooser = std::function<int(const std::array<int, kHandSize>& codes)>;
TDealOutcomes ChosenHoldOutcomes(const TPokerDescription& game, const std::vector<int>& pays,
                                 int betCoins, const THoldChooser& hold,
                                 const TAnalysisOptions& options = {});

} // namespace drawmentor
