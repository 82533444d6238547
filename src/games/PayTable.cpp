#include "PayTable.h"

#include "core/Checked.h"

#include <vector>

namespace drawmentor {

int32_t& TPayTable::At(int coins, int line) {
    return Pays[CheckIndex(coins, 1, kMaxCoins, "coins") - 1]
               [CheckIndex(line, 0, kMaxLines - 1, "line")];
}

int32_t TPayTable::At(int coins, int line) const {
    return const_cast<TPayTable&>(*this).At(coins, line);
}

void TPayout::SetFromTable(const TPayTable& table, int coins) {
    for (int line = 0; line < kMaxLines; ++line) Pays[line] = table.At(coins, line);
}

std::string PaytableShortName(const TPokerDescription& game, const TPayTable& pays) {
    if (game.IsWildGame()) return {};
    int fullHouse = -1, flush = -1;
    for (int line = 0; line <= game.LastLine; ++line) {
        if (game.LineName(line) == "Full House") fullHouse = line;
        if (game.LineName(line) == "Flush") flush = line;
    }
    if (fullHouse < 0 || flush < 0) return {};
    const int32_t fh = pays.At(1, fullHouse), fl = pays.At(1, flush);
    if (fh < 0 || fl < 0) return {};
    return std::to_string(fh) + "/" + std::to_string(fl);
}

TPayInversion FindPayInversion(const TPokerDescription& game, const TPayTable& pays) {
    // Not the straight flush: some games pay it less than four of a kind.
    static const char* const kRanking[] = {"Four of Kind", "Full House",    "Flush",
                                           "Straight",     "Three of Kind", "Two Pairs"};
    std::vector<int> lines; // the game's lines of the ranking, highest first
    for (const char* name : kRanking)
        for (int line = 0; line <= game.LastLine; ++line)
            if (game.LineName(line) == name) lines.push_back(line);
    for (size_t i = 0; i + 1 < lines.size(); ++i)
        for (int coins = 1; coins <= kMaxCoins; ++coins) {
            const int32_t pay = pays.At(coins, lines[i]), below = pays.At(coins, lines[i + 1]);
            if (pay >= 0 && below >= 0 && pay < below) return {lines[i], lines[i + 1], coins};
        }
    return {};
}

} // namespace drawmentor
