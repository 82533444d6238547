#include "ui/main/MeterPanel.h"

#include "support/WindowFixture.h"

#include <QLabel>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class WinDisplayTest : public testing::TWindowFixture {
  protected:
    TMeter* Meter(const char* name) { return Find<TMeter>(name); }
    QString Message() { return Find<QLabel>("lInfoLabel")->text(); }
    bool PlayUntilAWin() {
        for (int hand = 0; hand < 300; ++hand) {
            window->DealOrDraw();
            window->Hint();
            window->DealOrDraw();
            if (Session().Hand().CurrentWin() > 0) return true;
        }
        return false;
    }
};

// A win lights the win meter with the paying line's name over the amount, in
// the interface's language; the message line keeps its own sentence.
TEST_F(WinDisplayTest, AWinNamesItsLineInBothLanguages) {
    EXPECT_EQ(Meter("creditMeter")->Value(), "2500");
    EXPECT_FALSE(Meter("winMeter")->Lit());
    EXPECT_EQ(Meter("winMeter")->Caption(), "Win");
    ASSERT_TRUE(PlayUntilAWin());
    const int line = Session().Hand().CurrentLine();
    const QString win = QString::number(Session().Hand().CurrentWin());
    TMeter* meter = Meter("winMeter");
    EXPECT_TRUE(meter->Lit());
    EXPECT_EQ(meter->Caption(), Session().Game().LineName(line).toUpper());
    EXPECT_EQ(meter->Value(), win);
    EXPECT_EQ(Meter("creditMeter")->Value(), QString::number(Session().Counters().Credits()));
    EXPECT_TRUE(Message().startsWith("You win " + win + "!")) << Message().toStdString();

    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    preferences->Apply();
    EXPECT_TRUE(meter->Lit());
    EXPECT_NE(meter->Caption(), Session().Game().LineName(line).toUpper());
    EXPECT_EQ(meter->Caption(), meter->Caption().toUpper());
    EXPECT_TRUE(meter->Caption().contains(QRegularExpression(QStringLiteral("[А-Я]"))))
        << meter->Caption().toStdString();
    EXPECT_EQ(meter->Value(), win);
    EXPECT_EQ(Meter("creditMeter")->Caption(), "Кредиты");
    EXPECT_EQ(Find<QLabel>("HandsLabel")->text(), "Руки"); // it counts hands, not deals
    EXPECT_TRUE(Message().startsWith("Вы выиграли " + win + "!")) << Message().toStdString();

    window->DealOrDraw(); // the next hand: the meter goes dark
    EXPECT_FALSE(meter->Lit());
    EXPECT_EQ(meter->Caption(), "Выигрыш");
}

// A hand that pays nothing leaves the meter dark and names nothing.
TEST_F(WinDisplayTest, ALosingHandNamesNothing) {
    for (int hand = 0; hand < 50; ++hand) {
        window->DealOrDraw();
        window->DealOrDraw(); // everything replaced
        if (Session().Hand().CurrentWin() == 0) break;
    }
    ASSERT_EQ(Session().Hand().CurrentWin(), 0);
    EXPECT_FALSE(Meter("winMeter")->Lit());
    EXPECT_EQ(Meter("winMeter")->Value(), "0");
}

} // namespace
} // namespace drawmentor
