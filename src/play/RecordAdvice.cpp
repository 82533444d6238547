#include "RecordAdvice.h"

#include "Logger.h"
#include "PaytableStore.h"

#include "ChartCacheFile.h"
#include "games/Catalogue.h"

#include <algorithm>

namespace drawmentor {
namespace {

std::array<int, kHandSize> DealtCards(const TLogRecord& record) {
    std::array<int, kHandSize> dealt{};
    std::copy(record.Dealt.begin(), record.Dealt.end(), dealt.begin());
    return dealt;
}

} // namespace

TRecordAdvice::TRecordAdvice() = default;
TRecordAdvice::~TRecordAdvice() = default;

TChartAdvisor* TRecordAdvice::AdvisorFor(int gameIndex, int payIndex, int betCoins) {
    const auto key = std::tuple{gameIndex, payIndex, betCoins};
    const auto found = FAdvisors.find(key);
    if (found != FAdvisors.end()) return found->second.get();
    std::unique_ptr<TChartAdvisor>& advisor = FAdvisors[key];
    try {
        const auto game = CreateDescription(gameIndex);
        const auto store = OpenPaytableStore();
        if (!game || payIndex >= store->PaytableCount(gameIndex)) return nullptr;
        const TPayTable table = store->ReadPaytable(gameIndex, payIndex);
        std::vector<int> pays;
        for (int line = 0; line <= game->LastLine; ++line) pays.push_back(table.At(betCoins, line));
        if (auto chart = SharedUserChartCache()->Find(gameIndex, betCoins, pays))
            advisor = std::make_unique<TChartAdvisor>(std::move(*chart));
    } catch (const std::exception&) {
        // A damaged record or paytable: no word from the chart.
    }
    return advisor.get();
}

std::optional<TChartAdvice> TRecordAdvice::Explain(const TLogRecord& record) {
    TChartAdvisor* advisor = AdvisorFor(record.GameIndex, record.PayIndex, record.Bet);
    if (!advisor) return std::nullopt;
    try {
        return advisor->Advise(DealtCards(record), record.DrawMask, record.BestMask);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<int> CostlyErrorLines(TLogger& logger, TChartAdvisor& advisor, int payIndex,
                                  int count) {
    const TStrategyChart& chart = advisor.Chart();
    std::vector<double> cost(chart.Lines.size(), 0.0);
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) {
        if (record.GameIndex != chart.GameIndex || record.PayIndex != payIndex ||
            record.Bet != chart.Bet || record.DrawMask == record.BestMask)
            continue;
        const double lost = record.BestReturn - record.Return;
        if (!(lost > 1e-9)) continue; // a hold as good as the best one
        const int line = advisor.LineOf(DealtCards(record), record.BestMask);
        if (line >= 0) cost[line] += lost;
    }
    std::vector<int> lines;
    for (size_t line = 0; line < cost.size(); ++line)
        if (cost[line] > 0) lines.push_back(static_cast<int>(line));
    std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) { return cost[a] > cost[b]; });
    if (static_cast<int>(lines.size()) > count) lines.resize(static_cast<size_t>(count));
    return lines;
}

} // namespace drawmentor
