#include "ui/main/MainWindow.h"
#include "ui/app/Application.h"
#include "ui/app/SingleInstance.h"
#include "ui/app/StopSignals.h"
#include "ui/common/AboutWindow.h"
#include "ui/common/CardButton.h"
#include "ui/common/CardImage.h"
#include "ui/common/GradientLabel.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/hands/AllHandsModel.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/AnalyseHandWindow.h"
#include "ui/main/CardTable.h"
#include "ui/main/CounterPanel.h"
#include "ui/main/FirstStart.h"
#include "ui/main/PayoutGrid.h"

#include "core/Error.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"
#include "support/WindowFixture.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>

#include <algorithm>
#include <memory>
#include <vector>

namespace drawmentor {
namespace {

class MainWindowTest : public testing::TWindowFixture {
  protected:
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    void Click(const char* button) { QTest::mouseClick(Find<TCardButton>(button), Qt::LeftButton); }
    void Key(Qt::Key key) {
        QTest::keyClick(window.get(), key);
        QApplication::processEvents();
    }
    // Plays hands with the hint until one wins; false if none did.
    bool PlayUntilAWin() {
        for (int hand = 0; hand < 300; ++hand) {
            Click("btnDeal");
            Key(Qt::Key_H);
            Click("btnDeal");
            if (Session().Hand().CurrentWin() > 0) return true;
        }
        return false;
    }
};

TEST_F(MainWindowTest, PlayWithMouseAndKeys) {
    EXPECT_EQ(Find<TCardButton>("btnDeal")->text(), "Deal");
    EXPECT_FALSE(Find<TCardButton>("btnHint")->isEnabled());
    EXPECT_EQ(Text("lCredit"), "2500");
    Click("btnDeal");
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(Find<TCardButton>("btnDeal")->text(), "Draw");
    EXPECT_TRUE(Find<TCardButton>("btnHint")->isEnabled());
    EXPECT_EQ(Text("lCredit"), "2495");
    EXPECT_EQ(Find<QLabel>("lInfoLabel")->text(),
              "Click the cards you want to hold, then press Draw");
    EXPECT_EQ(Session().Hand().DrawMask(), 31);
    QTest::mouseClick(Find<QWidget>("Card1"), Qt::LeftButton);
    EXPECT_EQ(Session().Hand().DrawMask(), 30);
    Key(Qt::Key_3);
    EXPECT_EQ(Session().Hand().DrawMask(), 26);
    Key(Qt::Key_Escape); // every hold released
    EXPECT_EQ(Session().Hand().DrawMask(), 31);
    Key(Qt::Key_H);
    EXPECT_EQ(Session().Hand().DrawMask(), Session().Hand().Record().BestMask);
    Key(Qt::Key_Space);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    EXPECT_EQ(Find<TCardButton>("btnDeal")->text(), "Deal");
    EXPECT_EQ(Text("lWin"), QString::number(Session().Hand().CurrentWin()));
    Click("btnDeal");
    EXPECT_EQ(Session().Logger().Count(), 1);
    EXPECT_EQ(Text("lHands"), "1");
    EXPECT_EQ(Text("lCredit"), QString::number(Session().Counters().Credits()));
}

TEST_F(MainWindowTest, CardsTurnOneByOneAndPlayWaitsUntilTheyAreShown) {
    preferences->DealSpeed = 20;
    QSignalSpy revealed(window.get(), &TMainWindow::CardRevealed);
    Click("btnDeal"); // five backs first, then the new cards one by one
    EXPECT_EQ(revealed.count(), 0);
    Key(Qt::Key_1); // pressed while the cards turn: nothing happens
    Click("btnDeal");
    ASSERT_TRUE(QTest::qWaitFor([&] { return revealed.count() == 5; }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(Session().Hand().DrawMask(), 31);
    EXPECT_EQ(Session().Counters().Credits(), 2495) << "one deal, not two";
    Key(Qt::Key_1);
    EXPECT_EQ(Session().Hand().DrawMask(), 30);
    revealed.clear();
    Click("btnDeal"); // four backs, then the draw: the hold can no longer change
    Key(Qt::Key_2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return revealed.count() == 4; }, 2000));
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    EXPECT_EQ(Session().Hand().Record().DrawMask, 30);
    EXPECT_EQ(Session().Hand().CardAt(0), Session().Hand().Record().Dealt[0]);
}

TEST_F(MainWindowTest, WithoutResultHandsOnePressSettlesAndDeals) {
    Session().SetOption(kShowResultHands, false);
    Click("btnDeal");
    Click("btnDeal");
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt); // the result hand was never shown
    EXPECT_EQ(Session().Counters().Hands(), 1);
    EXPECT_EQ(Session().Logger().Count(), 1);
}

TEST_F(MainWindowTest, BetChangesOnlyWithoutAHandInPlay) {
    EXPECT_FALSE(window->SelectBet(6)); // Plus at 5
    Key(Qt::Key_Plus);
    EXPECT_EQ(Session().Game().Bet(), 5);
    Key(Qt::Key_Minus);
    EXPECT_EQ(Session().Game().Bet(), 4);
    EXPECT_EQ(Text("lBet"), "4");
    auto* grid = Find<TPayoutGrid>("PayoutGrid");
    int x = grid->Layout().Columns[0] + grid->Layout().Columns[1] + 5; // the 2-coin column
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(x, 5));
    EXPECT_EQ(Session().Game().Bet(), 2);
    Click("btnDeal");
    Key(Qt::Key_Minus);
    EXPECT_EQ(Session().Game().Bet(), 2); // refused while dealt
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(x + 100, 5));
    EXPECT_EQ(Session().Game().Bet(), 2);
    window->SelectBet(1);
    EXPECT_FALSE(window->SelectBet(0));
}

