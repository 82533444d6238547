// The main window with several hands per deal: the menu choice, the other
// hands above the table, the total win, the tally and the refused bet.
#include "ui/common/CardButton.h"
#include "ui/common/MessageBox.h"
#include "ui/main/ExtraHandsView.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MeterPanel.h"

#include "support/WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class MultiHandWindowTest : public testing::TWindowFixture {
  protected:
    void Click(const char* button) { QTest::mouseClick(Find<TCardButton>(button), Qt::LeftButton); }
    QAction* HandsItem(int hands) {
        return Find<QMenu>("miHandsPerDeal")
            ->findChild<QAction*>(QStringLiteral("miHands%1").arg(hands));
    }
    // Hands the view shows as cards; the pixels of one that has cards differ
    // from the felt's.
    bool ShowsCards(const QImage& image, const QRect& hand) {
        const QRgb felt = image.pixel(1, 1);
        int other = 0;
        for (int y = hand.top(); y < hand.top() + hand.height() / 2; y += 2)
            for (int x = hand.left(); x < hand.left() + hand.width() / 2; x += 2)
                other += image.pixel(x, y) != felt;
        return other > 50;
    }
};

TEST_F(MultiHandWindowTest, FiveHandsShowAboveTheTableWithTheirWins) {
    auto* view = Find<TExtraHandsView>("OtherHands");
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->isVisible()); // one hand: the table as it always was
    const int height = Window().height();
    ASSERT_TRUE(HandsItem(5));
    HandsItem(5)->trigger();
    EXPECT_EQ(Session().ExtraHands().HandsPerDeal(), 5);
    EXPECT_TRUE(view->isVisible());
    EXPECT_GT(Window().height(), height);
    Click("btnDeal");
    Window().Menu().Refresh();
    EXPECT_FALSE(HandsItem(1)->isEnabled()); // not while a hand is in play
    EXPECT_EQ(Find<QLabel>("lCredit")->text(), "2475");
    // Before the draw the other hands show the held cards.
    Session().SetDrawMask(Session().Hand().Record().BestMask);
    Click("btnDeal");
    ASSERT_EQ(Session().ExtraHands().Hands().size(), 4u);
    EXPECT_EQ(Find<QLabel>("lWin")->text(), QString::number(Session().DealWin()));
    // The big meter too counts every hand, also when the table hand won less.
    for (int deal = 0; deal < 30 && Session().DealWin() == Session().Hand().CurrentWin(); ++deal)
        for (int press = 0; press < 2; ++press) Click("btnDeal");
    ASSERT_NE(Session().DealWin(), Session().Hand().CurrentWin());
    EXPECT_EQ(Find<TMeter>("winMeter")->Value(), QString::number(Session().DealWin()));
    EXPECT_EQ(Find<TMeter>("winMeter")->Lit(), Session().DealWin() > 0);
    const QImage shot = view->grab().toImage();
    for (int index = 0; index < 4; ++index) {
        const QRect hand = view->HandRect(index);
        SCOPED_TRACE(index);
        EXPECT_TRUE(view->rect().contains(hand));
        EXPECT_TRUE(ShowsCards(shot, hand));
        for (int other = 0; other < index; ++other)
            EXPECT_FALSE(hand.intersects(view->HandRect(other)));
    }
    EXPECT_FALSE(Find<TCardButton>("btnDoubleUp")->isEnabled());
    Window().Menu().Refresh();
    EXPECT_TRUE(HandsItem(5)->isChecked());
    HandsItem(1)->trigger();
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(Window().height(), height);
}

// The room of the other hands is the deal's, not the player's: a restart with
// five hands opens exactly as high as the window was.
TEST_F(MultiHandWindowTest, ARestartKeepsTheHeightOfTheWindow) {
    ASSERT_TRUE(Window().SelectHandsPerDeal(5));
    const int height = Window().height();
    window.reset();
    window = std::make_unique<TMainWindow>(*preferences);
    window->show();
    EXPECT_EQ(Session().ExtraHands().HandsPerDeal(), 5);
    EXPECT_EQ(Window().height(), height);
}

