#include "play/ChartCacheFile.h"
#include "play/ChartLineStats.h"
#include "play/Logger.h"
#include "play/RecordAdvice.h"
#include "play/Session.h"

#include "core/Error.h"
#include "games/Catalogue.h"
#include "prefs/Preferences.h"

#include "support/JacksChart.h"
#include "support/TempFolders.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

#include <sstream>

namespace drawmentor {
namespace {

using testing::JacksChart;
using testing::kJacks96;

std::vector<int> Codes(const std::string& text) {
    return testing::CardCodes(text);
}

int LineWithKey(const TStrategyChart& chart, const std::string& prefix) {
    for (size_t i = 0; i < chart.Lines.size(); ++i)
        if (chart.Lines[i].Key.rfind(prefix, 0) == 0) return static_cast<int>(i);
    return -1;
}

// The session on 9/6 Jacks or Better (game 0, paytable 0) at five coins.
class ChartTrainerTest : public ::testing::Test {
  protected:
    ChartTrainerTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        TRandom::SetSeedSource([] { return 777u; });
        preferences = std::make_unique<TPreferences>();
        session = std::make_unique<TSession>(*preferences);
        session->SetOption(kShowWarnings, false);
    }
    ~ChartTrainerTest() override {
        session.reset();
        preferences.reset();
        TRandom::SetSeedSource({});
        TTableChart::SetBackgroundGeneration(false);
    }
    void PlayJacksWithCachedChart() {
        SharedUserChartCache()->Store(JacksChart());
        session->SelectGame(0, 0);
        ASSERT_TRUE(session->SetBet(5));
        ASSERT_NE(session->Coach().Chart().Chart(), nullptr);
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
};

TEST_F(ChartTrainerTest, TheHoldAndTheBestOneAreNamedByTheirChartLines) {
    session->SelectGame(0, 0);
    session->StackCards(Codes("TH JH QH KH TD"));
    session->Deal();
    EXPECT_FALSE(
        session->Coach().HoldAdvice()); // no chart yet: the trainer says what it always said

    PlayJacksWithCachedChart();
    const TStrategyChart& chart = *session->Coach().Chart().Chart();
    session->StackCards(Codes("TH JH QH KH TD"));
    session->Deal();
    session->SetDrawMask(0b01110); // the tens kept
    auto advice = session->Coach().HoldAdvice();
    ASSERT_TRUE(advice);
    EXPECT_EQ(advice->HeldLine, LineWithKey(chart, "kind2[g0]"));
    EXPECT_EQ(advice->ChartLine, LineWithKey(chart, "royal4"));
    EXPECT_EQ(advice->BestLine, advice->ChartLine);
    EXPECT_TRUE(advice->ChartIsBest);
    const auto hint = session->Coach().BestAdvice();
    ASSERT_TRUE(hint);
    EXPECT_EQ(hint->HeldMask, 1 << 4);
    EXPECT_EQ(hint->BestLine, advice->ChartLine);

    // After the draw the hold drawn with is explained, and the logged hand too.
    session->Draw();
    advice = session->Coach().HoldAdvice();
    ASSERT_TRUE(advice);
    EXPECT_EQ(advice->HeldLine, LineWithKey(chart, "kind2[g0]"));
    session->Collect();
    TRecordAdvice logged;
    TLogRecord record;
    session->Logger().Rewind();
    ASSERT_TRUE(session->Logger().ReadNext(record));
    const auto fromLog = logged.Explain(record);
    ASSERT_TRUE(fromLog);
    EXPECT_EQ(fromLog->HeldLine, advice->HeldLine);
    EXPECT_EQ(fromLog->ChartLine, advice->ChartLine);
    EXPECT_EQ(CostlyErrorLines(session->Logger(), *logged.AdvisorFor(0, 0, 5), 0, 3),
              std::vector<int>{advice->ChartLine});

    // Another bet pays differently: its chart is not the five-coin one.
    ASSERT_TRUE(session->SetBet(1));
    EXPECT_EQ(session->Coach().Chart().Chart(), nullptr);
    session->StackCards(Codes("TH JH QH KH TD"));
    session->Deal();
    EXPECT_FALSE(session->Coach().HoldAdvice());
}

// A hand counts on the line of the chart's own play of its dealt cards,
// whatever was held; an error is a hold worth less than the best one, and a
// line is weak only with enough hands.
TEST_F(ChartTrainerTest, TheLogIsCountedByTheChartLineThatPlaysEachHand) {
    session->SelectGame(0, 0);
    ASSERT_TRUE(session->SetBet(1)); // no chart of one coin at hand: left out
    const auto play = [&](const char* cards, int mask) {
        session->StackCards(Codes(cards));
        session->Deal();
        session->SetDrawMask(mask);
        session->Draw();
    };
    play("TH JH QH KH TD", 0b10000);
    PlayJacksWithCachedChart();
    for (int hand = 0; hand < 6; ++hand) play("TH JH QH KH TD", hand < 2 ? 0b01110 : 0b10000);
    play("AS AD 7C 4H 2S", 0b11100);
    session->Collect();

    double lost = 0;
    TLogRecord record;
    session->Logger().Rewind();
    while (session->Logger().ReadNext(record)) lost += record.BestReturn - record.Return;
    TRecordAdvice advice;
    TChartLineStats stats;
    stats.ComputeFiltered(session->Logger(), advice, false);
    ASSERT_NE(stats.Chart(), nullptr);
    const int royal4 = LineWithKey(*stats.Chart(), "royal4");
    const TChartLineTally& line = stats.Lines()[static_cast<size_t>(royal4)];
    EXPECT_EQ(line.Hands, 6);
    EXPECT_EQ(line.Errors, 2);
    EXPECT_NEAR(line.Cost, lost, 1e-9);
    EXPECT_NEAR(line.Accuracy(), 400.0 / 6, 1e-9);
    EXPECT_EQ(stats.Total().Hands, 7);
    EXPECT_EQ(stats.Total().Errors, 2);
    EXPECT_EQ(stats.LeftOut(), 1);
    EXPECT_EQ(stats.WeakestLines(kWeakLineHands, 3), std::vector<int>{royal4});
    EXPECT_TRUE(stats.WeakestLines(7, 3).empty());
    EXPECT_EQ(WeakestChartLines(session->Logger(), *advice.AdvisorFor(0, 0, 5), 0),
              std::vector<int>{royal4});
}

TEST_F(ChartTrainerTest, TheChartOfAChosenGameIsMadeInTheBackground) {
    TTableChart::SetBackgroundGeneration(true);
    session->SelectGame(0, 0);
    ASSERT_TRUE(session->Coach().Chart().Generating());
    QElapsedTimer clock;
    clock.start();
    while (!session->Coach().Chart().Chart() && clock.elapsed() < 120000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    ASSERT_NE(session->Coach().Chart().Chart(), nullptr);
    EXPECT_EQ(SaveChart(*session->Coach().Chart().Chart()), SaveChart(JacksChart()));
    EXPECT_TRUE(SharedUserChartCache()->Find(0, 5, kJacks96)); // for the next start
}

TEST_F(ChartTrainerTest, ADrillDealsOnlyHandsOfItsLinesInTraining) {
    PlayJacksWithCachedChart();
    const TStrategyChart& chart = JacksChart();
    const int flush4 = LineWithKey(chart, "flush4");
    session->SetMode(TPlayMode::pmRealPlay);
    ASSERT_TRUE(session->StartDrill(std::make_unique<TChartDrill>(chart, std::vector{flush4})));
    EXPECT_EQ(session->Mode(), TPlayMode::pmTraining);
    TChartDrill check(chart, {flush4});
    std::vector<std::vector<int>> dealt;
    for (int hand = 0; hand < 25; ++hand) {
        session->Deal();
        std::array<int, kHandSize> cards{};
        for (int i = 0; i < kHandSize; ++i) cards[i] = session->Hand().CardAt(i);
        EXPECT_TRUE(check.Qualifies(cards)) << "hand " << hand;
        dealt.emplace_back(cards.begin(), cards.end());
        session->Draw();
        session->Collect();
    }

    // The same seed deals the same drill.
    session->SelectGame(0, 0); // another game ends the drill (and seeds the dealer again)
    EXPECT_EQ(session->Coach().Drill(), nullptr);
    ASSERT_TRUE(session->StartDrill(std::make_unique<TChartDrill>(chart, std::vector{flush4})));
    for (int hand = 0; hand < 3; ++hand) {
        session->Deal();
        for (int i = 0; i < kHandSize; ++i) EXPECT_EQ(session->Hand().CardAt(i), dealt[hand][i]);
        session->Draw();
        session->Collect();
    }
    session->EndDrill();
    EXPECT_EQ(session->Coach().Drill(), nullptr);

    // A chart of other pays drills nothing here.
    TStrategyChart other = chart;
    other.Pays[5] = 25;
    EXPECT_FALSE(session->StartDrill(std::make_unique<TChartDrill>(other, std::vector{flush4})));
    EXPECT_EQ(session->Coach().Drill(), nullptr);
    // Nor does it end the drill that runs.
    ASSERT_TRUE(session->StartDrill(std::make_unique<TChartDrill>(chart, std::vector{flush4})));
    EXPECT_FALSE(session->StartDrill(std::make_unique<TChartDrill>(other, std::vector{flush4})));
    ASSERT_NE(session->Coach().Drill(), nullptr);
    EXPECT_EQ(session->Coach().Drill()->Chart().Pays, chart.Pays);
}

TEST(ChartDealer, DealsAreBoundedAndFollowTheSeed) {
    TRandom::SetSeedSource([] { return 99u; });
    TDealer first, second;
    first.NewGame(52);
    second.NewGame(52);
    int asked = 0;
    const auto never = [&](const std::array<int, kHandSize>&) {
        ++asked;
        return false;
    };
    const auto last = first.DealAccepted(never, 50);
    EXPECT_EQ(asked, 49); // the 50th deal stands without being asked
    const auto hearts = [](const std::array<int, kHandSize>& hand) {
        return std::all_of(hand.begin(), hand.end(),
                           [](int code) { return DecodeCard(code).Suit == DecodeCard(0).Suit; });
    };
    first.Shuffle();
    const auto a = first.DealAccepted(hearts, 100000);
    for (int i = 0; i < 50; ++i) { // the same draws, one deal at a time
        second.DealAccepted(never, 1);
        second.Shuffle();
    }
    EXPECT_TRUE(hearts(a));
    second.Shuffle();
    EXPECT_EQ(second.DealAccepted(hearts, 100000), a);
    EXPECT_NE(last, a);
    TRandom::SetSeedSource({});
}

} // namespace
} // namespace drawmentor
