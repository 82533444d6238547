#pragma once

// 9/6 Jacks or Better and full-pay Deuces Wild at five coins, analysed once
// per test program: the suites of one program share them.
#include "bankroll/HandDistribution.h"
#include "engine/PaytableAnalysis.h"
#include "games/Catalogue.h"
#include "support/Paytables.h"

namespace drawmentor::testing {

inline const TPaytableReturn& JacksAnalysis() {
    static const TPaytableReturn analysis = AnalyzePaytable(*CreateDescription(0), kJacks96, 5);
    return analysis;
}

inline const THandDistribution& Jacks() {
    static const THandDistribution hand = HandDistributionOf(JacksAnalysis(), kJacks96, 5);
    return hand;
}

inline const THandDistribution& Deuces() {
    static const THandDistribution hand =
        HandDistributionOf(AnalyzePaytable(*CreateDescription(4), kDeucesFull, 5), kDeucesFull, 5);
    return hand;
}

} // namespace drawmentor::testing
