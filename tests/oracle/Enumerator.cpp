#include "Enumerator.h"

#include <algorithm>

namespace drawmentor::oracle {
namespace {

int RankOf(int code) {
    return code % 13;
}
int SuitOf(int code) {
    return code / 13;
}

// 0 wheel, 1 middle, 2 ace-high, -1 none, for five different natural ranks.
int FiveCardStraight(std::vector<int> ranks) {
    std::sort(ranks.begin(), ranks.end());
    if (ranks == std::vector<int>{0, 1, 2, 3, 12}) return 0;
    if (ranks[4] - ranks[0] != 4) return -1;
    return ranks[0] == 8 ? 2 : 1;
}

// The straight window of the naturals of a wild hand, read off the rank set.
int WildWindow(const std::vector<int>& ranks) {
    const bool ace = std::count(ranks.begin(), ranks.end(), 12) > 0;
    int lo = 12, hiNoAce = 0;
    for (int r : ranks) {
        lo = std::min(lo, r);
        if (r != 12) hiNoAce = std::max(hiNoAce, r);
    }
    if (hiNoAce - lo > 4) return -1;
    if (!ace) return lo >= 8 ? 2 : 1;
    if (hiNoAce <= 3) return 0;
    return lo >= 8 ? 2 : -1;
}

} // namespace

bool IsWildCode(int code, int wildRank) {
    return code >= 52 || (wildRank >= 0 && RankOf(code) == wildRank);
}

int ClassifyNaturalCodes(const TCodes& codes) {
    int rankCount[13] = {};
    int suitCount[4] = {};
    std::vector<int> ranks;
    for (int code : codes) {
        ++rankCount[RankOf(code)];
        ++suitCount[SuitOf(code)];
        ranks.push_back(RankOf(code));
    }
    int pairs = 0, sets = 0, quad = -1, set = -1, pair = -1;
    for (int r = 0; r < 13; ++r) {
        if (rankCount[r] == 2) ++pairs, pair = r;
        if (rankCount[r] == 3) ++sets, set = r;
        if (rankCount[r] == 4) quad = r;
    }
    if (quad >= 0) return 3 + quad;
    if (sets == 1 && pairs == 1) return 16;
    if (sets == 1) return 21 + set;
    if (pairs == 2) return 34;
    if (pairs == 1) return 35 + pair;
    const bool flush = std::count(std::begin(suitCount), std::end(suitCount), 5) == 1;
    const int straight = FiveCardStraight(ranks);
    if (flush) return straight < 0 ? 17 : straight;
    return straight < 0 ? -1 : 18 + straight;
}

int ClassifyWildCodes(const TCodes& codes, int wildRank) {
    std::vector<int> ranks, suits;
    int wild = 0;
    for (int code : codes) {
        if (IsWildCode(code, wildRank)) {
            ++wild;
        } else {
            ranks.push_back(RankOf(code));
            suits.push_back(SuitOf(code));
        }
    }
    const int n = static_cast<int>(ranks.size());
    if (n == 0) return 0;
    if (wild == 4) return ranks[0] == 12 ? 1 : 2;
    if (std::count(ranks.begin(), ranks.end(), ranks[0]) == n) return 3 + ranks[0];
    int rankCount[13] = {};
    for (int r : ranks) ++rankCount[r];
    int maxSame = 0, pairs = 0;
    for (int c : rankCount) {
        maxSame = std::max(maxSame, c);
        if (c == 2) ++pairs;
    }
    const bool suited = std::count(suits.begin(), suits.end(), suits[0]) == n;
    const bool distinct = maxSame == 1;
    const int window = WildWindow(ranks);
    if (wild == 3) return suited ? (window < 0 ? 17 : 18 + window) : 16;
    if (wild == 2) {
        if (!distinct) return 22;
        if (suited) return window < 0 ? 23 : 24 + window;
        return window < 0 ? 21 : 27 + window;
    }
    if (!distinct) return maxSame == 3 ? 31 : pairs == 2 ? 32 : 33;
    if (suited) return window < 0 ? 34 : 35 + window;
    if (window >= 0) return 38 + window;
    return rankCount[11] + rankCount[12] > 0 ? 41 : 30;
}

TOracleCounts EnumerateDraws(const TDeckKind& deck, const TCodes& dealt, int mask) {
    std::vector<int> left;
    for (int code = 0; code < 52 + deck.Jokers; ++code)
        if (std::find(dealt.begin(), dealt.end(), code) == dealt.end()) left.push_back(code);
    std::vector<int> positions;
    for (int pos = 0; pos < 5; ++pos)
        if ((mask >> pos) & 1) positions.push_back(pos);
    const int k = static_cast<int>(positions.size());
    const int n = static_cast<int>(left.size());
    TOracleCounts counts;
    std::vector<int> pick(k);
    for (int i = 0; i < k; ++i) pick[i] = i;
    while (true) {
        TCodes hand = dealt;
        int wild = 0;
        for (int i = 0; i < k; ++i) hand[positions[i]] = left[pick[i]];
        for (int code : hand) wild += IsWildCode(code, deck.WildRank) ? 1 : 0;
        ++counts.Outcomes;
        if (wild > 0) {
            ++counts.Wild[ClassifyWildCodes(hand, deck.WildRank)];
        } else {
            const int category = ClassifyNaturalCodes(hand);
            if (category < 0)
                ++counts.NoCategory;
            else
                ++counts.Natural[category];
            if (category >= 3 && category <= 15)
                for (int code : hand)
                    if (RankOf(code) != category - 3) ++counts.Quads[category - 3][RankOf(code)];
        }
        // Next k-subset in lexicographic order.
        int i = k - 1;
        while (i >= 0 && pick[i] == n - k + i) --i;
        if (i < 0) break;
        ++pick[i];
        for (int j = i + 1; j < k; ++j) pick[j] = pick[j - 1] + 1;
    }
    return counts;
}

std::string CodesText(const TCodes& codes) {
    static const char* const ranks = "23456789TJQKA";
    static const char* const suits = "SCDH";
    std::string text;
    for (int code : codes) {
        if (!text.empty()) text += ' ';
        if (code >= 52)
            text += "JK";
        else
            text += std::string{ranks[RankOf(code)], suits[SuitOf(code)]};
    }
    return text;
}

} // namespace drawmentor::oracle
