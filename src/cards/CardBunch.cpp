#include "CardBunch.h"

#include "core/Checked.h"

#include <ostream>

namespace drawmentor {

TCardBunch::TCardBunch() {
    Fill(1);
}

void TCardBunch::Fill(int copies) {
    CheckIndex(copies, 0, 4, "copies");
    WildCount = copies * Jokers;
    for (int rank = 0; rank < kRankCount; ++rank) {
        const bool wild = rank == WildRank;
        for (int suit = 0; suit < kSuitCount; ++suit) Count[rank][suit] = wild ? 0 : copies;
        RankCount[rank] = wild ? 0 : 4 * copies;
        if (wild) WildCount += 4 * copies;
    }
    for (int suit = 0; suit < kSuitCount; ++suit)
        SuitCount[suit] = copies * (WildRank != kNoWildRank ? 12 : 13);
    Total = copies * (Jokers + 52);
}

void TCardBunch::SetJokers(int jokers) {
    Jokers = CheckIndex(jokers, 0, 2, "jokers");
    Reset();
}

void TCardBunch::SetWildRank(int rank) {
    WildRank = CheckIndex(rank, -1, kRankCount - 1, "wild rank");
    Reset();
}

void TCardBunch::Adjust(int rank, int suit, int delta) {
    CheckIndex(rank, -2, kRankCount - 1, "rank");
    if (IsWild(rank)) {
        WildCount = CheckedAdd(WildCount, delta);
        if (WildCount < 0) RaiseRange("wild count", WildCount);
    } else {
        CheckIndex(suit, 0, kSuitCount - 1, "suit");
        // A negative counter would mean a card removed twice: refuse it rather
        // than count outcomes with cards that are not there.
        Count[rank][suit] = CheckedAdd(Count[rank][suit], delta);
        if (Count[rank][suit] < 0) RaiseRange("card count", Count[rank][suit]);
        RankCount[rank] += delta;
        SuitCount[suit] += delta;
    }
    Total = CheckedAdd(Total, delta);
}

THand::THand() {
    Reset();
}

void THand::Reset() {
    Fill(0);
    ClearHand();
}

// A hand's counters hold exactly its positional cards (AddCard is the only way
// in), so emptying it resets those entries instead of subtracting card by card.
void THand::ClearHand() {
    for (int pos = 0; pos < Total; ++pos) {
        const int rank = Ranks[pos];
        if (rank < 0) continue;
        Count[rank][Suits[pos]] = 0;
        RankCount[rank] = 0;
        SuitCount[Suits[pos]] = 0;
    }
    Total = 0;
    WildCount = 0;
    for (int pos = 0; pos < kHandSize; ++pos) Ranks[pos] = Suits[pos] = -1;
    RanksWithCount[0] = 13;
    for (int k = 1; k < 5; ++k) RanksWithCount[k] = 0;
    SuitsWithCount[0] = 4;
    for (int k = 1; k < 6; ++k) SuitsWithCount[k] = 0;
    MinRank = kRankAce;
    MaxRankNoAce = 0;
}

void THand::ChangeSuit(int position, int suit) {
    CheckIndex(position, 0, Total - 1, "card position");
    CheckIndex(suit, 0, kSuitCount - 1, "suit");
    const int rank = Ranks[position];
    const int old = Suits[position];
    if (rank < 0) RaiseRange("rank of a wild card", rank);
    if (old == suit) return;
    if (Count[rank][old] != 1 || Count[rank][suit] != 0)
        RaiseRange("card count", Count[rank][suit]);
    Count[rank][old] = 0;
    Count[rank][suit] = 1;
    --SuitsWithCount[SuitCount[old]];
    --SuitCount[old];
    ++SuitsWithCount[SuitCount[old]];
    --SuitsWithCount[SuitCount[suit]];
    ++SuitCount[suit];
    ++SuitsWithCount[SuitCount[suit]];
    Suits[position] = suit;
}

void THand::CopyKept(const THand& source, int drawMask) {
    CheckIndex(drawMask, 0, kMaskCount - 1, "draw mask");
    ClearHand();
    for (int pos = 0; pos < source.Total; ++pos)
        if (!IsBitSet(drawMask, pos)) AddCard(source.Ranks[pos], source.Suits[pos]);
}

void THand::Print(std::ostream& out) const {
    for (int pos = 0; pos < Total; ++pos) {
        if (Ranks[pos] < 0)
            out << "## ";
        else
            out << kRankLetters[Ranks[pos]] << kSuitLetters[Suits[pos]] << ' ';
    }
    out << '\n';
}

} // namespace drawmentor
