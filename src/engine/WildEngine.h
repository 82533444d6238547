#pragma once

#include "PokerEngine.h"

#include <vector>

namespace drawmentor {

// The strategy engine of games with wild cards (a wild rank and/or jokers).
// Every draw outcome is either natural (no wild card in the final hand:
// counted by the inherited steps from the natural cards only) or wild
// (counted here into the 42 wild categories). Together they cover all
// C(Deck.Total, k) outcomes of a mask.
class TWildEngine : public TPokerEngine {
  public:
    using TPokerEngine::TPokerEngine;

    void SetDescription(const TPokerDescription& description) override;
    void Reset() override;
    int CurrentLine() const override;
    int HandLine() const override;

    // By mask, the wild categories' counts (unchecked, like CategoryCounts).
    const int32_t (&WildCounts(int mask) const)[kWildCategoryCount] { return FWildCounts[mask]; }
    // The line that pays a wild category, or -1.
    int WildCategoryLine(int category) const { return FWildCategoryLine[category]; }

  protected:
    void ResetCounts() override;
    void CheckCombination() override;
    void CheckEmpty() override;
    void CheckDraw(int mask) override;
    void SumLines() override;

  private:
    int32_t FWildCounts[kMaskCount][kWildCategoryCount] = {};
    int32_t FWildCategoryLine[kWildCategoryCount] = {};
    TCategorySet FWildLineCategories[kMaxLines] = {};

    // Counts of distinct-rank completions that fall into each straight window,
    // indexed [kind][number of natural cards drawn].
    using TWindowTable = int64_t[3][6];
    // The window tables of one kept hand: over ranks up to the Ace, and up to
    // the Queen for the hands without King or Ace (WILD_1); all suits, and the
    // suit the kept naturals share (every suit when no natural is kept).
    struct TWindows {
        TWindowTable Straights, SuitedStraights, LowStraights, LowSuitedStraights;
    };

    void InternalSetPayout();
    void CountWild(int mask);
    // Adds natural completion counts, times the ways to draw the wild cards,
    // to a mask's wild categories and to the lines that pay them.
    struct TWildSink {
        int32_t* Counts;
        int64_t* Lines;
        const int32_t* CategoryLine;
        int64_t Ways;
        void Add(int category, int64_t completions);
    };

    void CountMultiples(int naturals, int drawn, TWildSink& out);
    void CountDistinct(int naturals, int drawn, const TWindows& windows, TWildSink& out);
    // The tables up to `degree` natural cards drawn; the Queen tables only when
    // `queen` (they serve WILD_1 alone).
    void FillWindows(int degree, bool queen, TWindows& windows);
    // FEmptyWindows: the tables of the holds without natural cards.
    void FillEmptyWindows();
    void WindowTables(int column, int degree, TWindowTable& table, TWindowTable* queen) const;
    void RangeSingles(int column, int from, int to, int degree, int64_t (&out)[6]) const;
    int FlushSuit() const;
    // Cards of `suit` ranked 0..upper left in the deck.
    int SuitCards(int suit, int upper) const { return Calc.SuitPrefix[upper][suit]; }

    // The shape-determined part of CountMultiples (see FKeptShape): per kept
    // shape and number of naturals, the completions that pair some rank.
    struct TMultiples {
        uint64_t Deal = 0; // FDeal when made; older entries are free
        uint64_t Shape = 0;
        int Naturals = 0;
        int64_t Sets = 0, Pairs = 0, Rest = 0; // Rest: two pairs, or WILD_2_AND_2_1
    };
    static constexpr int kMultiples = 32; // direct-mapped by shape and naturals (3 or 4)
    const TMultiples& Multiples(int naturals, int drawn, int64_t fives);

    TLineGroups FPaidWildCategories;
    TMultiples FMultiples[kMultiples] = {};
    TWindows FWindows{};      // of the mask being counted
    TWindows FEmptyWindows{}; // of the holds without natural cards, once per deal
    bool FEmptyWindowsReady = false;
    int FFlushSuit = -1;              // of the mask being counted
    int FFreeWeight[kRankCount] = {}; // deck count of each rank the mask keeps none of

    // FEmptyWindows depend on the deck alone: their all-suit tables on its
    // rank counts, each suit's tables on that suit's cards. Deals one after
    // another share most of them, so the last rank counts' tables and each
    // suit's by its cards (bit r: rank r left) are kept.
    struct TSuitWindows {
        uint32_t Cards = ~0u; // none yet
        TWindowTable Straights, LowStraights;
    };
    static constexpr int kSuitWindowBits = 7; // direct-mapped by a hash of Cards
    std::vector<TSuitWindows> FSuitWindows = std::vector<TSuitWindows>(1u << kSuitWindowBits);
    int32_t FEmptyRankCounts[kRankCount] = {};
    bool FEmptyRanksReady = false;
};

} // namespace drawmentor
