#include "TableChart.h"

#include "ChartCacheFile.h"
#include "TableGame.h"
#include "TableHand.h"

#include <atomic>

namespace drawmentor {
namespace {

std::atomic<bool> backgroundGeneration{false};

std::vector<int> PaysOf(const TTableGame& game) {
    std::vector<int> pays;
    for (int line = 0; line <= game.LastLine(); ++line) pays.push_back(game.WinOf(line));
    return pays;
}

} // namespace

TTableChart::TTableChart(QObject* parent) : QObject(parent) {
    FPoll.setInterval(100);
    connect(&FPoll, &QTimer::timeout, this, &TTableChart::Poll);
}

TTableChart::~TTableChart() = default;

void TTableChart::SetBackgroundGeneration(bool on) {
    backgroundGeneration = on;
}

bool TTableChart::BackgroundGeneration() {
    return backgroundGeneration;
}

void TTableChart::Request(int gameIndex, const std::vector<int>& pays, int betCoins) {
    if (gameIndex == FGame && betCoins == FBet && pays == FPays && (FAdvisor || FJob)) return;
    FGame = gameIndex;
    FBet = betCoins;
    FPays = pays;
    FAdvisor.reset();
    FJob.reset(); // a generation nobody else wants stops here
    FPoll.stop();
    if (CheckChartInput(gameIndex, pays) != TChartRefusal::None) return;
    if (auto chart = SharedUserChartCache()->Find(gameIndex, betCoins, pays)) {
        FAdvisor = std::make_unique<TChartAdvisor>(std::move(*chart));
        emit ChartReady();
        return;
    }
    if (!backgroundGeneration) return;
    FJob = SharedChartJob(gameIndex, pays, betCoins);
    FPoll.start();
}

void TTableChart::Poll() {
    if (!FJob || !FJob->Finished()) return;
    FPoll.stop();
    const std::shared_ptr<TChartJob> job = std::move(FJob);
    try {
        const TStrategyChart& chart = job->Result();
        if (chart.Cancelled) return;
        FAdvisor = std::make_unique<TChartAdvisor>(chart);
    } catch (const std::exception&) {
        return; // the trainer goes on without a chart
    }
    emit ChartReady();
}

const TStrategyChart* TTableChart::Chart() const {
    return FAdvisor ? &FAdvisor->Chart() : nullptr;
}

bool TTableChart::Matches(const TTableGame& game) const {
    return FAdvisor && game.GameIndex() == FGame && game.Bet() == FBet && PaysOf(game) == FPays;
}

std::optional<TChartAdvice> TTableChart::Explain(const TTableGame& game,
                                                 const TTableHand& hand) const {
    if (!Matches(game)) return std::nullopt;
    std::array<int, kHandSize> dealt{};
    int mask = 0;
    if (hand.State() == TGameState::gsDealt) {
        for (int i = 0; i < kHandSize; ++i) dealt[i] = hand.CardAt(i);
        mask = hand.DrawMask();
    } else if (hand.State() == TGameState::gsDrawn && hand.Record().Bet != 0) {
        std::copy(hand.Record().Dealt.begin(), hand.Record().Dealt.end(), dealt.begin());
        mask = hand.Record().DrawMask;
    } else {
        return std::nullopt;
    }
    return SafeAdvice(dealt, mask, hand.Record().BestMask);
}

std::optional<TChartAdvice> TTableChart::ExplainBest(const TTableGame& game,
                                                     const TTableHand& hand) const {
    if (!Matches(game) || hand.State() != TGameState::gsDealt) return std::nullopt;
    std::array<int, kHandSize> dealt{};
    for (int i = 0; i < kHandSize; ++i) dealt[i] = hand.CardAt(i);
    return SafeAdvice(dealt, hand.Record().BestMask, hand.Record().BestMask);
}

// A chart that cannot place a hand is a damaged one that passed every check
// of the reader: the trainer then says nothing of the chart, and the hand
// plays on (a hint, a warning and the draw need no chart).
std::optional<TChartAdvice> TTableChart::SafeAdvice(const std::array<int, kHandSize>& dealt,
                                                    int mask, int bestMask) const {
    try {
        return FAdvisor->Advise(dealt, mask, bestMask);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace drawmentor