// As on a machine: Bet One steps up and wraps from five to one, Max Bet bets
// five and deals at once; neither touches a hand in play.
TEST_F(MainWindowTest, BetOneAndMaxBetAndTheGlassThatShowsThem) {
    Click("btnBetOne");
    Key(Qt::Key_B);
    EXPECT_EQ(Text("lBet"), "2"); // five wrapped to one, then two
    Click("btnMaxBet");
    EXPECT_EQ(Session().Hand().Record().Bet, 5);
    Key(Qt::Key_B);
    Key(Qt::Key_M);
    EXPECT_EQ(Session().Counters().Credits(), 2495) << "one deal, at five coins";
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
    // The paytable is a machine's glass: blue, the bet's column red, the
    // winning line gold, flashing a moment after the win, then lit.
    auto* grid = Find<TPayoutGrid>("PayoutGrid");
    const auto cell = [grid](int column, int row) {
        const QRect at = grid->Texts()[static_cast<size_t>(row * 6 + column)].Rect;
        const QColor c = grid->grab().toImage().pixelColor(at.topLeft() + QPoint(2, 2));
        return c.blue() > c.red() + 60 ? 'b' : c.green() < 100 ? 'r' : c.blue() < 120 ? 'g' : '?';
    };
    Click("btnDeal"); // the draw
    ASSERT_TRUE(PlayUntilAWin());
    const int line = Session().Hand().CurrentLine(), other = line == 0 ? 1 : 0;
    EXPECT_EQ((std::string{cell(0, other), cell(4, other), cell(5, other), cell(0, line)}), "bbrg");
    grid->findChild<QTimer*>("winFlash")->setInterval(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell(0, line) == 'b'; }, 2000)) << "dark a moment";
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell(0, line) == 'g'; }, 2000)) << "then lit";
}

