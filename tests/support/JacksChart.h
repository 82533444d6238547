#pragma once

// The strategy chart of 9/6 Jacks or Better at five coins, made once per test
// program, and dealt cards written as the command line reads them.
#include "cards/Cards.h"
#include "games/Catalogue.h"
#include "strategy/StrategyChart.h"

#include <sstream>
#include <string>
#include <vector>

namespace drawmentor::testing {

inline const std::vector<int> kJacks96Pays = {4000, 250, 125, 45, 30, 20, 15, 10, 5};

inline const TStrategyChart& JacksChart() {
    static const TStrategyChart chart = GenerateChart(*CreateDescription(0), kJacks96Pays, 5);
    return chart;
}

// "AS KS QS JS 9D" as card codes.
inline std::vector<int> CardCodes(const std::string& text) {
    std::istringstream in(text);
    std::vector<int> codes;
    for (std::string word; in >> word;) {
        const auto card = ParseCardText(word);
        codes.push_back(EncodeCard(card->Rank, card->Suit));
    }
    return codes;
}

} // namespace drawmentor::testing
