#include "LuckStat.h"

#include "bankroll/SessionDistribution.h"
#include "core/Error.h"

#include <algorithm>

namespace drawmentor {
namespace {

constexpr uint32_t PackKey(int game, int payIndex, int bet) {
    return static_cast<uint32_t>(game) << 24 | static_cast<uint32_t>(payIndex) << 16 |
           static_cast<uint32_t>(bet) << 8;
}

constexpr TPaytableKey UnpackKey(uint32_t key) {
    return {static_cast<int>(key >> 24), static_cast<int>(key >> 16 & 0xFF),
            static_cast<int>(key >> 8 & 0xFF), static_cast<int>(key & 0xFF)};
}

} // namespace

TLuckStat::TLuckStat(THandSource hands)
    : TStatistic(QStringLiteral("Luck"), QStringLiteral("Statistics.Luck"),
                 {"%10.0f", "%10.5f", "%10.2f"}, -1),
      FHands(std::move(hands)) {
    for (const char* key : {"BestPlay", "Errors", "DoubleUp", "Result", "LeftOut"})
        Rows.push_back(TStatRow::Text(Section, QString::fromLatin1(key)));
}

void TLuckStat::Clear() {
    TStatistic::Clear();
    FTallies.clear();
    FDeals = TDealCounter();
    FDeal = TTally();
}

void TLuckStat::EndDeal(std::map<uint32_t, TTally>& tallies) const {
    if (FDeal.Hands == 0) return;
    TTally& tally = tallies[FDealKey | static_cast<uint32_t>(std::min<int64_t>(FDeal.Hands, 255))];
    tally.Deals += 1;
    tally.Hands += FDeal.Hands;
    tally.BestResult += FDeal.BestResult;
}

void TLuckStat::AddRecord(const TLogRecord& record) {
    if (FDeals.Add(record)) {
        EndDeal(FTallies);
        FDeal = TTally();
        FDealKey = PackKey(record.GameIndex, record.PayIndex, record.Bet);
    }
    FDeal.Hands += 1;
    FDeal.BestResult += int64_t{record.BestWin} - record.Bet;
    Values[0][lsErrors] += static_cast<double>(int64_t{record.Win} - record.BestWin);
    if (record.DoubleUps != 0)
        Values[0][lsDoubleUp] += static_cast<double>(int64_t{record.Collected} - record.Win);
}

void TLuckStat::Compute(int64_t, int64_t coinsBet) {
    // The deal under way may still grow: it is counted here without ending it.
    std::map<uint32_t, TTally> tallies = FTallies;
    EndDeal(tallies);
    int64_t best = 0;
    for (const auto& [key, tally] : tallies) best += tally.BestResult;
    Values[0][lsBestPlay] = static_cast<double>(best);
    Values[0][lsResult] = Values[0][lsBestPlay] + Values[0][lsErrors] + Values[0][lsDoubleUp];
    if (coinsBet != 0)
        for (int row = lsBestPlay; row <= lsResult; ++row)
            Values[1][row] = 100 * Values[0][row] / static_cast<double>(coinsBet);
    ComputeLuck(tallies);
}

// Only hands whose paytable is known take part: the percentile is that of
// their best-play result among the sessions of as many deals of the same
// paytables and sizes, each deal played independently.
void TLuckStat::ComputeLuck(const std::map<uint32_t, TTally>& tallies) {
    if (tallies.empty()) return;
    std::vector<TPaytableKey> keys;
    for (const auto& entry : tallies) keys.push_back(UnpackKey(entry.first));
    std::vector<std::optional<THandDistribution>> hands;
    try {
        hands = FHands(keys);
    } catch (const EDrawMentor&) {
        // A store or an analysis that fails leaves every hand out, as counted below.
    }
    hands.resize(keys.size());
    std::vector<TSessionPart> parts;
    int64_t best = 0, leftOut = 0;
    size_t index = 0;
    for (const auto& [key, tally] : tallies) {
        const auto& hand = hands[index++];
        if (!hand) {
            leftOut += tally.Hands;
            continue;
        }
        parts.push_back({&*hand, tally.Deals});
        best += tally.BestResult;
    }
    Values[0][lsLeftOut] = static_cast<double>(leftOut);
    if (parts.empty()) return;
    try {
        const TSessionDistribution session = SessionDistribution(parts);
        Values[2][lsBestPlay] = static_cast<double>(session.StandingOf(best).Percentile);
    } catch (const EDrawMentor&) {
        // Results spread over too many points to be computed exactly, or sums
        // beyond 64 bits: no percentile rather than no statistics at all.
    }
}

} // namespace drawmentor