TEST_F(MultiHandWindowTest, AHundredHandsShowAsATallyOfTheLines) {
    ASSERT_TRUE(Window().SelectHandsPerDeal(100));
    ASSERT_TRUE(Window().SelectBet(1)); // credits for twenty deals
    auto* view = Find<TExtraHandsView>("OtherHands");
    EXPECT_TRUE(view->HandRect(0).isEmpty());
    Click("btnDeal");
    EXPECT_EQ(view->TallyLines(), QStringList{"100 hands are dealt with the cards you hold"});
    Window().Hint();
    Click("btnDeal");
    EXPECT_EQ(Find<QLabel>("lHints")->text(), "1"); // one deal played from the hint
    // Until some line paid exactly one hand, which is one hand, not one hands.
    for (int deal = 0; deal < 20 && !view->TallyLines().join('\n').contains(": 1 hand,"); ++deal)
        for (int press = 0; press < 2; ++press) Click("btnDeal");
    const QStringList lines = view->TallyLines();
    EXPECT_TRUE(lines.join('\n').contains(": 1 hand,")) << lines.join('\n').toStdString();
    EXPECT_FALSE(lines.join('\n').contains(QRegularExpression("\\b1 hands")));
    ASSERT_GE(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(
        QStringLiteral(" of 100 hands paid: %1 credits").arg(Session().DealWin())))
        << lines[0].toStdString();
    // The lines' counts add up to the hands that paid.
    int paid = 0;
    for (int i = 1; i < lines.size(); ++i)
        paid += lines[i].section(QStringLiteral(": "), 1).section(' ', 0, 0).toInt();
    EXPECT_EQ(QString::number(paid) + " of", lines[0].section(' ', 0, 1));
    EXPECT_FALSE(Window().SelectHandsPerDeal(7));
}

TEST_F(MultiHandWindowTest, ABetTheCreditsCannotCoverIsRefusedWithAMessage) {
    window.reset();
    preferences.reset();
    folders.WriteDataFile("DrawMentor.ini", "[Params]\nCredits=40\nHandsPerDeal=10\n");
    preferences = std::make_unique<TPreferences>();
    preferences->DealSpeed = 0;
    window = std::make_unique<TMainWindow>(*preferences);
    window->show();
    EXPECT_TRUE(Find<TExtraHandsView>("OtherHands")->isVisible()); // remembered
    TMessageBox::SetNextAnswer(QMessageBox::Ok);
    Click("btnDeal");
    EXPECT_EQ(Session().Hand().State(), TGameState::gsIdle);
    EXPECT_EQ(TMessageBox::LastText(),
              "A deal of all hands needs 50 credits and you have 40. Bet fewer coins or play "
              "fewer hands.");
    ASSERT_TRUE(Window().SelectBet(4));
    Click("btnDeal");
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDealt);
    EXPECT_EQ(Find<QLabel>("lCredit")->text(), "0");
    // Refused after a drawn deal, the table keeps its cards, its win and its words.
    Session().SetDrawMask(Session().Hand().Record().BestMask);
    Click("btnDeal");
    ASSERT_TRUE(Window().SelectBet(5));
    ASSERT_LT(Session().DealWin(), 50);
    const QString message = Find<QLabel>("lInfoLabel")->text();
    const QImage cards = Find<QWidget>("CardsPanel")->grab().toImage();
    TMessageBox::SetNextAnswer(QMessageBox::Ok);
    Click("btnDeal");
    EXPECT_EQ(TMessageBox::LastText(), QStringLiteral("A deal of all hands needs 50 credits and "
                                                      "you have %1. Bet fewer coins or play fewer "
                                                      "hands.")
                                           .arg(Session().DealWin()));
    EXPECT_EQ(Session().Hand().State(), TGameState::gsDrawn);
    EXPECT_EQ(Find<QLabel>("lInfoLabel")->text(), message);
    EXPECT_EQ(Find<QWidget>("CardsPanel")->grab().toImage(), cards);
}

} // namespace
} // namespace drawmentor