TEST_F(MainWindowTest, DoubleUpPicks) {
    ASSERT_TRUE(PlayUntilAWin());
    const int win = Session().Hand().CurrentWin();
    EXPECT_TRUE(Find<TCardButton>("btnDoubleUp")->isEnabled());
    Session().StackCards(
        {14, 15, 12, 16, 17}); // the dealer's three of clubs against the ace of spades
    Key(Qt::Key_D);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDoubleUp);
    EXPECT_FALSE(Find<TCardButton>("btnDeal")->isEnabled());
    EXPECT_FALSE(Find<TCardButton>("btnDoubleUp")->isEnabled());
    Key(Qt::Key_1); // the dealer's card is no pick
    QTest::mouseClick(Find<QWidget>("Card1"), Qt::LeftButton);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDoubleUp);
    QSignalSpy revealed(window.get(), &TMainWindow::CardRevealed);
    QTest::mouseClick(Find<QWidget>("Card3"), Qt::LeftButton);
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    ASSERT_EQ(revealed.count(), 4);
    EXPECT_EQ(revealed[0][0].toInt(), 2); // the pick first, then the others left to right
    EXPECT_EQ(revealed[1][0].toInt(), 1);
    EXPECT_EQ(revealed[2][0].toInt(), 3);
    EXPECT_EQ(revealed[3][0].toInt(), 4);
    EXPECT_EQ(Session().Hand().CurrentWin(), 2 * win);
    EXPECT_EQ(Text("lWin"), QString::number(Session().Hand().CurrentWin()));
}

TEST_F(MainWindowTest, PlayKeysReachTheGameWhenTheMenuBarHasTheKeyboard) {
    Click("btnDeal");
    window->menuBar()->setFocus(); // as a menu closed with Esc leaves it
    QTest::keyClick(window->menuBar(), Qt::Key_H);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
    EXPECT_FALSE(window->menuBar()->hasFocus());
    EXPECT_EQ(Session().Hand().DrawMask(), Session().Hand().Record().BestMask)
        << "the hint was taken";
}

