// The chart search on small hand-made deal sets whose best charts are known.
#include "charts/ChartSearch.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace drawmentor {
namespace {

struct TFakeHold {
    THoldClass Class;
    int64_t Pay = 0;
};
struct TFakeDeal {
    int64_t Weight = 1;
    std::vector<TFakeHold> Holds; // preferred first; discarding everything is added
};

const THoldClass kDiscard = THoldClass::Make(THoldKind::Discard, 0, 0);
const THoldClass kRoyal = THoldClass::Make(THoldKind::Royal, 4, 0);
const THoldClass kFlush = THoldClass::Make(THoldKind::Flush, 4, 0);
const THoldClass kPair = THoldClass::Make(THoldKind::Kind, 2, 0, 2);
THoldClass Jack(int penalties = 0) {
    return THoldClass::Make(THoldKind::HighCards, 1, 0, 0, 0, 3, penalties);
}
THoldClass Queen() {
    return THoldClass::Make(THoldKind::HighCards, 1, 0, 0, 0, 2);
}

TChartDeals MakeDeals(const std::vector<TFakeDeal>& deals) {
    TChartDeals out;
    out.Common = 1;
    out.Bet = 1;
    std::vector<uint32_t> atoms;
    for (const auto& deal : deals) {
        for (const auto& hold : deal.Holds) atoms.push_back(hold.Class.Packed);
        atoms.push_back(kDiscard.Packed);
    }
    std::sort(atoms.begin(), atoms.end());
    atoms.erase(std::unique(atoms.begin(), atoms.end()), atoms.end());
    out.Atoms = atoms;
    for (uint32_t atom : atoms)
        out.Universe[atom & kFamilyBits] |= 1u << THoldClass{atom}.Variant();
    for (const auto& deal : deals) {
        TDealClass entry;
        entry.Weight = deal.Weight;
        out.Deals.push_back(entry);
        out.DealCount += deal.Weight;
        out.First.push_back(static_cast<uint32_t>(out.Atom.size()));
        std::vector<TFakeHold> holds = deal.Holds;
        holds.push_back({kDiscard, 0});
        int64_t best = -1;
        for (const auto& hold : holds) best = std::max(best, hold.Pay);
        for (size_t i = 0; i < holds.size(); ++i) {
            const auto found = std::find(atoms.begin(), atoms.end(), holds[i].Class.Packed);
            out.Atom.push_back(static_cast<int32_t>(found - atoms.begin()));
            out.Mask.push_back(static_cast<uint8_t>(i));
            out.Pay.push_back(holds[i].Pay);
            if (holds[i].Pay == best) out.BestClasses.push_back(holds[i].Class.Class());
        }
        out.Best.push_back(best);
        out.BestMask.push_back(0);
    }
    out.First.push_back(static_cast<uint32_t>(out.Atom.size()));
    out.BestClasses.push_back(kDiscard.Class()); // as the real collection does
    std::sort(out.BestClasses.begin(), out.BestClasses.end());
    out.BestClasses.erase(std::unique(out.BestClasses.begin(), out.BestClasses.end()),
                          out.BestClasses.end());
    return out;
}

struct TResult {
    std::vector<TLineDefinition> Lines;
    int64_t Played = 0; // sum of weight times the pay of the hold played
    int64_t Best = 0;
};

TResult Search(const TChartDeals& deals, int maxLines = 40) {
    TChartSearchOptions options;
    options.MaxLines = options.HardMaxLines = maxLines;
    const auto search = SearchChart(deals, options, true);
    TResult result;
    result.Lines = search->Lines();
    for (size_t d = 0; d < deals.Deals.size(); ++d) {
        result.Played += deals.Deals[d].Weight * deals.Pay[search->Chosen()[d]];
        result.Best += deals.Deals[d].Weight * deals.Best[d];
    }
    return result;
}

int LineOf(const TResult& result, THoldClass hold) {
    for (size_t line = 0; line < result.Lines.size(); ++line)
        if (result.Lines[line].Matches(hold)) return static_cast<int>(line);
    return -1;
}

// Three classes that beat each other in a circle: the chart gives up the
// cheapest of the three deals.
TEST(ChartSearch, OrdersByWhatTheDealsHoldingBothLose) {
    const auto deals = MakeDeals({
        {3, {{kRoyal, 10}, {kFlush, 5}}},
        {2, {{kFlush, 4}, {kPair, 2}}},
        {1, {{kRoyal, 3}, {kPair, 5}}},
    });
    const TResult result = Search(deals);
    EXPECT_EQ(result.Best - result.Played, 2); // the last deal plays the royal draw
    EXPECT_LT(LineOf(result, kRoyal), LineOf(result, kFlush));
    EXPECT_EQ(THoldClass{result.Lines.back().Family}.Kind(), THoldKind::Discard);
    // Reversed weights reverse the choice.
    const TResult reversed = Search(MakeDeals({
        {1, {{kRoyal, 10}, {kFlush, 5}}},
        {2, {{kFlush, 4}, {kPair, 2}}},
        {30, {{kRoyal, 3}, {kPair, 5}}},
    }));
    EXPECT_LT(LineOf(reversed, kPair), LineOf(reversed, kRoyal));
    EXPECT_EQ(reversed.Best - reversed.Played, 4);
}

// A jack with a flush penalty is worth less than a pair, without one more: a
// line split by the penalty plays both deals best.
TEST(ChartSearch, SplitsALineByAPenaltyWhenThatPays) {
    const TResult result = Search(MakeDeals({
        {5, {{Jack(), 3}, {kPair, 2}}},
        {4, {{Jack(kFlushPenalty), 1}, {kPair, 2}}},
    }));
    EXPECT_EQ(result.Played, result.Best);
    const int jack = LineOf(result, Jack());
    ASSERT_GE(jack, 0);
    EXPECT_EQ(result.Lines[jack].PenaltyMask, kFlushPenalty);
    EXPECT_EQ(result.Lines[jack].PenaltyValue, 0u);
    EXPECT_LT(jack, LineOf(result, kPair));
    const int penalised = LineOf(result, Jack(kFlushPenalty));
    EXPECT_TRUE(penalised < 0 || penalised > LineOf(result, kPair));
}

// Two variants that never meet and play alike share one line.
TEST(ChartSearch, MergesVariantsThatCostNothingApart) {
    const TResult result = Search(MakeDeals({
        {3, {{Jack(), 3}}},
        {2, {{Queen(), 2}}},
        {2, {{kPair, 4}, {Queen(), 2}}},
    }));
    EXPECT_EQ(result.Played, result.Best);
    EXPECT_EQ(LineOf(result, Jack()), LineOf(result, Queen()));
    EXPECT_EQ(result.Lines[LineOf(result, Jack())].Variants, (1u << 3) | (1u << 2));
    EXPECT_EQ(result.Lines.size(), 3u);
}

// With room for two lines the chart keeps the one worth most and the
// discard line.
TEST(ChartSearch, KeepsTheLineLimit) {
    const auto deals = MakeDeals({
        {1, {{kRoyal, 10}}},
        {5, {{kFlush, 6}}},
        {1, {{kPair, 2}}},
    });
    const TResult result = Search(deals, 2);
    ASSERT_EQ(result.Lines.size(), 2u);
    EXPECT_TRUE(result.Lines[0].Matches(kFlush));
    EXPECT_EQ(result.Best - result.Played, 12);
}

TEST(ChartSearch, StopsWhenCancelled) {
    const auto deals = MakeDeals({{1, {{kRoyal, 10}}}});
    std::atomic<bool> cancel{true};
    TChartSearch search(deals);
    TChartSearchOptions options;
    options.Cancel = &cancel;
    search.Run(options);
    EXPECT_TRUE(search.Cancelled());
}

} // namespace
} // namespace drawmentor
