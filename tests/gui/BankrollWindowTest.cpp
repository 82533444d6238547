#include "DialogDriver.h"
#include "support/Paytables.h"

#include "ui/common/NumberField.h"
#include "ui/paytable/BankrollPlots.h"
#include "ui/paytable/BankrollWindow.h"
#include "ui/paytable/ChooseGameWindow.h"
#include "ui/paytable/ReturnPanel.h"
#include "ui/paytable/SelectController.h"

#include "games/Catalogue.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QChart>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineSeries>
#include <QProcess>
#include <QScatterSeries>
#include <QSpinBox>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

using testing::ClickButton;
using testing::WhenModal;

using testing::kJacks;
constexpr int kFiguresWaitMs = 120000; // two shared cores may be busy with other builds
using testing::kJacks96;

const TPaytableReturn& JacksAnalysis() {
    static const TPaytableReturn analysis =
        AnalyzePaytable(*CreateDescription(kJacks), kJacks96, 5);
    return analysis;
}

class BankrollWindowTest : public ::testing::Test {
  protected:
    BankrollWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
        preferences->WriteOnExit = false;
    }
    // 9/6 Jacks or Better at a quarter a coin, or the pays and analysis given.
    void Open(const std::vector<int>& pays = kJacks96,
              const TPaytableReturn& analysis = JacksAnalysis()) {
        window =
            std::make_unique<TBankrollWindow>(nullptr, kJacks, pays, 5, analysis, 0, *preferences);
        window->show();
    }
    void WaitForFigures() { QTRY_VERIFY_WITH_TIMEOUT(!window->Running(), kFiguresWaitMs); }
    template <class T> T* Find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString Text(const char* name) { return Find<QLabel>(name)->text(); }
    QValueAxis* Axis(QChart& chart, Qt::Orientation orientation) {
        return qobject_cast<QValueAxis*>(chart.axes(orientation).front());
    }
    nlohmann::json Cli(const QStringList& arguments) {
        QProcess cli;
        cli.start(QStringLiteral(DRAWMENTOR_CLI),
                  QStringList{"risk", "--json", "--data-dir", folders.Data()} + arguments);
        EXPECT_TRUE(cli.waitForFinished(kFiguresWaitMs));
        return nlohmann::json::parse(cli.readAllStandardOutput().toStdString());
    }
    static QString Figure(double value, int decimals = -1) {
        return decimals < 0 ? QString::number(value, 'g', 10)
                            : QString::number(value, 'f', decimals);
    }
    static QString Dollars(double value) {
        return (value < 0 ? "-$" : "$") + QString::number(std::fabs(value), 'f', 2);
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TBankrollWindow> window;
};

