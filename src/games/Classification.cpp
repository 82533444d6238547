#include "Classification.h"

#include "core/Checked.h"

namespace drawmentor {

int ClassifyNatural(const THand& hand) {
    if (hand.Total != kHandSize || hand.WildCount != 0) RaiseRange("natural hand size", hand.Total);
    if (hand.RanksWithCount[1] == 5) {
        const int hi = hand.MaxRankNoAce;
        const int lo = hand.MinRank;
        const int aces = hand.RankCount[kRankAce];
        TStraightKind kind = skNone;
        if (hi - lo == 4 && aces == 0)
            kind = skMiddle;
        else if (hi - lo == 3 && aces == 1 && lo == 0)
            kind = skWheel;
        else if (hi - lo == 3 && aces == 1 && hi == kRankKing)
            kind = skAceHigh;
        if (hand.SuitsWithCount[5] == 1) return kind == skNone ? ncFlush : ncFlushStraightA5 + kind;
        return kind == skNone ? kNoCategory : ncStraightA5 + kind;
    }
    if (hand.RanksWithCount[2] == 2) return ncTwoPairs;
    if (hand.RanksWithCount[3] == 1 && hand.RanksWithCount[2] == 1) return ncFullHouse;
    int paired = -1;
    for (int rank = 0; rank < kRankCount; ++rank) {
        const int count = hand.RankCount[rank];
        if (count == 4) return ncFourOfKind2 + rank;
        if (count == 3) return ncThreeOfKind2 + rank;
        if (count == 2) paired = rank;
    }
    return paired >= 0 ? ncPairs2 + paired : kNoCategory;
}

int QuadsKicker(const THand& hand) {
    if (hand.RanksWithCount[4] != 1 || hand.Total != kHandSize || hand.WildCount != 0) return -1;
    for (int pos = 0; pos < kHandSize; ++pos)
        if (hand.RankCount[hand.Ranks[pos]] == 1) return hand.Ranks[pos];
    return -1;
}

int NaturalHandLine(const THand& hand, const int32_t* categoryLine,
                    const TKickerLines& kickerLines) {
    const int category = ClassifyNatural(hand);
    if (category == kNoCategory) return -1;
    const int kicker = kickerLines.Any ? QuadsKicker(hand) : -1;
    if (kicker >= 0) {
        const int line = kickerLines.Line[category - ncFourOfKind2][kicker];
        if (line >= 0) return line;
    }
    return categoryLine[category];
}

TStraightKind WildStraightKind(const THand& hand) {
    const int lo = hand.MinRank;
    const int hi = hand.MaxRankNoAce;
    if (hi - lo > 4) return skNone;
    if (hand.RankCount[kRankAce] == 0) return lo >= kRankTen ? skAceHigh : skMiddle;
    if (hi <= 3) return skWheel;
    return lo >= kRankTen ? skAceHigh : skNone;
}

int ClassifyWild(const THand& hand) {
    const int wild = hand.WildCount;
    const int naturals = hand.Total - wild;
    if (hand.Total != kHandSize || wild < 1) RaiseRange("wild hand size", hand.Total);
    if (naturals == 0) return wcWild5;
    if (wild == 4) return hand.RankCount[kRankAce] == 1 ? wcWild4A : wcWild4WA;
    if (hand.RanksWithCount[naturals] == 1) return wcWildFive2 + hand.MinRank;

    const TStraightKind kind = WildStraightKind(hand);
    const bool suited = hand.SuitsWithCount[naturals] == 1;
    const bool distinct = hand.RanksWithCount[1] == naturals;
    switch (wild) {
    case 3:
        if (!suited) return wcWild3;
        return kind == skNone ? wcWild3Flush : wcWild3FlushStrA5 + kind;
    case 2:
        if (!distinct) return wcWild2And21;
        if (suited) return kind == skNone ? wcWild2Flush : wcWild2FlushStrA5 + kind;
        return kind == skNone ? wcWild2 : wcWild2StraightA5 + kind;
    default:
        if (!distinct) {
            if (hand.RanksWithCount[3] == 1) return wcWild1And31;
            if (hand.RanksWithCount[2] == 2) return wcWild1And22;
            return wcWild1And211;
        }
        if (suited) return kind == skNone ? wcWild1Flush : wcWild1FlushStrA5 + kind;
        if (kind != skNone) return wcWild1StraightA5 + kind;
        return hand.RankCount[kRankKing] + hand.RankCount[kRankAce] >= 1 ? wcWild1Kings : wcWild1;
    }
}

} // namespace drawmentor
