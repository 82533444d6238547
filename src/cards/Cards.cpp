#include "Cards.h"

#include "core/Checked.h"

#include <cctype>

namespace drawmentor {

TCard DecodeCard(int code) {
    CheckIndex(code, 0, kUsedCardFlags - 1, "card code");
    if (code >= kFirstJokerCode) return {};
    return {code % kRankCount, code / kRankCount};
}

int EncodeCard(int rank, int suit) {
    CheckIndex(rank, 0, kRankCount - 1, "rank");
    CheckIndex(suit, 0, kSuitCount - 1, "suit");
    return suit * kRankCount + rank;
}

int32_t PackHand(const std::array<int, kHandSize>& codes) {
    int32_t packed = 0;
    for (int i = kHandSize - 1; i >= 0; --i) {
        CheckIndex(codes[i], 0, 59, "card code");
        packed = packed * 60 + codes[i];
    }
    return packed;
}

std::array<int, kHandSize> UnpackHand(int32_t packed) {
    if (packed < 0) RaiseRange("packed hand", packed);
    std::array<int, kHandSize> codes{};
    for (int i = 0; i < kHandSize; ++i) {
        codes[i] = packed % 60;
        packed /= 60;
    }
    return codes;
}

int DrawCount(int mask) {
    return kDrawCount[CheckIndex(mask, 0, kMaskCount - 1, "draw mask")];
}

void RaiseBinomialRange(int k, int n) {
    if (n > kBinomialMaxN) RaiseRange("binomial n", n);
    RaiseRange("binomial k", k);
}

std::optional<TCard> ParseCardText(std::string_view text) {
    std::string upper;
    for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "JK") return TCard{};
    if (upper.size() == 3 && upper.compare(0, 2, "10") == 0) upper = "T" + upper.substr(2);
    if (upper.size() != 2) return std::nullopt;
    const auto rank = kRankLetters.find(upper[0]);
    const auto suit = kSuitLetters.find(upper[1]);
    if (rank == std::string_view::npos || suit == std::string_view::npos) return std::nullopt;
    return TCard{static_cast<int>(rank), static_cast<int>(suit)};
}

std::string CardText(const TCard& card) {
    if (card.Rank < 0) return "JK";
    return {kRankLetters[CheckIndex(card.Rank, 0, 12, "rank")],
            kSuitLetters[CheckIndex(card.Suit, 0, 3, "suit")]};
}

std::string CardCodeText(int code) {
    return CardText(DecodeCard(code));
}

} // namespace drawmentor