// 800 bets at a quarter a coin ($1,000), 10,000 hands: the figures of
// `drawmentor-cli risk`, in bets and in dollars, and the charts drawn from them.
TEST_F(BankrollWindowTest, ShowsTheCommandLinesFigures) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Bankroll");
    EXPECT_EQ(window->Question().BankrollCoins, 4000);
    EXPECT_EQ(window->Question().Hands, 10000);
    WaitForFigures();
    const auto cli =
        Cli({"--game", "0", "--paytable", "0", "--bankroll", "800", "--hands", "10000"});
    ASSERT_NE(window->Shown(), nullptr);
    const TBankrollFigures& figures = window->Shown()->Figures();
    const double ruin = cli["risk_of_ruin"];
    EXPECT_EQ(static_cast<double>(figures.Ruin.Probability), ruin);
    EXPECT_EQ(Text("lRuin"), QString::number(100 * ruin, 'g', 6) + " %");
    EXPECT_EQ(Text("lRuin"), "0.17193 %");
    EXPECT_EQ(Text("lRuinLabel"), "Risk of ruin within 10000 hands");
    EXPECT_EQ(Text("lLongRun"), "Certain");
    EXPECT_TRUE(Text("lLongRunNote").startsWith("The return is not above 100 %"));
    const double bet = 5 * 0.25;
    for (const auto& [name, key, decimals] :
         {std::tuple{"Mean", "mean", 2}, std::tuple{"Deviation", "standard_deviation", 2},
          std::tuple{"Quantile5", "quantile_5", -1}, std::tuple{"Median", "median", -1},
          std::tuple{"Quantile95", "quantile_95", -1}}) {
        SCOPED_TRACE(name);
        const double bets = cli[key];
        EXPECT_EQ(Text(qPrintable(QString("l%1Bets").arg(name))), Figure(bets, decimals));
        EXPECT_EQ(Text(qPrintable(QString("l%1Money").arg(name))), Dollars(bets * bet));
    }
    EXPECT_EQ(Text("lQuantile5Bets"), "-533");
    EXPECT_EQ(Text("lMedianMoney"), "-$220.00");
    const auto& top = cli["top_line"];
    EXPECT_EQ(Text("lTopLine"), QString("Royal Flush comes once in %1 hands")
                                    .arg(static_cast<double>(top["mean_hands"]), 0, 'f', 2));
    EXPECT_EQ(Text("lTopLineMedian"), QString("%1 hands").arg(int64_t{top["median_hands"]}));
    EXPECT_EQ(Text("lNoTopLine"),
              QString::number(100 * static_cast<double>(top["none_within_hands"]), 'g', 6) + " %");
    EXPECT_EQ(Text("lNoTopLineLabel"), "No Royal Flush in 10000 hands");
    const double without = top["mean_result_without"];
    EXPECT_EQ(Text("lWithoutTopLineBets"), Figure(without, 2));
    EXPECT_EQ(Text("lWithoutTopLineMoney"), Dollars(without * bet));

    // The distribution: the session's results as percentages, as many as the
    // width shows, its peak kept, between the quantiles and beyond them.
    TBankrollPlots& charts = window->Charts();
    const TSessionDistribution& session = figures.Session;
    const QList<QPointF> results = charts.DistributionSeries().points();
    ASSERT_EQ(session.Step, 5); // a point a bet
    ASSERT_GT(results.size(), 300);
    double peak = 0;
    for (const QPointF& p : results) {
        const auto index = static_cast<size_t>(std::llround(p.x()) - session.First);
        ASSERT_LT(index, session.Probability.size()) << p.x();
        EXPECT_DOUBLE_EQ(p.y(), 100 * session.Probability[index]);
        peak = std::max(peak, p.y());
    }
    EXPECT_DOUBLE_EQ(
        peak, 100 * *std::max_element(session.Probability.begin(), session.Probability.end()));
    EXPECT_LT(results.front().x(), -533);
    EXPECT_GT(results.back().x(), 779);
    EXPECT_LE(peak, Axis(charts.DistributionChart(), Qt::Vertical)->max());
    // The risk falls as the bankroll grows, through the chosen bankroll's figure.
    const QList<QPointF> risk = charts.CurveSeries().points();
    ASSERT_EQ(risk.size(), TBankrollWindow::kCurvePoints);
    EXPECT_EQ(risk.front().x(), 80);
    EXPECT_EQ(risk.back().x(), 2400);
    for (qsizetype i = 1; i < risk.size(); ++i) EXPECT_LE(risk[i].y(), risk[i - 1].y());
    ASSERT_EQ(charts.ChosenPoint().count(), 1);
    EXPECT_EQ(charts.ChosenPoint().at(0).x(), 800);
    EXPECT_NEAR(charts.ChosenPoint().at(0).y(), 100 * ruin, 1e-10);
    EXPECT_EQ(Axis(charts.CurveChart(), Qt::Horizontal)->titleText(), "Bankroll, bets");
    EXPECT_EQ(Axis(charts.CurveChart(), Qt::Vertical)->titleText(), "Risk of ruin, %");
}

