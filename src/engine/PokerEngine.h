#pragma once

#include "Calculator.h"
#include "cards/CardBunch.h"
#include "cards/Categories.h"
#include "games/PayTable.h"
#include "games/PokerDescription.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace drawmentor {

// One hold of the dealt hand as the windows read it: a value, copied out of
// the engine's tables after GetTheBest.
struct THoldResult {
    int Mask = 0;                           // draw mask: bit i set = card i replaced
    long double Return = 0;                 // expected coins for the bet
    int64_t Outcomes = 0;                   // possible draws
    int64_t Unpaid = 0;                     // draws no line pays
    int LineCount = 0;                      // lines 0..LineCount-1 are the game's
    std::array<int64_t, kMaxLines> Lines{}; // draws per line
    long double Probability(int line) const {
        return Outcomes == 0
                   ? 0
                   : static_cast<long double>(Lines.at(line)) / static_cast<long double>(Outcomes);
    }
    long double UnpaidProbability() const {
        return Outcomes == 0
                   ? 0
                   : static_cast<long double>(Unpaid) / static_cast<long double>(Outcomes);
    }
};

// The exact strategy engine of games without wild cards. For the five cards in
// Hand and the cards left in Deck it counts, for each of the 32 draw masks, the
// draw outcomes ending in every hand category, in closed form per rank and per
// suit, and from those the line counts, the expected returns and the best hold.
//
// After GetTheBest, for every mask m with k = DrawCount(m) and n = Deck.Total:
//   CategoryCounts[m][c] = number of k-card subsets of the deck that complete
//                          the cards kept under m to a hand of category c;
//   LineCounts[m][l]     = sum of CategoryCounts[m][c] over CategoryLine[c] = l;
//   unpaid outcomes      = C(n, k) - sum of LineCounts[m][0..LastLine].
class TPokerEngine {
  public:
    // The engine counts with a calculator of its own.
    TPokerEngine();
    // The engine counts with `calculator`, which the caller keeps alive and
    // gives to no engine counting at the same time.
    explicit TPokerEngine(TCalculator& calculator);
    TPokerEngine(const TPokerEngine&) = delete;
    TPokerEngine& operator=(const TPokerEngine&) = delete;
    virtual ~TPokerEngine() = default;

    virtual void SetDescription(const TPokerDescription& description);
    void SetPayout(TPayout* payout);
    virtual void Reset();
    // Empties Hand and refills Deck; the caller then deals the five cards
    // (DealCode).
    void ResetHand();
    // One card (code 0..53) moved from the deck to the hand, in position order.
    void DealCode(int code) {
        FDeck.RemoveCode(code);
        FHand.AddCode(code);
    }
    // ResetHand, then the cards (codes 0..53, position order) moved from the
    // deck to the hand.
    void DealCodes(std::span<const int> codes);
    // The deck full again and a card taken from it, the hand untouched: the
    // deck follows a dealer that deals cards outside the hand (a double-up).
    void RefillDeck() { FDeck.Fill(); }
    void TakeFromDeck(int code) { FDeck.RemoveCode(code); }
    // The hand made of these cards (position order), the deck untouched: a
    // hand after the draw, whose cards the deck gave before, for HandLine.
    void SetHandCodes(std::span<const int> codes) {
        FHand.ClearHand();
        for (int code : codes) FHand.AddCode(code);
    }
    // Hand and deck as given, unchecked until the counting checks them: a deck
    // no dealer makes, as the tests of the counting's limits need.
    void SetCards(const THand& hand, const TDeck& deck) {
        FHand = hand;
        FDeck = deck;
    }
    // Counts all 32 masks and returns the best one (ties to the lowest mask).
    int GetTheBest();
    // The counting half of GetTheBest, for a caller that holds some masks'
    // line rows from an earlier deal: the masks 1..30 in `skip` are neither
    // counted nor cleared, so their rows hold what an earlier deal left.
    void CountHolds(uint32_t skip);
    // Expected return of the hold in the unit of Payout.Pays (coins for the bet).
    long double DrawReturn(int mask) const;
    long double LineProbability(int line, int mask) const;
    // For a line above LastLine: the outcomes paid by no line.
    int64_t LineCount(int line, int mask) const;
    // The line that pays Hand as it stands, or -1. Valid after GetTheBest.
    virtual int CurrentLine() const;
    // The same line, found by classifying Hand alone, without counting draws:
    // what a finished hand needs.
    virtual int HandLine() const;