TEST_F(MainWindowTest, ExitSettlesTheHandLikeTheCloseButton) {
    Click("btnDeal");
    EXPECT_EQ(Session().Counters().Credits(), 2495);
    ASSERT_TRUE(ShowHelp(window.get(), 100, *preferences));
    ASSERT_TRUE(TopLevel("fHelp") && TopLevel("fHelp")->isVisible());
    Find<QAction>("miExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    // Nothing is left open to keep the program running.
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
    EXPECT_FALSE(Session().Hand().IsOpen());
    EXPECT_EQ(Session().Counters().Credits(), 2500); // a hand not drawn is refunded
    EXPECT_EQ(Find<QAction>("miExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

// Logging out sends SIGTERM: the program ends as Exit ends it, hand collected.
TEST_F(MainWindowTest, ATerminationRequestClosesTheTableLikeExit) {
    const TStopSignals stop;
    Click("btnDeal");
    std::raise(SIGTERM);
    QTRY_VERIFY(!window->isVisible());
    EXPECT_FALSE(Session().Hand().IsOpen());
}

// Ended without its exit (killed, or a logout that does not wait), the
// program has lost no choice: each reaches the settings file as it is made.
TEST_F(MainWindowTest, ChoicesReachTheSettingsFileWithoutAnExit) {
    Key(Qt::Key_Minus);
    Find<QAction>("miSizeLarge")->trigger();
    const auto stored = [this](const char* line) {
        return folders.ReadDataFile("DrawMentor.ini").contains(line);
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return stored("\nBet=4\n") && stored("\nSize=1\n"); }, 2000));
}

// A new deal starts from five backs: nothing of the hand before it turns over.
TEST_F(MainWindowTest, ADealTurnsOverFromBacksOnly) {
    Click("btnDeal");
    Session().SetDrawMask(0); // every card held, each with its band
    Click("btnDeal");
    preferences->DealSpeed = 40;
    Click("btnDeal");
    const auto cards = Find<TCardTable>("CardsPanel")->findChildren<TCardImage*>();
    ASSERT_EQ(cards.size(), 5);
    for (const TCardImage* card : cards) EXPECT_EQ(card->Image(), cards[0]->Image());
    QTRY_VERIFY_WITH_TIMEOUT(Find<TCardButton>("btnDeal")->text() == "Draw" &&
                                 cards[4]->Image() != cards[0]->Image(),
                             5000);
}

TEST_F(MainWindowTest, MenuTextsBecomeTitlesWithoutAccelerators) {
    EXPECT_EQ(TitleFromMenuText("Clear &All Records..."), "Clear All Records");
    EXPECT_EQ(TitleFromMenuText("&Save && Quit"), "Save & Quit");
    TMessageBox::SetNextAnswer(QMessageBox::Cancel);
    Find<QAction>("miClearAllRecords")->trigger();
    EXPECT_EQ(TMessageBox::LastText(),
              preferences->Texts().Translate("Main.ConfirmMessages", "ClearLog"));
}

TEST_F(MainWindowTest, EveryStatusTextFitsTheMessageLineAtTheSmallestSize) {
    window->resize(window->minimumSize());
    QApplication::processEvents();
    auto* line = Find<TGradientLabel>("lInfoLabel");
    const QSize room = line->size();
    ASSERT_LE(room.width(), 310); // 450 pixels less the counters
    for (const char* language : {"RUS", "ENG"}) {
        preferences->SetInterfaceLanguage(language);
        preferences->Apply();
        for (const char* key :
             {"Start", "Hold", "Finish", "Win", "Dealing", "Drawing", "DoubleInfo", "ErrorHand",
              "DoubleWon", "DoubleLost", "DoublePush"}) {
            QString text = preferences->Texts().Translate("Main.Messages", key);
            text.replace("%d", "99999");
            text.replace("%s", "99999");
            const THeaderText fitted = FitHeaderText(text, line->font(), room);
            EXPECT_TRUE(fitted.Fits(room)) << language << " " << key << ": " << text.toStdString();
            EXPECT_GE(fitted.Font.pointSizeF(), 6.0) << language << " " << key;
        }
    }
    // A short text keeps the label's own font on one line.
    const THeaderText dealing = FitHeaderText("Dealing...", line->font(), room);
    EXPECT_EQ(dealing.Font.pointSizeF(), line->font().pointSizeF());
    EXPECT_TRUE(dealing.Flags & Qt::TextSingleLine);
}

TEST_F(MainWindowTest, CounterFormatsAndPaytableLayout) {
    EXPECT_EQ(TCounterPanel::MoneyText(-12.5), "-$12.50");
    EXPECT_EQ(TCounterPanel::MoneyText(0.25), "$0.25");
    EXPECT_EQ(TCounterPanel::MoneyText(1234.5), "$1234.50");
    EXPECT_EQ(TCounterPanel::AccuracyText(98.35), "98.35%");
    EXPECT_EQ(TCounterPanel::PlayTimeText(1.0 + 3.0 / 24), "27:00:00");
    EXPECT_EQ(Text("lCoinCost"), "$0.25");
    EXPECT_EQ(Text("lAccuracy"), "100.00%");
    const TPaytableLayout layout = LayoutPaytable(300, 300, 9);
    EXPECT_EQ(layout.Rows, (std::vector<int>{33, 34, 33, 33, 34, 33, 33, 34, 33}));
    EXPECT_EQ(layout.Columns, (std::vector<int>{120, 36, 36, 36, 36, 36}));
}

TEST_F(MainWindowTest, MenusTranslateAndWaitForTheirWindows) {
    EXPECT_FALSE(Find<QAction>("miAllHands")->isEnabled()); // no hand dealt yet
    for (const char* name : {"miShowStat", "miShowCharts", "miShowErrors", "miClearByFilter",
                             "miChangePreferences", "miSelectVP", "miSelectDeck", "miSelectBack"})
        EXPECT_TRUE(Find<QAction>(name)->isEnabled()) << name;
    EXPECT_EQ(Find<QAction>("miAbout")->text(), "&About DrawMentor...");
    const auto everyMenuHasText = [&] {
        int checked = 0;
        for (QAction* action : window->findChildren<QAction*>())
            if (!action->property("textKey").toString().isEmpty()) {
                EXPECT_FALSE(action->text().isEmpty())
                    << action->property("textKey").toString().toStdString();
                ++checked;
            }
        EXPECT_GT(checked, 20);
    };
    everyMenuHasText();
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    everyMenuHasText();
    EXPECT_EQ(Find<QAction>("miTraining")->text(), "&Тренировка");
    EXPECT_EQ(Find<TCardButton>("btnDeal")->text(), "Сдать");
    EXPECT_EQ(Text("CreditLabel"), "Кредиты");
}

TEST_F(MainWindowTest, RecentGamesInTheGameMenu) {
    Session().SelectGame(4, 0);
    Session().SelectGame(3, 0);
    window->LayoutPaytable();
    auto* menu = Find<QMenu>("miGame");
    emit menu->aboutToShow();
    auto* first = window->findChild<QAction*>("miRecent0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "DEUCES WILD  (1)") << "a wild game has no full house/flush name";
    auto* second = window->findChild<QAction*>("miRecent1");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->text(), "JACKS OR BETTER  (1)  9/6");
    first->trigger();
    EXPECT_EQ(Session().Game().GameIndex(), 4);
    EXPECT_EQ(Find<QLabel>("lPokerName")->text(), "DEUCES WILD  (1)");
}

TEST_F(MainWindowTest, AnErrorInADealReachesTheReport) {
    QStringList reports;
    TApplication::SetReportHandler([&](const QString& text) { reports << text; });
    Session().StackCards({0, 1, 2, 3, 55}); // a card that no deck of this game has
    Click("btnDeal");
    ASSERT_EQ(reports.size(), 1);
    const QString& report = reports.first();
    EXPECT_TRUE(report.startsWith("DrawMentor " + ProgramVersion() +
                                  "\nDeal\nRange check error: stacked card 55\n"))
        << report.toStdString();
    EXPECT_TRUE(report.contains("Stackframe-based trace:\n"));
    EXPECT_TRUE(Find<TCardButton>("btnDeal")->isEnabled());
    Click("btnDeal"); // the busy flag was cleared: play goes on
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
}

// A slot run through Guarded reports its error in its own frame; nothing
// unwinds through Qt, so a sanitizer build finds no leak here.
TEST(GuardedSlots, AnErrorIsReportedBeforeItReachesQt) {
    QStringList reports;
    TApplication::SetReportHandler([&](const QString& text) { reports << text; });
    struct TFailing : QObject {
        void Act() { throw EDrawMentor("no paytable"); }
    } failing;
    QPushButton button;
    button.resize(40, 20);
    QObject::connect(&button, &QPushButton::clicked, &failing,
                     TApplication::GuardedSlot(&failing, &TFailing::Act));
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports[0].contains("no paytable")) << reports[0].toStdString();
    TApplication::SetReportHandler({});
}

TEST_F(MainWindowTest, HelpShowsTopicsOrSaysItIsMissing) {
    ASSERT_TRUE(ShowHelp(window.get(), 1000, *preferences));
    QTextBrowser* browser = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "fHelp") browser = top->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().toString().endsWith("DrawMentor_ENG/howtoplay.html"));
    EXPECT_EQ(browser->documentTitle(), "How to play");
    EXPECT_FALSE(ShowHelp(window.get(), 999, *preferences)); // no topic for that context
    browser->window()->close();

    testing::TTempFolders bare; // no help files anywhere
    TPreferences without;
    without.WriteOnExit = false;
    QString said;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            said = box->text();
            box->accept();
        }
    });
    EXPECT_FALSE(ShowHelp(window.get(), 100, without));
    EXPECT_EQ(said, "Sorry, html help not installed.");
}

