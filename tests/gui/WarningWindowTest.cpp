#include "ui/main/WarningWindow.h"

#include "ui/common/CardImage.h"
#include "ui/hands/AllHandsWindow.h"

#include "ui/main/MainWindow.h"

#include "cards/Cards.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

int Code(const char* text) {
    const auto card = ParseCardText(text);
    return EncodeCard(card->Rank, card->Suit);
}

class WarningWindowTest : public ::testing::Test {
  protected:
    WarningWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
        preferences->DealSpeed = 0;
        window = std::make_unique<TMainWindow>(*preferences);
        Session().SelectGame(0, 0); // Jacks or Better
        Session().SetMode(TPlayMode::pmTraining);
        Session().SetOption(kShowWarnings, true);
    }
    ~WarningWindowTest() override {
        window.reset();
        preferences.reset();
    }
    TSession& Session() { return window->Session(); }
    // Four to a royal flush: drawing five new cards throws most of it away.
    void DealFourToARoyal() {
        Session().StackCards({Code("AS"), Code("KS"), Code("QS"), Code("JS"), Code("9D")});
        window->DealOrDraw();
        ASSERT_EQ(Session().Hand().State(), TGameState::gsDealt);
        ASSERT_EQ(Session().Hand().DrawMask(), 31);
    }
    // Draws, answering the warning with `answer` (which gets the window).
    bool DrawAnswering(std::function<void(TWarningWindow&)> answer) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* warning = qobject_cast<TWarningWindow*>(QApplication::activeModalWidget());
            if (!warning) return;
            shown = true;
            answer(*warning);
        });
        window->DealOrDraw();
        return shown;
    }
    TLogRecord LastLogged() {
        TLogRecord record, last;
        Session().Logger().Rewind();
        while (Session().Logger().ReadNext(record)) last = record;
        return last;
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TMainWindow> window;
};

// A reflex draws nothing: Enter, as Space and Esc, goes back to the hand,
// whose hold may then change.
TEST_F(WarningWindowTest, EnterGoesBackToTheHoldAndNeverTurnsWarningsOff) {
    DealFourToARoyal();
    QString focused;
    ASSERT_TRUE(DrawAnswering([&](TWarningWindow& warning) {
        QWidget* focus = warning.focusWidget();
        ASSERT_NE(focus, nullptr);
        focused = focus->objectName();
        QTest::keyClick(focus, Qt::Key_Return); // a reflex
    }));
    EXPECT_EQ(focused, "btnBack");
    EXPECT_TRUE(Session().Rules().CanHold()) << "nothing drawn";
    EXPECT_TRUE(Session().Options() & kShowWarnings);
    Session().SetDrawMask(16); // changed to the best hold, it draws at once
    EXPECT_FALSE(DrawAnswering([](TWarningWindow& warning) { warning.reject(); }));
}

TEST_F(WarningWindowTest, TheHoldTakenFromTheWarningShowsItsBandsAtOnce) {
    DealFourToARoyal();
    const auto face = [&](int index) {
        return window->findChild<TCardImage*>(QStringLiteral("Card%1").arg(index + 1))->Image();
    };
    const QImage before = face(0);
    ASSERT_TRUE(DrawAnswering([](TWarningWindow& warning) { warning.accept(); }));
    ASSERT_EQ(Session().Hand().Record().DrawMask, 16);
    EXPECT_NE(face(0), before) << "the ace now held carries its band";
}

TEST_F(WarningWindowTest, TheThresholdItselfDoesNotWarn) {
    EXPECT_FALSE(WarrantsWarning(0.01L));
    EXPECT_FALSE(WarrantsWarning(kWarningThreshold)); // the threshold as the session holds it
    EXPECT_TRUE(WarrantsWarning(0.0100001L));
    EXPECT_FALSE(WarrantsWarning(0));
}