    // The 32 holds as values (valid after GetTheBest).
    THoldResult Hold(int mask) const;
    std::array<THoldResult, kMaskCount> Holds() const;

    int64_t OutcomeCount(int mask) const;
    int64_t UnpaidCount(int mask) const;
    // Sum over lines of outcomes times pays: the return's numerator.
    int64_t PaidSum(int mask) const;
    bool IsWildEngine() const { return FDeck.WildRank != kNoWildRank || FDeck.Jokers > 0; }

    int GameIndex() const { return FGameIndex; }
    const std::string& GameName() const { return FGameName; }
    const TDeck& Deck() const { return FDeck; }
    const THand& Hand() const { return FHand; }
    int LastLine() const { return FLastLine; }
    const std::vector<std::string>& LineNames() const { return FLineNames; }
    const TPayout* Payout() const { return FPayout; }
    // The rows of the counts described above, by mask (0..31, unchecked: for
    // loops over the masks; LineCount checks its arguments).
    const int32_t (&CategoryCounts(int mask) const)[kNaturalCategoryCount] {
        return FCategoryCounts[mask];
    }
    const int64_t (&LineCounts(int mask) const)[kMaxLines] { return FLineCounts[mask]; }
    // The line that pays a natural category, or -1.
    int CategoryLine(int category) const { return FCategoryLine[category]; }

  protected:
    int FGameIndex = -1;
    std::string FGameName;
    TDeck FDeck;
    THand FHand;
    THand FKept;
    int32_t FCategoryCounts[kMaskCount][kNaturalCategoryCount] = {};
    int32_t FCategoryLine[kNaturalCategoryCount] = {};
    int64_t FLineCounts[kMaskCount][kMaxLines] = {};
    int FLastLine = -1;
    std::vector<std::string> FLineNames;
    TPayout* FPayout = nullptr;

    virtual void ResetCounts();
    virtual void CheckCombination();
    virtual void CheckEmpty();
    // Counts one of the masks 1..30; FKept already holds the cards it keeps.
    virtual void CheckDraw(int mask);
    virtual void SumLines();

    int NaturalsLeft() const { return FDeck.Total - FDeck.WildCount; }
    // Moves the draws of `kept` plus k cards whose four of a kind a line with
    // kickers pays from the quads' plain line to that line.
    void MoveKicked(const THand& kept, int k, int64_t* lines) const;
    // The line paying `category` in Hand as it stands.
    int PaidLine(int category) const;
    void StraightCount(int column, int32_t (&kinds)[3]) const;

    // Before Calc, which may refer to it.
    TCalculator FOwnCalculator;
    TCalculator& Calc;
    // The categories each line pays, grouped by line in fixed arrays, so that
    // SumLines adds a line's categories in a register and stores the line once.
    struct TLineGroups {
        int Count = 0;               // lines that pay some category
        int8_t Line[kMaxLines] = {}; // of each group
        int8_t End[kMaxLines] = {};  // group g is Categories[End[g-1]..End[g])
        int8_t Categories[kNaturalCategoryCount] = {};
    };
    static TLineGroups GroupByLine(const int32_t* categoryLine, int categories);
    static void AddLineSums(const TLineGroups& groups, const int32_t* counts, int64_t* lines);
    TLineGroups FPaidCategories;
    TKickerLines FKickers;
    unsigned FKickerQuads = 0; // bit q: some line pays four of rank q for its kicker
    // Each category's line, or kMaxLines for one no line pays.
    int8_t FCategorySlot[kNaturalCategoryCount] = {};
    // Natural ranks of the dealt hand, and the others, for the evaluation.
    int FHandRanks[kHandSize] = {};
    int FHandRankCount = 0;
    int FOtherRanks[kRankCount] = {};
    int FOtherRankCount = 0;
    int FOtherByCount[5] = {}; // other ranks with each deck count
    // The kept hand's shape as the walk builds it: for each kept count c
    // (1..4) and deck count d (0..4), the number of kept ranks with c cards
    // kept and d in the deck, three bits each at bit 3 (5 (c - 1) + d). With
    // the deck it fixes every count that does not depend on which ranks are
    // kept: RanksWithCount, the free ranks' multiset, the calculator's sums.
    uint64_t FKeptShape = 0;
    uint64_t FDeal = 0; // counts the evaluations: tags what caches keep per deal
    // Holds the walk counts, by kept cards: bit 31 ^ mask for each mask 1..30
    // counted (CountHolds). A subtree of the walk without one is not entered.
    uint32_t FCountedKept = 0;
    // The same masks with 0 and 31: the rows ResetCounts clears.
    uint32_t FCountedMasks = ~0u;
    // Zeroes the rows of FCountedMasks in `rows` (kMaskCount of them).
    template <typename TRow> void ClearRows(TRow (&rows)[kMaskCount]) const;
    // Bit r: the kept hand holds rank r. And each natural rank's factor in a
    // straight: 1 for a kept rank, else its cards in the deck.
    unsigned FKeptRankMask = 0;
    int32_t FRankFactor[kRankCount] = {};
    // Per deal, bit r of suit s: the deck holds that card. With no card twice
    // in the deck (FSingleCopies) a suited straight is a test of bits.
    unsigned FSuitRanks[kSuitCount] = {};
    bool FSingleCopies = true;