TEST_F(MainWindowTest, CoinValueChoiceAndAbout) {
    QTimer::singleShot(0, [] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* list = dialog->findChild<QListWidget*>("lbItems");
        EXPECT_EQ(list->item(0)->text() + list->item(list->count() - 1)->text(), " $0.01 $100.00");
        EXPECT_EQ(list->currentRow(), 4); // $0.25, coin 0, after the cents
        list->setCurrentRow(6);
        qobject_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(Find<QLabel>("lCoinCost"), Qt::LeftButton);
    EXPECT_EQ(Session().CoinIndex(), 2);
    EXPECT_EQ(Text("lCoinCost"), "$1.00");
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            asked = true;
            dialog->reject();
        }
    });
    QApplication::setActiveWindow(window.get()); // the closed choice had it
    Key(Qt::Key_V); // the keyboard way to the same choice; cancelled: nothing changes
    EXPECT_TRUE(asked);
    EXPECT_EQ(Session().CoinIndex(), 2);
    // Every item of every menu, and every menu of the bar, has a letter of its
    // own, in every language.
    for (const char* language : {"RUS", "ENG"}) {
        preferences->SetInterfaceLanguage(QString::fromLatin1(language));
        preferences->Apply();
        QList<QWidget*> menus{window->menuBar()};
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) menus << menu;
        for (const QWidget* menu : menus) {
            QStringList letters;
            for (QAction* item : menu->actions())
                if (const qsizetype at = item->text().indexOf('&'); at >= 0)
                    letters << item->text().mid(at + 1, 1).toLower();
            EXPECT_EQ(letters.size(), QSet<QString>(letters.begin(), letters.end()).size())
                << language << " " << menu->objectName().toStdString() << ": "
                << letters.join(' ').toStdString();
        }
    }

    QString version, licence;
    QTimer::singleShot(0, [&] {
        auto* about = QApplication::activeModalWidget();
        version = about->findChild<QLabel*>("lVersion")->text();
        licence = about->findChild<QLabel*>("lLicence")->text();
        EXPECT_FALSE(about->findChild<QLabel*>("ImageAbout")->pixmap().isNull());
        qobject_cast<QDialog*>(about)->accept();
    });
    Find<QAction>("miAbout")->trigger();
    EXPECT_TRUE(version.startsWith("Version " + ProgramVersion() + "  (")) << version.toStdString();
    // The licence and where the card artwork comes from, not a missing-text marker.
    EXPECT_TRUE(licence.contains("General Public License")) << licence.toStdString();
    EXPECT_TRUE(licence.contains("gnome-cards-data")) << licence.toStdString();
}

