#include "DealtCards.h"

#include "Arguments.h"

#include "cards/Cards.h"

#include <algorithm>

namespace drawmentor::cli {

std::vector<int> ParseDealtCards(const std::vector<std::string>& words, int jokers) {
    if (words.size() != kHandSize)
        throw EUsage("expected 5 cards, got " + std::to_string(words.size()));
    std::vector<int> codes;
    int jokersSeen = 0;
    for (const auto& word : words) {
        const auto card = ParseCardText(word);
        if (!card) throw EUsage("unknown card '" + word + "'");
        int code = 0;
        if (card->Rank < 0) {
            if (jokersSeen >= jokers)
                throw EUsage(jokers == 0 ? "this game has no joker"
                                         : "too many jokers for this game");
            code = kFirstJokerCode + jokersSeen++;
        } else {
            code = EncodeCard(card->Rank, card->Suit);
        }
        if (std::find(codes.begin(), codes.end(), code) != codes.end())
            throw EUsage("card '" + word + "' given twice");
        codes.push_back(code);
    }
    return codes;
}

std::vector<std::string> HeldCards(const std::vector<int>& codes, int mask) {
    std::vector<std::string> held;
    for (int pos = 0; pos < kHandSize; ++pos)
        if (!IsBitSet(mask, pos)) held.push_back(CardCodeText(codes[pos]));
    return held;
}

} // namespace drawmentor::cli
