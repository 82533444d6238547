#pragma once

// The strategy chart of 9/6 Jacks or Better at five coins, made once per test
// program.
#include "cards/Cards.h"
#include "charts/StrategyChart.h"
#include "games/Catalogue.h"
#include "support/CardText.h"
#include "support/Paytables.h"

namespace drawmentor::testing {

inline const TStrategyChart& JacksChart() {
    static const TStrategyChart chart = GenerateChart(*CreateDescription(0), kJacks96, 5);
    return chart;
}

} // namespace drawmentor::testing