TEST(SingleInstance, ASecondStartWakesTheFirst) {
    const QString name =
        QStringLiteral("DrawMentor-test-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QSignalSpy woken(&first, &TSingleInstance::ActivationRequested);
    QLocalSocket stranger; // anything else on the socket is ignored
    stranger.connectToServer(name);
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("hello\n");
    stranger.waitForBytesWritten(1000);
    QTest::qWait(100);
    EXPECT_EQ(woken.count(), 0);
    TSingleInstance second(name);
    EXPECT_TRUE(second.ActivateRunning());
    EXPECT_TRUE(woken.wait(2000));
    TSingleInstance alone(name + "-nobody");
    EXPECT_FALSE(alone.ActivateRunning());
}

TEST_F(MainWindowTest, AllHandsOfTheDealtHandAndOfAnyHand) {
    QAction* allHands = Find<QAction>("miAllHands");
    window->Menu().Refresh();
    EXPECT_FALSE(allHands->isEnabled());
    Session().StackCards({12, 51, 38, 25, 0}); // AS AH AD AC 2S
    Click("btnDeal");
    for (Qt::Key key : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4}) Key(key);
    window->Menu().Refresh();
    ASSERT_TRUE(allHands->isEnabled());
    ASSERT_EQ(Session().Hand().DrawMask(), 16);
    int selected = -1;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TAllHandsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        selected = shown->SelectedMask();
        title = shown->windowTitle();
        shown->reject();
    });
    allHands->trigger();
    EXPECT_EQ(selected, 16);
    EXPECT_EQ(title, "All Hands");
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt); // a view: the hand is still in play

    // Any five cards: the picker, then the holds of its hand, best selected.
    QString pickerTitle;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<TAnalyseHandWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        pickerTitle = picker->windowTitle();
        picker->HandEdit().setText(QStringLiteral("AS KS QS JS 9D"));
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<TAllHandsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            selected = shown->SelectedMask();
            shown->reject();
        });
        picker->Analyse();
        picker->reject();
    });
    Find<QAction>("miAnalyseHand")->trigger();
    EXPECT_EQ(pickerTitle, "Analyse a Hand");
    EXPECT_EQ(selected, 16); // the best hold: draw to the royal
    EXPECT_EQ(Session().Hand().DrawMask(), 16);
}

