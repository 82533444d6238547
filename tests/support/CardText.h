#pragma once

// Cards written as people write them, "AS KS QS JS 9D", as card codes. A
// joker's rank is negative; the jokers of one text get the joker codes in turn.
#include "cards/Cards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace drawmentor::testing {

inline std::vector<int> CardCodes(const std::string& text) {
    std::istringstream in(text);
    std::vector<int> codes;
    int jokers = 0;
    for (std::string word; in >> word;) {
        const auto card = ParseCardText(word);
        EXPECT_TRUE(card) << word;
        if (!card) return codes;
        codes.push_back(card->Rank < 0 ? kFirstJokerCode + jokers++
                                       : EncodeCard(card->Rank, card->Suit));
    }
    return codes;
}

// Exactly five cards.
inline std::array<int, kHandSize> HandCodes(const std::string& text) {
    const auto codes = CardCodes(text);
    std::array<int, kHandSize> hand{};
    EXPECT_EQ(codes.size(), hand.size()) << text;
    std::copy_n(codes.begin(), std::min(codes.size(), hand.size()), hand.begin());
    return hand;
}

} // namespace drawmentor::testing