  private:
    void ClearLines();
    // The pairs, sets and quads of one rank; Full are the full houses its set
    // makes, a share of the category every rank adds to.
    struct TRankCounts {
        int32_t Pairs = 0, Sets = 0, Full = 0, Quads = 0;
    };
    // A kept rank's counts, and what they add to the unkept ones of its deck
    // count: to the pairs, sets and quads together, and to the full houses.
    struct TKeptCounts {
        TRankCounts Counts;
        int64_t Assigned = 0, Full = 0;
    };
    // The ranks whose pairs (Shape 0), sets (1) or quads (2) one line pays,
    // fixed by the game; per deal, how many of them have each deck count d.
    // A rank no hold keeps has counts that depend on d alone, so the line's
    // sum over such ranks is ByCount[d] times one rank's count.
    struct TRankGroup {
        int8_t Line = 0;
        int8_t Shape = 0;
        uint16_t Ranks = 0; // bit r: rank r
        int8_t ByCount[5] = {};
    };
    // Everything CountDraw computes per rank depends on the kept hand only
    // through its shape (FKeptShape). Holds of one shape share the counts of the ranks they do not
    // keep (a row copied with its line sums) and of the ranks they keep, by deck count d and kept
    // count h.
    struct TShape {
        uint64_t Deal; // FDeal when the entry was made; older entries are free
        uint64_t Key;
        TRankCounts Unkept[5];
        bool AnyUnkept;
        bool RowReady;
        uint32_t KeptReady; // bit 5 d + h
        TKeptCounts Kept[5][5];
        int32_t Counts[kNaturalCategoryCount]; // the row: every rank unkept
        int64_t Lines[kMaxLines];
        int64_t Assigned; // pairs, sets and quads of all ranks in the row
        int64_t Full;     // full houses of all ranks' sets in the row
    };
    static constexpr int kShapes = 32; // a direct-mapped table by FKeptShape
    void BunchRanks();
    void BuildRow(TShape& shape) const;

    TRankGroup FRankGroups[3 * kRankCount] = {};
    int FRankGroupCount = 0;
    int FRanksByCount[5][kRankCount] = {};
    int FRankCountTotal[5] = {}; // natural ranks with each deck count
    TShape FShapes[kShapes] = {};

    // Visits the masks 1..30 with FKept built one card at a time: each kept
    // hand differs from the one before by a single card added or taken back.
    void WalkHolds(int position, int keptBits);
    void CountDraw(int mask);
    void CountEmpty();
    void SelectBest(int& best);
};

template <typename TRow> void TPokerEngine::ClearRows(TRow (&rows)[kMaskCount]) const {
    if (FCountedMasks == ~0u) {
        std::memset(rows, 0, sizeof rows);
        return;
    }
    for (uint32_t masks = FCountedMasks; masks != 0; masks &= masks - 1)
        std::memset(rows[std::countr_zero(masks)], 0, sizeof rows[0]);
}

} // namespace drawmentor
