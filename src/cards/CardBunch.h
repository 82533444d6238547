#pragma once

#include "Cards.h"
#include "core/Checked.h"

#include <cstdint>
#include <iosfwd>

namespace drawmentor {

// A multiset of cards kept as counters, so that the strategy engines can count
// draw outcomes per rank and per suit instead of enumerating cards.
// Invariants: Total = sum(RankCount) + WildCount; sum(SuitCount) = sum(RankCount).
// Cards of the wild rank and jokers are counted only in WildCount.
class TCardBunch {
  public:
    TCardBunch();
    TCardBunch(const TCardBunch&) = default;
    TCardBunch& operator=(const TCardBunch&) = default;
    virtual ~TCardBunch() = default;

    // A full deck.
    virtual void Reset() { Fill(1); }
    // `copies` of every card; Fill(0) empties the container.
    void Fill(int copies);
    void SetJokers(int jokers);
    void SetWildRank(int rank);

    bool IsWild(int rank) const { return rank == -1 || rank == -2 || rank == WildRank; }
    // Adds delta copies of one card; a wild card only changes WildCount.
    void Adjust(int rank, int suit, int delta);

    int32_t Count[kRankCount][kSuitCount] = {};
    int32_t RankCount[kRankCount] = {};
    int32_t SuitCount[kSuitCount] = {};
    int32_t Total = 0;
    int32_t Jokers = 0;
    int32_t WildCount = 0;
    int32_t WildRank = kNoWildRank;
};

// The five cards in front of the player in position order (a draw mask refers
// to positions, so nothing here ever sorts), with running histograms of the
// natural cards that make classification a handful of comparisons.
class THand : public TCardBunch {
  public:
    THand();

    void Reset() override;
    void ClearHand();
    void AddCard(int rank, int suit);
    void AddCode(int code) {
        const TCard card = DecodeCard(code);
        AddCard(card.Rank, card.Suit);
    }
    // Takes back the card added last (undoes the last AddCard exactly).
    void RemoveLastCard();
    // Gives the natural card at `position` another suit in place.
    void ChangeSuit(int position, int suit);
    // The part of `source` kept under `drawMask`, in position order.
    void CopyKept(const THand& source, int drawMask);
    void Print(std::ostream& out) const;

    bool HasWild() const { return WildCount > 0; }
    int NaturalCount() const { return Total - WildCount; }

    int32_t Ranks[kHandSize] = {-1, -1, -1, -1, -1};
    int32_t Suits[kHandSize] = {-1, -1, -1, -1, -1};
    int32_t MinRank = kRankAce; // the Ace counts as 12; 12 when empty
    int32_t MaxRankNoAce = 0;   // 0 when empty
    int32_t RanksWithCount[5] = {13, 0, 0, 0, 0};
    int32_t SuitsWithCount[6] = {4, 0, 0, 0, 0, 0};

  private:
    // MinRank and MaxRankNoAce before the card at each position was added.
    int32_t FMinBefore[kHandSize] = {};
    int32_t FMaxBefore[kHandSize] = {};
};

// Inline: the strategy engines add and take back a card 62 times per deal.
inline void THand::AddCard(int rank, int suit) {
    const int pos = Total;
    if (pos >= kHandSize) RaiseRange("card position", pos);
    CheckIndex(rank, -2, kRankCount - 1, "rank");
    ++Total;
    if (IsWild(rank)) {
        ++WildCount;
        Ranks[pos] = Suits[pos] = -1;
        return;
    }
    CheckIndex(suit, 0, kSuitCount - 1, "suit");
    if (Count[rank][suit] != 0) RaiseRange("card already in the hand", rank * kSuitCount + suit);
    Count[rank][suit] = 1;
    Ranks[pos] = rank;
    Suits[pos] = suit;
    FMinBefore[pos] = MinRank;
    FMaxBefore[pos] = MaxRankNoAce;
    if (rank < MinRank) MinRank = rank;
    if (rank != kRankAce && rank > MaxRankNoAce) MaxRankNoAce = rank;
    const int inRank = ++RankCount[rank];
    --RanksWithCount[inRank - 1];
    ++RanksWithCount[inRank];
    const int inSuit = ++SuitCount[suit];
    --SuitsWithCount[inSuit - 1];
    ++SuitsWithCount[inSuit];
}

inline void THand::RemoveLastCard() {
    const int pos = Total - 1;
    if (pos < 0) RaiseRange("card position", pos);
    const int rank = Ranks[pos];
    const int suit = Suits[pos];
    --Total;
    Ranks[pos] = Suits[pos] = -1;
    if (rank < 0) {
        --WildCount;
        return;
    }
    Count[rank][suit] = 0;
    const int inRank = RankCount[rank]--;
    --RanksWithCount[inRank];
    ++RanksWithCount[inRank - 1];
    const int inSuit = SuitCount[suit]--;
    --SuitsWithCount[inSuit];
    ++SuitsWithCount[inSuit - 1];
    MinRank = FMinBefore[pos];
    MaxRankNoAce = FMaxBefore[pos];
}

// The cards not yet dealt.
class TDeck : public TCardBunch {
  public:
    using TCardBunch::Fill;
    void Fill() { Fill(1); }
    virtual void ReturnCard(int rank, int suit) { Adjust(rank, suit, +1); }
    void RemoveCard(int rank, int suit) { Adjust(rank, suit, -1); }
    void RemoveCode(int code) {
        const TCard card = DecodeCard(code);
        RemoveCard(card.Rank, card.Suit);
    }
};

} // namespace drawmentor
