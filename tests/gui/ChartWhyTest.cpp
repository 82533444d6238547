#include "ui/chart/ChartWhyText.h"
#include "ui/common/MessageBox.h"
#include "ui/log/ErrorsModel.h"
#include "ui/main/HoldCostMessage.h"
#include "ui/main/MenuCommand.h"
#include "ui/main/WarningWindow.h"
#include "ui/quiz/QuizWindow.h"

#include "games/Catalogue.h"
#include "play/ChartCacheFile.h"
#include "play/Logger.h"

#include "support/JacksChart.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <numeric>
#include <random>
#include <sstream>

namespace drawmentor {
namespace {

using testing::JacksChart;

std::vector<int> Codes(const std::string& text) {
    return testing::CardCodes(text);
}

// The trainer's words on a hold once the chart of 9/6 Jacks or Better (the
// first stored paytable, at five coins) is in the cache.
class ChartWhyTest : public testing::TWindowFixture {
  protected:
    ChartWhyTest() {
        SharedUserChartCache()->Store(JacksChart());
        Session().SelectGame(0, 0);
        Session().SetBet(5);
    }
    void DealAndHold(const std::string& cards, int mask) {
        Session().StackCards(Codes(cards));
        Session().Deal();
        Session().SetDrawMask(mask);
    }
    QString Why() {
        const auto advice = Session().Coach().HoldAdvice();
        return advice ? HoldWhyText(*advice, *Session().Coach().Chart().Chart(), *preferences)
                      : QString();
    }
    // The line of the chart whose key starts so, counted from 1 as players do.
    static QString LineNumber(const char* prefix) {
        for (size_t i = 0; i < JacksChart().Lines.size(); ++i)
            if (JacksChart().Lines[i].Key.rfind(prefix, 0) == 0) return QString::number(i + 1);
        return {};
    }
};

TEST_F(ChartWhyTest, ALowPairHeldOverFourToARoyalInBothLanguages) {
    DealAndHold("TH JH QH KH TD", 0b01110);
    const QString english = QStringLiteral("You held Low Pair (22–TT) (line %1); the chart plays 4 "
                                           "to a Royal Flush (line %2).")
                                .arg(LineNumber("kind2[g0]"), LineNumber("royal4"));
    EXPECT_EQ(Why(), english);

    // The warning shows it beneath what the hold costs.
    TWarningWindow warning(Session(), *preferences);
    warning.Retranslate();
    EXPECT_EQ(warning.findChild<QLabel*>("lWhy")->text(), english);

    // So does the message line after the draw.
    Session().Draw();
    EXPECT_TRUE(HoldCostMessage(Session(), *preferences).endsWith(english))
        << HoldCostMessage(Session(), *preferences).toStdString();
    Session().Collect();

    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    DealAndHold("TH JH QH KH TD", 0b01110);
    EXPECT_TRUE(Why().startsWith(QString::fromUtf8("Вы оставили: ")));
    EXPECT_TRUE(Why().contains(QString::fromUtf8("(строка %1)").arg(LineNumber("royal4"))));
    warning.Fill();
    EXPECT_EQ(warning.findChild<QLabel*>("lWhy")->text(), Why());

    // The hint says which line it holds.
    preferences->SetInterfaceLanguage(QStringLiteral("ENG"));
    Window().Hint();
    const QString hint =
        QStringLiteral("The chart plays 4 to a Royal Flush (line %1).").arg(LineNumber("royal4"));
    EXPECT_EQ(Find<QLabel>("lInfoLabel")->text(), hint);
    // It stays through a change of the table's size, which redraws everything.
    Window().findChild<QAction*>(QStringLiteral("miSizeLarge"))->trigger();
    EXPECT_EQ(Find<QLabel>("lInfoLabel")->text(), hint);
}

// A language the program does not ship speaks by its file alone, in the
// chart's words and in the sentence around them; English stands in for the
// texts it lacks.
TEST_F(ChartWhyTest, AnotherLanguageIsAFileAway) {
    DealAndHold("TH JH QH KH TD", 0b01110);
    {
        const testing::TTempFolders own(QStringLiteral(DRAWMENTOR_SOURCE_DIR "/tests/data"));
        preferences->SetInterfaceLanguage(QStringLiteral("DEU"));
    }
    EXPECT_EQ(Why(), QStringLiteral("Gehalten: Niedriges Paar (22–TT) (Zeile %1); die Tabelle "
                                    "spielt 4 zum Royal Flush (Zeile %2).")
                         .arg(LineNumber("kind2[g0]"), LineNumber("royal4")));
    const TChartAdvice advice = *Session().Coach().HoldAdvice();
    EXPECT_EQ(
        HintWhyText(advice, JacksChart(), *preferences),
        QStringLiteral("The chart plays 4 zum Royal Flush (Zeile %1).").arg(LineNumber("royal4")));
    preferences->SetInterfaceLanguage(QStringLiteral("ENG"));
}

// On a hand the chart plays worse than the best hold, the trainer says so
// plainly, whether the player followed the chart or not.
TEST_F(ChartWhyTest, TheChartsOwnExceptionsAreNamed) {
    TChartAdvisor advisor(JacksChart());
    std::mt19937 random(3);
    std::array<int, kHandSize> hand{};
    TChartAdvice advice;
    for (int deal = 0; deal < 40000; ++deal) {
        std::vector<int> deck(52);
        std::iota(deck.begin(), deck.end(), 0);
        std::shuffle(deck.begin(), deck.end(), random);
        std::copy(deck.begin(), deck.begin() + kHandSize, hand.begin());
        advice = advisor.Advise(hand, 31, advisor.BestMask(hand));
        if (!advice.ChartIsBest) break;
    }
    ASSERT_FALSE(advice.ChartIsBest);
    std::string cards;
    for (int code : hand) cards += CardCodeText(code) + " ";
    DealAndHold(cards, advice.ChartMask);
    EXPECT_TRUE(Why().startsWith("You played the chart, ")) << Why().toStdString();
    EXPECT_TRUE(Why().contains("a rare exception to it")) << Why().toStdString();
    Window().Hint();
    EXPECT_TRUE(Find<QLabel>("lInfoLabel")->text().contains("a rare exception to the chart"));
}

// Without the chart of the bet in play the trainer says what it always said.
TEST_F(ChartWhyTest, NoChartNoWordFromIt) {
    ASSERT_TRUE(Session().SetBet(1));
    DealAndHold("TH JH QH KH TD", 0b01110);
    EXPECT_FALSE(Session().Coach().HoldAdvice());
    Session().Draw();
    EXPECT_FALSE(HoldCostMessage(Session(), *preferences).contains("chart"));
}

// The errors list's tooltips, and a drill chosen from the chart window.
TEST_F(ChartWhyTest, ErrorsListAndDrillFromTheMenu) {
    DealAndHold("TH JH QH KH TD", 0b01110);
    Session().Draw();
    Session().Collect();
    TErrorsModel errors;
    errors.Refresh(Session().Logger(), *preferences, ~0u);
    ASSERT_EQ(errors.rowCount(), 1);
    EXPECT_TRUE(errors.data(errors.index(0, 0), Qt::ToolTipRole)
                    .toString()
                    .startsWith("You held Low Pair"));

    QTimer::singleShot(0, [] {
        QWidget* chart = QApplication::activeModalWidget();
        ASSERT_NE(chart, nullptr);
        auto* button = chart->findChild<QPushButton*>("btnDrillErrors");
        ASSERT_TRUE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    });
    Window().Menu().Item(TMenuCommand::StrategyChart)->trigger();
    ASSERT_NE(Session().Coach().Drill(), nullptr);
    EXPECT_EQ(Session().Coach().Drill()->Lines(),
              std::vector<int>{LineNumber("royal4").toInt() - 1});
    EXPECT_EQ(Session().Mode(), TPlayMode::pmTraining);
    // The table says a drill is on, and of which lines.
    const auto* name = Window().findChild<QLabel*>("lPokerName");
    EXPECT_TRUE(name->text().endsWith("drill of chart lines " + LineNumber("royal4")))
        << name->text().toStdString();
    Window().Menu().Refresh();
    EXPECT_TRUE(Window().Menu().Item(TMenuCommand::EndDrill)->isEnabled());
    Window().Menu().Item(TMenuCommand::EndDrill)->trigger();
    EXPECT_EQ(Session().Coach().Drill(), nullptr);
    EXPECT_FALSE(name->text().contains("drill")) << name->text().toStdString();
}

// Drill My Weakest Lines wants a few hands with errors first, then drills
// the line played worst.
TEST_F(ChartWhyTest, TheWeakestLinesAreDrilledFromTheMenu) {
    QAction* drill = Window().Menu().Item(TMenuCommand::DrillWeakLines);
    for (int hand = 0; hand < 5; ++hand) {
        if (hand == 4) {
            TMessageBox::SetNextAnswer(QMessageBox::Ok);
            drill->trigger(); // four hands are not enough
            EXPECT_TRUE(TMessageBox::LastText().contains("5 hands"))
                << TMessageBox::LastText().toStdString();
            EXPECT_EQ(Session().Coach().Drill(), nullptr);
        }
        DealAndHold("TH JH QH KH TD", hand < 2 ? 0b01110 : 0b10000);
        Session().Draw();
    }
    Session().Collect();
    drill->trigger();
    ASSERT_NE(Session().Coach().Drill(), nullptr);
    EXPECT_EQ(Session().Coach().Drill()->Lines(),
              std::vector<int>{LineNumber("royal4").toInt() - 1});
}

// The quiz from the menu: keys hold the best cards, Enter judges and deals
// anew; the answer is on its schedule and nowhere in the game log.
TEST_F(ChartWhyTest, TheQuizJudgesAHoldAndLogsNoHand) {
    const int logged = Session().Logger().Count();
    const int credits = Session().Counters().Credits();
    QString verdict;
    QTimer::singleShot(0, [&] {
        auto* quiz = qobject_cast<TQuizWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(quiz, nullptr);
        QApplication::setActiveWindow(quiz); // the main window's play keys give way to it
        TChartAdvisor judge(JacksChart());
        const int best = judge.BestMask(quiz->Quiz().Dealt());
        for (int position = 0; position < 5; ++position)
            if (!IsBitSet(best, position))
                QTest::keyClick(quiz, static_cast<Qt::Key>(Qt::Key_1 + position));
        EXPECT_EQ(quiz->Quiz().DrawMask(), best);
        QTest::keyClick(quiz, Qt::Key_Return);
        verdict = quiz->findChild<QLabel*>("lQuizVerdict")->text();
        auto* lines = quiz->findChild<QTableView*>("QuizLines")->model();
        const int row = quiz->Quiz().DealLine();
        EXPECT_EQ(lines->index(row, 3).data().toInt(), 1);
        EXPECT_EQ(quiz->findChild<QTableView*>("QuizDays")->model()->rowCount(), 1);
        QTest::keyClick(quiz, Qt::Key_Return);
        EXPECT_FALSE(quiz->Quiz().Verdict());
        EXPECT_EQ(quiz->findChild<QLabel*>("lQuizVerdict")->text(), "");
        quiz->accept();
    });
    Window().Menu().Item(TMenuCommand::Quiz)->trigger();
    EXPECT_TRUE(
        verdict.startsWith("Right: your hold is worth as much as the best one.\nYour hold: "))
        << verdict.toStdString();
    EXPECT_TRUE(verdict.contains("\nBest hold: ")) << verdict.toStdString();
    EXPECT_EQ(Session().Logger().Count(), logged);
    EXPECT_EQ(Session().Counters().Credits(), credits);
    EXPECT_EQ(QDir(folders.Data() + "/Quiz").entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace drawmentor
