#pragma once

#include "PokerEngine.h"

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

    int32_t WildCounts[kMaskCount][kWildCategoryCount] = {};
    int32_t WildCategoryLine[kWildCategoryCount] = {};
    TCategorySet WildLineCategories[kMaxLines] = {};

  protected:
    void ResetCounts() override;
    void CheckCombination() override;
    void CheckEmpty() override;
    void CheckDraw(int mask) override;
    void SumLines() override;

  private:
    // Counts of distinct-rank completions that fall into each straight window,
    // indexed [kind][number of natural cards drawn].
    using TWindowTable = int64_t[3][6];

    void InternalSetPayout();
    void CountWild(int mask);
    // Adds natural completion counts, times the ways to draw the wild cards.
    struct TWildSink {
        int32_t* Counts;
        int64_t Ways;
        void Add(int category, int64_t completions);
    };

    void CountMultiples(int naturals, int drawn, TWildSink& out);
    void CountDistinct(int naturals, int drawn, TWildSink& out);
    void WindowTable(int column, int upper, TWindowTable& table);
    void AddWindowTables(int upper, int flushSuit, TWindowTable& allSuits, TWindowTable& suited);
    void RangeSingles(int column, int from, int to, int64_t (&out)[6]);
    int FlushSuit() const;

    TLineGroups FPaidWildCategories;
    TWindowTable FStraights{};
    TWindowTable FSuitedStraights{};
    TWindowTable FLowStraights{};
    TWindowTable FLowSuitedStraights{};
};

} // namespace drawmentor