// The button beside the return opens the window on the paytable on show,
// once its return is known.
TEST_F(BankrollWindowTest, TheChoiceOpensItForThePaytableOnShow) {
    TSession session(*preferences);
    session.SelectGame(kJacks, 0);
    session.SetCoinIndex(2);
    TSelectController controller;
    controller.Init(session);
    TChooseGameWindow choose(nullptr, controller, *preferences);
    choose.SetCoinIndex(session.CoinIndex());
    choose.show();
    auto* button = choose.findChild<QPushButton*>("btnBankroll");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Bankroll...");
    ClickButton(choose, "btnNext");
    EXPECT_FALSE(button->isEnabled()); // the return is still being worked out
    QTRY_VERIFY_WITH_TIMEOUT(choose.Returns().Shown().has_value(), kFiguresWaitMs);
    EXPECT_TRUE(button->isEnabled());
    std::vector<int> pays;
    QString header;
    double coin = 0;
    WhenModal([&](QWidget& dialog) {
        auto& bankroll = static_cast<TBankrollWindow&>(dialog);
        pays = bankroll.Hand().LinePays();
        header = dialog.findChild<QLabel*>("lGame")->text();
        coin = bankroll.MoneyPerCoin();
        ClickButton(dialog, "btnClose");
    });
    ClickButton(choose, "btnBankroll");
    EXPECT_EQ(pays, choose.Returns().ShownPays());
    EXPECT_NE(pays, kJacks96);
    EXPECT_TRUE(header.endsWith(
        QString::number(static_cast<double>(choose.Returns().Shown()->ReturnPercent), 'f', 4) +
        " %"));
    EXPECT_EQ(coin, 1.0); // the trainer's coin
}

// A new bankroll or number of hands starts a new job; the unit and, counted
// in bets, the coin value only change how the figures read.
TEST_F(BankrollWindowTest, ChangedInputsAreWorkedOutAgain) {
    Open();
    WaitForFigures();
    const QString ruin = Text("lRuin");
    Find<QSpinBox>("seHands")->setValue(1000);
    EXPECT_TRUE(window->Running());
    EXPECT_FALSE(Find<QWidget>("FiguresPanel")->isEnabled()); // the old figures, greyed
    WaitForFigures();
    EXPECT_TRUE(Find<QWidget>("FiguresPanel")->isEnabled());
    EXPECT_EQ(window->Shown()->Question().Hands, 1000);
    EXPECT_NE(Text("lRuin"), ruin);
    EXPECT_EQ(Text("lRuinLabel"), "Risk of ruin within 1000 hands");
    const auto mean = static_cast<double>(window->Shown()->Figures().Session.Mean / 5);
    EXPECT_EQ(Text("lMeanMoney"), Dollars(mean * 1.25));
    const long double thousandHands = window->Shown()->Figures().Ruin.Probability;

    auto* unit = Find<QComboBox>("cbBankrollUnit");
    auto* bankroll = Find<QDoubleSpinBox>("edBankroll");
    unit->setCurrentIndex(TBankrollWindow::buMoney);
    EXPECT_EQ(bankroll->value(), 1000); // 800 bets of five quarters
    EXPECT_FALSE(window->Running());
    TBankrollPlots& charts = window->Charts();
    EXPECT_EQ(charts.ChosenPoint().at(0).x(), 1000);
    EXPECT_EQ(Axis(charts.CurveChart(), Qt::Horizontal)->titleText(), "Bankroll, dollars");
    EXPECT_EQ(Axis(charts.DistributionChart(), Qt::Horizontal)->titleText(), "Result, dollars");

    // The same money buys a quarter as many dollar coins.
    // The coins are listed by value; each item carries its stored index.
    auto* coins = Find<QComboBox>("cbCoinValue");
    EXPECT_EQ(coins->itemText(0), "$0.01");
    coins->setCurrentIndex(coins->findData(2)); // $1
    EXPECT_EQ(bankroll->value(), 1000);
    EXPECT_TRUE(window->Running());
    WaitForFigures();
    EXPECT_EQ(window->Shown()->Question().BankrollCoins, 1000);
    EXPECT_EQ(Text("lMeanMoney"), Dollars(mean * 5));
    EXPECT_GT(window->Shown()->Figures().Ruin.Probability, thousandHands); // 200 bets left

    // Counted in bets, another coin keeps the bets and reprices them.
    unit->setCurrentIndex(TBankrollWindow::buBets);
    EXPECT_EQ(bankroll->value(), 200);
    coins->setCurrentIndex(coins->findData(3)); // $5
    EXPECT_FALSE(window->Running());
    EXPECT_EQ(Text("lMeanMoney"), Dollars(mean * 25));
    // Typing and taking it back within the delay starts nothing.
    bankroll->setValue(201);
    bankroll->setValue(200);
    EXPECT_FALSE(window->Running());
}

