#include "ChartLineStats.h"

#include "DealCounter.h"
#include "Logger.h"
#include "RecordAdvice.h"

#include "charts/ChartAdvisor.h"

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

// Returns equal to the last bits of a long double sum are the same hold value.
constexpr double kValueTolerance = 1e-9;

std::array<int, kHandSize> DealtCards(const TLogRecord& record) {
    std::array<int, kHandSize> dealt{};
    std::copy(record.Dealt.begin(), record.Dealt.end(), dealt.begin());
    return dealt;
}

} // namespace

double TChartLineTally::Accuracy() const {
    if (Hands <= 0) return -1;
    return 100.0 * static_cast<double>(Hands - Errors) / static_cast<double>(Hands);
}

TPlayedPaytable FilteredPaytable(TLogger& logger) {
    const TLogFilter& filter = logger.Filter();
    TPlayedPaytable played{filter.Game, filter.PayIndex, 0};
    const bool chosen = played.GameIndex >= 0 && played.PayIndex >= 0;
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (!filter.Matches(record)) continue;
        if (chosen && (record.GameIndex != played.GameIndex || record.PayIndex != played.PayIndex))
            continue;
        played = {record.GameIndex, record.PayIndex, record.Bet};
    }
    if (played.Bet == 0) return {};
    return played;
}

void TChartLineStats::Reset(const TStrategyChart* chart) {
    FHasChart = chart != nullptr;
    FChart = chart ? *chart : TStrategyChart{};
    FLines.assign(FChart.Lines.size(), {});
    FTotal = {};
    FLeftOut = FOther = 0;
}

template <class TSelect, class TOnShow>
void TChartLineStats::Count(TLogger& logger, TChartAdvisor* advisor, TSelect selected,
                            TOnShow onShow) {
    TDealCounter deals;
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        // Fed every record, so that deals are told apart as in the log.
        const bool starts = deals.Add(record);
        if (!selected(record)) continue;
        if (!onShow(record)) {
            ++FOther;
            continue;
        }
        if (!advisor || record.Bet != FPaytable.Bet) {
            ++FLeftOut;
            continue;
        }
        int line = -1;
        try {
            line = advisor->Play(DealtCards(record)).Line;
        } catch (const std::exception&) {
            // Cards that are no hand of the game: damage, like a line off the chart.
        }
        if (line < 0 || line >= static_cast<int>(FLines.size())) {
            ++FLeftOut;
            continue;
        }
        // The hands of a deal share cards and hold: one line, one verdict.
        const bool counts = !FCountDeals || starts;
        const double lost = record.BestReturn - record.Return;
        const bool error = std::isfinite(lost) && lost > kValueTolerance;
        for (TChartLineTally* tally : {&FLines[static_cast<size_t>(line)], &FTotal}) {
            if (counts) {
                ++tally->Hands;
                if (error) ++tally->Errors;
            }
            if (error) tally->Cost += lost;
        }
    }
}

void TChartLineStats::ComputeFiltered(TLogger& logger, TRecordAdvice& advice, bool countDeals) {
    FCountDeals = countDeals;
    FPaytable = FilteredPaytable(logger);
    TChartAdvisor* advisor =
        FPaytable.Known()
            ? advice.AdvisorFor(FPaytable.GameIndex, FPaytable.PayIndex, FPaytable.Bet)
            : nullptr;
    Reset(advisor ? &advisor->Chart() : nullptr);
    const TLogFilter& filter = logger.Filter();
    Count(
        logger, advisor, [&](const TLogRecord& r) { return filter.Matches(r); },
        [&](const TLogRecord& r) {
            return r.GameIndex == FPaytable.GameIndex && r.PayIndex == FPaytable.PayIndex;
        });
}

void TChartLineStats::ComputeFor(TLogger& logger, TChartAdvisor& advisor, int payIndex) {
    FCountDeals = false;
    FPaytable = {advisor.Chart().GameIndex, payIndex, advisor.Chart().Bet};
    Reset(&advisor.Chart());
    Count(
        logger, &advisor,
        [&](const TLogRecord& r) {
            return r.GameIndex == FPaytable.GameIndex && r.PayIndex == payIndex &&
                   r.Bet == FPaytable.Bet;
        },
        [](const TLogRecord&) { return true; });
}

std::vector<int> TChartLineStats::WeakestLines(int64_t minHands, int count) const {
    std::vector<int> lines;
    for (size_t line = 0; line < FLines.size(); ++line)
        if (FLines[line].Hands >= minHands && FLines[line].Errors > 0)
            lines.push_back(static_cast<int>(line));
    std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) {
        const TChartLineTally& x = FLines[static_cast<size_t>(a)];
        const TChartLineTally& y = FLines[static_cast<size_t>(b)];
        if (x.Accuracy() != y.Accuracy()) return x.Accuracy() < y.Accuracy();
        return x.Cost > y.Cost;
    });
    if (static_cast<int>(lines.size()) > count)
        lines.resize(static_cast<size_t>(std::max(count, 0)));
    return lines;
}

std::vector<int> WeakestChartLines(TLogger& logger, TChartAdvisor& advisor, int payIndex) {
    TChartLineStats stats;
    stats.ComputeFor(logger, advisor, payIndex);
    return stats.WeakestLines(kWeakLineHands, kWeakLinesDrilled);
}

} // namespace drawmentor
