// The hand picker: clicks and typed text make the same hand, every bad
// entry is refused in the dialog, and a good one reaches the analysis.
#include "ui/hands/AnalyseHandWindow.h"
#include "ui/hands/DeckPicker.h"

#include "cards/Cards.h"
#include "engine/PokerEngine.h"
#include "play/HandAnalysis.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TPayTable JacksOrBetter() {
    TPayTable table;
    const int pays[9] = {800, 50, 25, 9, 6, 4, 3, 2, 1};
    for (int coins = 1; coins <= kMaxCoins; ++coins)
        for (int line = 0; line < 9; ++line) table.At(coins, line) = pays[line] * coins;
    return table;
}

class HandPickerTest : public ::testing::Test {
  protected:
    HandPickerTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {}

    // The picker of `game`, recording what it would show.
    std::unique_ptr<TAnalyseHandWindow> Picker(int game) {
        auto picker = std::make_unique<TAnalyseHandWindow>(
            nullptr, game, JacksOrBetter(), 5, QStringLiteral("Test game"), preferences);
        picker->SetShowHolds(
            [this](const TPokerEngine& engine, const std::array<int, 5>& cards, int best) {
                shownCards.assign(cards.begin(), cards.end());
                shownBest = best;
                shownReturn = engine.DrawReturn(best);
                ++shown;
            });
        picker->show();
        return picker;
    }
    void Click(TAnalyseHandWindow& picker, const char* card) {
        const auto parsed = ParseCardText(card);
        const int code =
            parsed->Rank < 0 ? kFirstJokerCode : EncodeCard(parsed->Rank, parsed->Suit);
        QTest::mouseClick(&picker.Deck(), Qt::LeftButton, {},
                          picker.Deck().CardRect(code).center());
    }

    testing::TTempFolders folders;
    TPreferences preferences;
    std::vector<int> shownCards;
    int shownBest = -1;
    long double shownReturn = 0;
    int shown = 0;
};

TEST_F(HandPickerTest, ClicksAndTypedTextGiveTheSameHand) {
    auto picker = Picker(0);
    for (const char* card : {"AS", "KS", "QS", "JS", "9D"}) Click(*picker, card);
    EXPECT_EQ(picker->HandEdit().text(), "AS KS QS JS 9D");
    EXPECT_TRUE(picker->Deck().IsChosen(EncodeCard(kRankAce, 0)));
    ASSERT_TRUE(picker->Analyse());
    const std::vector<int> clicked = shownCards;
    const long double clickedReturn = shownReturn;
    EXPECT_EQ(shownBest, 16); // draw to the royal

    // A click on a chosen card takes it back; typing gives the same hand.
    Click(*picker, "9D");
    EXPECT_EQ(picker->HandEdit().text(), "AS KS QS JS");
    EXPECT_FALSE(picker->Deck().IsChosen(EncodeCard(7, 2)));
    picker->HandEdit().setText(QStringLiteral("as ks qs js 9d"));
    EXPECT_TRUE(picker->Deck().IsChosen(EncodeCard(7, 2)));
    ASSERT_TRUE(picker->Analyse());
    EXPECT_EQ(shownCards, clicked);
    EXPECT_EQ(shownReturn, clickedReturn);
    EXPECT_EQ(shown, 2);

    // The bet chosen in the dialog pays the analysis: 800 per coin on one
    // coin, 4000 only on five.
    picker->findChild<QSpinBox*>(QStringLiteral("seBet"))->setValue(1);
    QTest::mouseClick(picker->findChild<QPushButton*>(QStringLiteral("btnAnalyse")),
                      Qt::LeftButton);
    EXPECT_EQ(shown, 3);
    EXPECT_LT(shownReturn, clickedReturn);
}

TEST_F(HandPickerTest, EveryBadHandIsRefusedWithItsMessage) {
    auto picker = Picker(0);
    struct TCase {
        const char* Text;
        const char* Message;
    };
    for (const TCase& c : {
             TCase{"AS KS QS JS", "A hand needs five cards."},
             TCase{"AS KS QS JS 9D 8D", "A hand has only five cards: 8D is one too many."},
             TCase{"AS KS QS JS 1D", "1D is not a card."},
             TCase{"AS KS QS AS 9D", "AS is in the hand twice."},
             TCase{"AS KS QS JK 9D", "This game is played without jokers."},
         }) {
        picker->HandEdit().setText(QString::fromLatin1(c.Text));
        EXPECT_FALSE(picker->Analyse()) << c.Text;
        EXPECT_TRUE(picker->ErrorText().startsWith(QString::fromLatin1(c.Message)))
            << c.Text << ": " << picker->ErrorText().toStdString();
    }
    EXPECT_EQ(shown, 0);
    // A sixth click is refused too, and the hand stays as it was.
    picker->HandEdit().setText(QStringLiteral("2C 3C 4C 5C 6C"));
    Click(*picker, "7C");
    EXPECT_EQ(picker->HandEdit().text(), "2C 3C 4C 5C 6C");
    EXPECT_FALSE(picker->ErrorText().isEmpty());
    // Editing clears the message; in Russian it is told in Russian.
    picker->HandEdit().setText(QStringLiteral("2C 3C"));
    EXPECT_TRUE(picker->ErrorText().isEmpty());
    preferences.SetInterfaceLanguage(QStringLiteral("RUS"));
    emit preferences.PreferencesChanged(&preferences);
    EXPECT_FALSE(picker->Analyse());
    EXPECT_EQ(picker->ErrorText(), QString::fromUtf8("В раздаче должно быть пять карт."));
    EXPECT_EQ(picker->windowTitle(), QString::fromUtf8("Анализ раздачи"));

    // F1: the picker's own help page, in the language chosen.
    QApplication::setActiveWindow(picker.get());
    QTest::keyClick(&picker->HandEdit(), Qt::Key_F1);
    QString page;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("fHelp") && top->isVisible()) {
            page = top->findChild<QTextBrowser*>()->source().toString();
            top->close();
        }
    EXPECT_TRUE(page.endsWith(QStringLiteral("DrawMentor_RUS/analysehand.html")))
        << page.toStdString();
}

TEST_F(HandPickerTest, JokersAreOfferedOnlyByJokerGames) {
    auto natural = Picker(0);
    auto joker = Picker(3);
    EXPECT_GT(joker->Deck().height(), natural->Deck().height());
    Click(*joker, "JK");
    EXPECT_EQ(joker->HandEdit().text(), "JK");
    EXPECT_TRUE(joker->Deck().IsChosen(kFirstJokerCode));
    joker->HandEdit().setText(QStringLiteral("JK JK AS KS QS"));
    EXPECT_FALSE(joker->Analyse());
    EXPECT_TRUE(joker->ErrorText().startsWith(QStringLiteral("The deck of this game")));
    joker->HandEdit().setText(QStringLiteral("JK AH AS KS QS"));
    EXPECT_TRUE(joker->Analyse());
    EXPECT_EQ(shownCards.front(), kFirstJokerCode);
    joker->grab().save(QStringLiteral("/tmp/handpicker.png"));
}

} // namespace
} // namespace drawmentor