// Closing stops a long computation at once instead of waiting for it.
TEST_F(BankrollWindowTest, ClosingDuringAComputationReturnsPromptly) {
    Open();
    Find<QDoubleSpinBox>("edBankroll")->setValue(3000);
    Find<QSpinBox>("seHands")->setValue(100000);
    QTest::qWait(TBankrollWindow::kInputDelayMs + 50);
    ASSERT_TRUE(window->Running());
    QElapsedTimer clock;
    clock.start();
    window->reject();
    window.reset();
    EXPECT_LT(clock.elapsed(), 1000);
}

// A game that returns more than 100 % keeps some bankrolls for ever; a table
// that pays nothing loses every one in as many hands as it holds bets.
TEST_F(BankrollWindowTest, GamesAboveAHundredPercentAndTablesThatPayNothing) {
    TPaytableReturn generous;
    generous.LineProbability = {0.001L, 0, 0, 0, 0, 0, 0, 0.2L, 0.3L};
    generous.NothingProbability = 0.499L;
    generous.ReturnPercent = 150;
    Open(kJacks96, generous);
    WaitForFigures();
    EXPECT_NE(window->Shown()->Figures().LongRun.Kind, TLongRunRuin::TKind::Certain);
    EXPECT_TRUE(Text("lLongRun").endsWith(" %"));
    EXPECT_TRUE(Text("lLongRunNote").isEmpty());

    TPaytableReturn nothing;
    nothing.LineProbability.assign(9, 0.1L);
    nothing.NothingProbability = 0.1L;
    Open(std::vector<int>(9, 0), nothing);
    WaitForFigures();
    EXPECT_EQ(Text("lRuin"), "100 %");
    EXPECT_EQ(Text("lLongRun"), "Certain");
    EXPECT_EQ(Text("lTopLine"), "No line of this paytable pays.");
    EXPECT_TRUE(Text("lNoTopLine").isEmpty());
}

TEST_F(BankrollWindowTest, TextsAndHelpFollowTheLanguage) {
    Open();
    EXPECT_EQ(testing::HelpPageAfterF1(*window), "bankroll.html");
    WaitForFigures();
    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    preferences->Apply();
    EXPECT_EQ(window->windowTitle(), "Банкролл");
    EXPECT_TRUE(Text("lGame").startsWith("Валеты или старше, ")) << Text("lGame").toStdString();
    EXPECT_EQ(Text("lRuinLabel"), "Риск разорения за сессию");
    EXPECT_EQ(Text("lLongRun"), "Неизбежно");
    EXPECT_EQ(Text("lColumnMoney"), "Доллары");
    EXPECT_EQ(Text("lTopLineMedianLabel"), "Медиана ожидания, раздач");
    EXPECT_EQ(Find<QComboBox>("cbBankrollUnit")->itemText(0), "в ставках");
    EXPECT_EQ(Find<QPushButton>("btnClose")->text(), "Закрыть");
    TBankrollPlots& charts = window->Charts();
    EXPECT_EQ(Axis(charts.CurveChart(), Qt::Horizontal)->titleText(), "Банкролл в ставках");
    EXPECT_EQ(charts.DistributionChart().title(), "Итог сессии (раздач: 10000)");
    // The longer Russian captions widen the column instead of being cut off.
    QApplication::processEvents();
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    }
    EXPECT_EQ(testing::HelpPageAfterF1(*window), "bankroll.html");
    const QString page = QString::fromUtf8(testing::ReadFile(
        QFileInfo(preferences->HelpFileName()).path() + QStringLiteral("/bankroll.html")));
    EXPECT_TRUE(page.contains("Риск разорения"));
}

