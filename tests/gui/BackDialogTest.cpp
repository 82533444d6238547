#include "DialogDriver.h"

#include "ui/common/CardImage.h"
#include "ui/settings/BackDialog.h"

#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class BackDialogTest : public ::testing::Test {
  protected:
    BackDialogTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
    }
    static QRect Framed(const TBackDialog& dialog, int index) {
        return dialog.Image(index).geometry().adjusted(-5, -5, 5, 5);
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
};

TEST_F(BackDialogTest, OpensWithTheFrameOnTheCurrentBack) {
    TBackDialog dialog(nullptr, 7, *preferences);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Choose Card Back");
    EXPECT_EQ(testing::HelpPageAfterF1(dialog), "diag_back.html");
    EXPECT_EQ(dialog.Selected(), 7);
    EXPECT_TRUE(dialog.FocusBevel().isVisible());
    EXPECT_EQ(dialog.FocusBevel().geometry(), Framed(dialog, 7));
    // Fifteen different backs, five to a row, 10 pixels apart.
    EXPECT_NE(dialog.Image(0).Image(), dialog.Image(1).Image());
    EXPECT_EQ(dialog.Image(6).pos(),
              QPoint(20 + dialog.Image(0).width(), 20 + dialog.Image(0).height()));
}

TEST_F(BackDialogTest, AClickMovesTheFrameAndAClickOnTheSelectedBackChangesNothing) {
    TBackDialog dialog(nullptr, 2, *preferences);
    dialog.show();
    dialog.FocusBevel().move(0, 0); // a repeated selection would put it back
    QTest::mouseClick(&dialog.Image(2), Qt::LeftButton);
    EXPECT_EQ(dialog.Selected(), 2);
    EXPECT_EQ(dialog.FocusBevel().pos(), QPoint(0, 0));
    QTest::mouseClick(&dialog.Image(11), Qt::LeftButton);
    EXPECT_EQ(dialog.Selected(), 11);
    EXPECT_EQ(dialog.FocusBevel().geometry(), Framed(dialog, 11));
    dialog.Select(15);
    dialog.Select(-1);
    EXPECT_EQ(dialog.Selected(), 11);
}

TEST_F(BackDialogTest, OkReturnsTheChosenBackAndCancelMinusOne) {
    testing::WhenModal([](QWidget& dialog) {
        QTest::mouseClick(&static_cast<TBackDialog&>(dialog).Image(4), Qt::LeftButton);
        testing::ClickButton(dialog, "btnOK");
    });
    EXPECT_EQ(ChooseBack(nullptr, 1, *preferences), 4);
    testing::WhenModal([](QWidget& dialog) { testing::ClickButton(dialog, "btnCancel"); });
    EXPECT_EQ(ChooseBack(nullptr, 1, *preferences), -1);
}

} // namespace
} // namespace drawmentor