TEST_F(MainWindowTest, AllHandsInRealPlayAndOfTheHandJustPlayed) {
    QAction* allHands = Find<QAction>("miAllHands");
    window->SelectMode(TPlayMode::pmRealPlay);
    Session().StackCards({12, 51, 38, 25, 0, 1, 2, 3, 4, 5}); // AS AH AD AC 2S, then the draw
    Click("btnDeal");
    window->Menu().Refresh();
    EXPECT_TRUE(allHands->isEnabled()) << "a dealt hand in Real Play";
    Key(Qt::Key_5); // hold the deuce only: a costly hold, played as it is
    Session().SetOption(kShowWarnings, false);
    Click("btnDeal");
    ASSERT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    window->Menu().Refresh();
    ASSERT_TRUE(allHands->isEnabled()) << "the hand just played";
    int selected = -1;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<TAllHandsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        selected = shown->SelectedMask();
        rows = shown->Model().rowCount();
        shown->reject();
    });
    allHands->trigger();
    EXPECT_EQ(selected, 15); // the player's hold, marked
    EXPECT_EQ(rows, 32) << "the holds of the dealt hand, not of the final one";
    Click("btnDeal");
    Session().SetOption(kShowResultHands, true);
}

TEST_F(MainWindowTest, TheMessageLineCountsErrorHandsAndTellsTheDoubleUp) {
    Session().StackCards({12, 51, 38, 25, 0}); // AS AH AD AC 2S
    Click("btnDeal");
    Key(Qt::Key_H);
    Click("btnDeal");
    ASSERT_GT(Session().Hand().CurrentWin(), 0);
    // The dealer shows 7H; the player turns 4C.
    Session().StackCards({3 * 13 + 5, 14, 16, 17, 13 + 2});
    Key(Qt::Key_D);
    ASSERT_EQ(Session().Hand().State(), TGameState::gsDoubleUp);
    QTest::mouseClick(Find<QWidget>("Card5"), Qt::LeftButton);
    ASSERT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    EXPECT_EQ(Text("lInfoLabel"),
              QString::fromUtf8("4♣ loses to 7♥. Press Deal for the next hand"));
    // The picked card carries a frame the others lack.
    const QImage picked = Find<TCardImage>("Card5")->Image();
    const QImage other = Find<TCardImage>("Card4")->Image();
    EXPECT_NE(picked.pixel(3, picked.height() / 2), other.pixel(3, other.height() / 2));

    // Two hands played with the hint: replayed as error hands 1 and 2 of 2.
    Click("btnDeal");
    Key(Qt::Key_H);
    Click("btnDeal");
    EXPECT_EQ(Text("lHints"), "2");
    window->SelectMode(TPlayMode::pmPlayErrorHands);
    Click("btnDeal");
    EXPECT_EQ(Text("lInfoLabel"), "Error hand 1 of 2: hold your cards, then press Draw");
    Key(Qt::Key_H);
    Click("btnDeal");
    Click("btnDeal");
    EXPECT_EQ(Text("lInfoLabel"), "Error hand 2 of 2: hold your cards, then press Draw");
    EXPECT_FALSE(Find<QAction>("miPlayErrorHands")->toolTip().isEmpty());
}

TEST(MainWindowStart, DamagedLogRecordsAreCountedInOneNotice) {
    testing::TTempFolders folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    folders.WriteDataFile("DrawMentor.log", QByteArray(2 * kLogRecordSize, '\xff'));
    TPreferences preferences;
    preferences.DealSpeed = 0;
    TMainWindow window(preferences);
    EXPECT_EQ(window.Session().Logger().InvalidCount(), 2);
    ASSERT_EQ(window.StartNotices().size(), 1);
    EXPECT_TRUE(window.StartNotices().first().contains("holds 2 damaged records"))
        << window.StartNotices().first().toStdString();
}