// Five hands a deal from 200 bets of one hand over 200 deals: the deal is
// summed in the background, then the figures are the command line's.
TEST_F(BankrollWindowTest, AChosenDealSizeGivesTheFiguresOfDeals) {
    Open();
    WaitForFigures();
    Find<QDoubleSpinBox>("edBankroll")->setValue(200);
    Find<QSpinBox>("seHands")->setValue(200);
    Find<QComboBox>("cbHandsPerDeal")->setCurrentText("5");
    EXPECT_EQ(window->HandsPerDeal(), 5);
    EXPECT_TRUE(window->Running());
    WaitForFigures();
    ASSERT_NE(window->Shown(), nullptr);
    EXPECT_EQ(window->Question().BankrollCoins, 1000); // still bets of one hand
    const auto cli = Cli({"--game", "0", "--paytable", "0", "--bankroll", "200", "--hands", "200",
                          "--hands-per-deal", "5"});
    EXPECT_EQ(static_cast<double>(window->Shown()->Figures().Ruin.Probability),
              cli["risk_of_ruin"].get<double>());
    EXPECT_EQ(Text("lRuin"), "1.90182 %");
    // What counts deals says so.
    EXPECT_EQ(Text("lRuinLabel"), "Risk of ruin within 200 deals");
    EXPECT_EQ(Text("lHandsLabel"), "Dea&ls:");
    EXPECT_EQ(Text("lGoalWithinLabel"), "within 200 deals");
}

// A cash-back, a win goal and a target risk give the command line's figures;
// a value out of range is refused by its field, which says why. A low
// paytable keeps the long run certain, which its equations need not say.
TEST_F(BankrollWindowTest, CashbackGoalAndTargetRiskAreTheCommandLines) {
    const std::vector<int> low = {4000, 200, 100, 25, 15, 10, 10, 5, 5};
    Open(low, AnalyzePaytable(*CreateDescription(kJacks), low, 5));
    Find<QDoubleSpinBox>("edBankroll")->setValue(100);
    Find<QSpinBox>("seHands")->setValue(300);
    auto* cashback = Find<TNumberField>("edCashback");
    cashback->setText("5");
    cashback->Take();
    Find<TNumberField>("edGoal")->setText("50");
    Find<TNumberField>("edGoal")->Take();
    EXPECT_EQ(window->Cashback(), 500);
    EXPECT_EQ(window->UnitsPerCoin(), 4); // a quarter coin: 5 % of five coins
    WaitForFigures();
    const auto cli =
        Cli({"--game", "0", "--pays", "4000,200,100,25,15,10,10,5,5", "--bankroll", "100",
             "--hands", "300", "--cashback", "5", "--goal", "50", "--target-risk", "5"});
    const TGoalFigures& goals = window->Shown()->Goals();
    EXPECT_EQ(static_cast<double>(window->Shown()->Figures().Ruin.Probability),
              cli["risk_of_ruin"].get<double>());
    EXPECT_EQ(static_cast<double>(goals.Goal.Goal), cli["goal_chance"].get<double>());
    EXPECT_EQ(static_cast<double>(goals.LongRunGoal.Goal),
              cli["goal_chance_unlimited"].get<double>());
    EXPECT_EQ(goals.Least.Units, cli["bankroll_for_target"].get<int64_t>());
    EXPECT_EQ(Text("lGoal"),
              QString::number(100 * cli["goal_chance"].get<double>(), 'g', 6) + " %");
    EXPECT_EQ(Text("lLeast"), QString("%1 bets ($%2)")
                                  .arg(goals.Least.Units)
                                  .arg(static_cast<double>(goals.Least.Units) * 1.25, 0, 'f', 2));
    EXPECT_EQ(Text("lGoalHeaderLabel"), "Win goal of 50 bets, reached before ruin");
    EXPECT_EQ(Text("lLongRunLeast"), "None: the return is not above 100 %");

    for (const char* typed : {"6", "-1", "0.125", "abc"}) {
        cashback->setText(typed);
        cashback->Take();
        EXPECT_EQ(cashback->text(), "5") << typed;
        EXPECT_EQ(Text("lInputNote"),
                  "Cash-back is 0 to 5 % of the coins played, with at most two decimals.");
    }
    auto* target = Find<TNumberField>("edTargetRisk");
    for (const char* typed : {"0", "100", "1e-3"}) {
        target->setText(typed);
        target->Take();
        EXPECT_EQ(target->text(), "5") << typed;
    }
    EXPECT_FALSE(window->Running()); // nothing refused is worked out
}

} // namespace
} // namespace drawmentor