TEST_F(WarningWindowTest, DontShowWarningsAndCancelKeepThePlayersHold) {
    DealFourToARoyal();
    const bool shown = DrawAnswering([](TWarningWindow& warning) {
        warning.findChild<QCheckBox*>("cbWarnings")->setChecked(true);
        warning.findChild<QPushButton*>("btnCancel")->click();
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    EXPECT_FALSE(Session().Options() & kShowWarnings);
    EXPECT_EQ(Session().Hand().Record().DrawMask, 31);
    EXPECT_EQ(Session().Hand().Record().HintReturn, 0);
}

TEST_F(WarningWindowTest, ApplyDrawsTheBestHoldAndLogsTheHint) {
    DealFourToARoyal();
    EXPECT_TRUE(DrawAnswering(
        [](TWarningWindow& warning) { warning.findChild<QPushButton*>("btnApply")->click(); }));
    EXPECT_TRUE(Session().Options() & kShowWarnings);
    window->DealOrDraw(); // collects the hand into the log
    const TLogRecord logged = LastLogged();
    EXPECT_EQ(logged.DrawMask, logged.BestMask);
    EXPECT_EQ(logged.BestMask, 16); // the nine of diamonds goes
    EXPECT_GT(logged.HintReturn, 0);
    EXPECT_DOUBLE_EQ(logged.HintReturn, logged.BestReturn);
}

TEST_F(WarningWindowTest, AllHandsShowsTheHandInPlayWithoutClosingTheWarning) {
    DealFourToARoyal();
    int selected = -1;
    bool warningStayed = false;
    EXPECT_TRUE(DrawAnswering([&](TWarningWindow& warning) {
        auto* button = warning.findChild<QPushButton*>("btnAllHands");
        ASSERT_TRUE(button->isEnabled());
        QTimer::singleShot(0, [&] {
            auto* allHands = qobject_cast<TAllHandsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(allHands, nullptr);
            selected = allHands->SelectedMask();
            warningStayed = warning.isVisible();
            allHands->reject();
        });
        button->click();
        warning.reject();
    }));
    EXPECT_EQ(selected, 31); // the player's hold
    EXPECT_TRUE(warningStayed);
}

TEST_F(WarningWindowTest, TheBestHoldDrawsWithoutAWarning) {
    DealFourToARoyal();
    Session().SetDrawMask(16);
    EXPECT_FALSE(DrawAnswering([](TWarningWindow& warning) { warning.reject(); }));
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
}

TEST_F(WarningWindowTest, ShowsBothHoldsAndWhatTheDifferenceCosts) {
    DealFourToARoyal();
    Session().SetDrawMask(15); // keeps only the nine
    TWarningWindow warning(Session(), *preferences);
    warning.Retranslate();
    const auto text = [&](const char* name) { return warning.findChild<QLabel*>(name)->text(); };
    const double my = static_cast<double>(Session().Coach().PlayerReturn()) / 5;
    const double best = static_cast<double>(Session().Coach().BestReturn()) / 5;
    EXPECT_EQ(text("lMyEV"), QString::asprintf("%.5f%%", my * 100));
    EXPECT_EQ(text("lBestEVDollars"), QString::asprintf("$%.5f", 5 * best * 0.25));
    const QString money = QString::asprintf("%.5f", (best - my) * 5 * 0.25);
    const QString percent = QString::asprintf("%.5f", (best - my) * 100);
    EXPECT_EQ(text("lComment"), "This hold costs you $" + money + " on average, " + percent +
                                    "% of your bet. Apply the best hold, or cancel to keep yours.");
    EXPECT_EQ(text("lYourChoice"), "Your hold");
    EXPECT_TRUE(warning.findChild<QLabel*>("lBestWay")->font().bold());
    // The ace is held in the best row only, the nine in the player's row only.
    const auto card = [&](const char* name) {
        return warning.findChild<QLabel*>(name)->pixmap().toImage();
    };
    EXPECT_NE(card("MyCard1"), card("BestCard1"));
    EXPECT_NE(card("MyCard5"), card("BestCard5"));
    EXPECT_FALSE(warning.findChild<QPushButton*>("btnAllHands")->isEnabled());

    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_EQ(warning.windowTitle(), "Предупреждение");
    EXPECT_TRUE(text("lComment").startsWith("В среднем этот выбор обходится вам в $" + money));
}

TEST_F(WarningWindowTest, AfterACostlyDrawTheMessageLineSaysWhatTheHoldCost) {
    Session().SetOption(kShowWarnings, false);
    const auto message = [&] { return window->findChild<QLabel*>("lInfoLabel")->text(); };
    DealFourToARoyal();
    window->DealOrDraw(); // all five replaced
    const TLogRecord& drawn = Session().Hand().Record();
    EXPECT_TRUE(message().endsWith(QString::asprintf("Your hold %.2f, best %.2f coins for the bet "
                                                     "(serious error)",
                                                     drawn.Return, drawn.BestReturn)))
        << message().toStdString();
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_TRUE(message().contains("серьёзная ошибка")) << message().toStdString();
    Session().SetOption(kShowWarnings, true);
    DealFourToARoyal();
    Session().SetDrawMask(16);
    window->DealOrDraw(); // the best hold: nothing new to say
    EXPECT_FALSE(message().contains("Ваш выбор")) << message().toStdString();
}

TEST_F(WarningWindowTest, F1OpensTheWarningTopic) {
    DealFourToARoyal();
    TWarningWindow warning(Session(), *preferences);
    warning.Retranslate();
    warning.show();
    QApplication::setActiveWindow(&warning);
    QTest::keyClick(&warning, Qt::Key_F1);
    QTextBrowser* browser = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "fHelp" && top->isVisible())
            browser = top->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().path().endsWith("/warning.html"));
    browser->window()->close();
}

} // namespace
} // namespace drawmentor