TEST(MainWindowStart, ADamagedRememberedDeckFallsBackToTheStandardOneWithOneNotice) {
    // The program's files, and beside the decks one that is damaged.
    QTemporaryDir program;
    const QDir runtime(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    for (const QFileInfo& entry : runtime.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (entry.fileName() != "data")
            QFile::link(entry.absoluteFilePath(), program.filePath(entry.fileName()));
    QDir().mkpath(program.filePath("data"));
    for (const QFileInfo& deck : QDir(runtime.filePath("data")).entryInfoList(QDir::Files))
        QFile::link(deck.absoluteFilePath(), program.filePath("data/" + deck.fileName()));
    testing::WriteFile(program.filePath("data/deck.777"), "not a deck at all");
    testing::TTempFolders folders(program.path());
    folders.WriteDataFile("DrawMentor.ini", "[Cards]\nDeck=777\n");
    TPreferences preferences;
    preferences.DealSpeed = 0;
    TMainWindow window(preferences);
    EXPECT_EQ(window.Paint().DeckCode, "001");
    ASSERT_EQ(window.StartNotices().size(), 1);
    EXPECT_TRUE(window.StartNotices().first().startsWith("The deck 777 could not be read"));
    TMessageBox::SetNextAnswer(QMessageBox::Ok);
    ShowStartNotices(window, preferences);
    EXPECT_EQ(TMessageBox::LastText(), window.StartNotices().first());
}

TEST(SingleInstance, ALiveInstanceKeepsItsName) {
    const QString name =
        QStringLiteral("DrawMentor-live-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QSignalSpy woken(&first, &TSingleInstance::ActivationRequested);
    TSingleInstance second(name);
    EXPECT_FALSE(second.Listen()); // taking the name over would leave two trainers running
    TSingleInstance third(name);
    EXPECT_TRUE(third.ActivateRunning());
    EXPECT_TRUE(woken.wait(2000));
    EXPECT_FALSE(TSingleInstance(QString()).Listen()); // no private folder: no socket, and no hang
}

TEST(SingleInstance, IdleConnectionsAreClosedAndCannotCrowdOutASecondStart) {
    const QString name =
        QStringLiteral("DrawMentor-idle-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance first(name);
    ASSERT_TRUE(first.Listen());
    QSignalSpy woken(&first, &TSingleInstance::ActivationRequested);
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(name);
        ASSERT_TRUE(idle.back()->waitForConnected(500));
    }
    // Closed by the trainer, the most at once and the rest after a second.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(idle.begin(), idle.end(), [](const auto& socket) {
                return socket->state() == QLocalSocket::UnconnectedState;
            });
        },
        5000));
    TSingleInstance second(name);
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(second.ActivateRunning());
    EXPECT_TRUE(woken.wait(2000));
}

TEST(SingleInstance, TheSocketIsInTheUsersPrivateRuntimeFolder) {
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    QTemporaryDir runtime; // made for this user only
    ASSERT_TRUE(QFile::setPermissions(runtime.path(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    EXPECT_EQ(TSingleInstance::DefaultName(), runtime.path() + "/DrawMentor.socket");
    TSingleInstance instance;
    EXPECT_TRUE(instance.Listen());
    EXPECT_TRUE(QFileInfo::exists(runtime.path() + "/DrawMentor.socket"));
    // A folder others may enter is not used.
    QFile::setPermissions(runtime.path(), QFile::permissions(runtime.path()) | QFile::ReadOther |
                                              QFile::ExeOther | QFile::WriteOther);
    EXPECT_FALSE(TSingleInstance::DefaultName().startsWith(runtime.path()));
    EXPECT_FALSE(
        TSingleInstance::DefaultName().startsWith("DrawMentor")); // never a bare name in /tmp
    EXPECT_FALSE(TSingleInstance::IsPrivateFolder("/tmp"));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}

} // namespace
} // namespace drawmentor
