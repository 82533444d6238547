#pragma once

#include "ChartDeals.h"
#include "ChartLine.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

namespace drawmentor {

struct TChartSearchOptions {
    int MaxLines = 40;
    // A chart that loses more than TargetLoss (bets per hand) against perfect
    // play with MaxLines lines may have up to HardMaxLines.
    double TargetLoss = 1e-4;
    int HardMaxLines = 48;
    // A line must be worth this much (bets per hand) to be kept or split off.
    double MinLineGain = 1e-6;
    // Split every line worth splitting before cutting the chart down, rather
    // than after.
    bool SplitFirst = false;
    // When set, two nearby lines of different families whose families it
    // accepts may become one line read as "this or that" (the paying hands
    // of a short chart: "Full House, Flush or Straight").
    std::function<bool(uint32_t family)> Joinable;
    const std::atomic<bool>* Cancel = nullptr;
};

// Orders chart lines so that playing the highest line present in each deal
// loses as little as possible against the best play, measured over every
// deal. A line's worth is found exactly and for all its positions at once: for
// every deal that holds the line, what the chart plays without it and where
// that line stands.
class TChartSearch {
  public:
    explicit TChartSearch(const TChartDeals& deals);

    void Run(const TChartSearchOptions& options);
    // The lines in chart order; the last one discards everything.
    std::vector<TLineDefinition> Lines() const;
    // Per line in chart order, the definitions joined to it ("or").
    std::vector<std::vector<TLineDefinition>> Joined() const;
    // Per deal, the entry (index into TChartDeals::Atom) the chart plays.
    const std::vector<uint32_t>& Chosen() const { return FChosen; }
    bool Cancelled() const { return FCancelled; }
    // Sum over deals of weight times the return (bets) of what the chart plays.
    double Value() const;
    int LineCount() const { return static_cast<int>(FOrder.size()); }

  private:
    struct TLine {
        TLineDefinition Definition;
        std::vector<TLineDefinition> Also; // joined lines of other families
        std::vector<int> Atoms;
        bool Alive = true;
    };
    struct TPlacement {
        int Position = -1;
        double Gain = 0;          // against the chart as it is, at Position
        double AbsentGain = 0;    // against the chart as it is, without the line
        double PreferredGain = 0; // at the preferred position
    };
    struct TChange {
        enum TKind { None, Move, Split, Merge, Join, Remove } Kind = None;
        int Line = -1, Other = -1;
        TLineDefinition Definition, Rest;
        std::vector<TLineDefinition> Also;
        std::vector<int> Atoms;
        TPlacement Place;
    };
    struct TState {
        std::vector<TLine> Lines;
        std::vector<int> Order;
        std::vector<int> AtomLine;
    };

    void BuildInitialLines();
    TPlacement Evaluate(const std::vector<int>& atoms, const std::vector<int>& removed,
                        int preferred);
    void Apply(const TChange& change);
    void Refresh(const std::vector<int>& atoms);
    void RefreshAll();
    void Rank();
    int Position(int line) const;
    bool Settle(int line);
    bool Sweep();
    using TChangeKey = std::tuple<int, int, int, uint32_t, uint32_t, uint32_t, uint32_t>;
    using TScoreCache = std::map<TChangeKey, double>;
    bool Joinable(const TLine& a, const TLine& b) const;
    bool SameDraw(const TLine& a, const TLine& b) const;
    TChange JoinOf(int first, int second) const;
    TChange BestSplit();
    TChange LazyBest(std::vector<TChange> pool, TScoreCache& cache);
    static TChangeKey Key(const TChange& change);
    void Restore(const TState& state);
    std::vector<TChange> Reductions() const;
    void Score(TChange& change);
    bool Better(const TChange& a, const TChange& b) const;
    TChange CheapestReduction();
    void Reduce();
    void SplitPhase(int maxLines);
    void Improve(bool splitFirst, double best);
    void SplitsOf(int line, std::vector<TChange>& out) const;
    void Absorb();
    void Tidy();
    bool CoOccur(int a, int b);
    bool Stopped();

    const TChartDeals& D;
    TChartSearchOptions FOptions;
    std::vector<double> FWeight; // per deal
    std::vector<double> FValue;  // per entry, in bets
    std::vector<uint32_t> FAtomDealsFirst;
    std::vector<uint32_t> FAtomDeals;
    std::vector<TLine> FLines;
    std::vector<int> FOrder; // line ids, best first; the discard line last
    int FDiscardLine = -1;
    std::vector<int> FAtomLine;
    std::vector<int> FAtomRank;
    std::vector<int> FLineRank;
    std::vector<uint32_t> FChosen;
    // Scratch of Evaluate, stamped so that it is never cleared.
    std::vector<uint32_t> FAtomStamp, FDealStamp;
    uint32_t FStamp = 0;
    std::vector<int> FRankWithout;
    std::vector<double> FDiff;
    double FEps = 0;
    double FMinGain = 0;
    int FReduceTo = 0;
    TScoreCache FSplitCache, FReduceCache;
    bool FCancelled = false;
};

// Runs the search both ways (on two threads when `parallel`) and keeps the
// chart that plays better, the shorter one when they play alike.
std::unique_ptr<TChartSearch> SearchChart(const TChartDeals& deals, TChartSearchOptions options,
                                          bool parallel);

} // namespace drawmentor
