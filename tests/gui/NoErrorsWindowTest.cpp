#include "ui/log/NoErrorsWindow.h"

#include "ui/common/HelpWindow.h"

#include "ui/main/MainWindow.h"

#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class NoErrorsWindowTest : public ::testing::Test {
  protected:
    NoErrorsWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {}
    // The answer of the window when `choose` ticks a mode (or none) and `button` closes it.
    int Ask(const char* choose, const char* button) {
        QTimer::singleShot(0, [choose, button] {
            auto* window = qobject_cast<TNoErrorsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            if (choose) window->findChild<QRadioButton*>(choose)->setChecked(true);
            window->findChild<QPushButton*>(button)->click();
        });
        return AskModeForNoErrors(nullptr, preferences);
    }

    testing::TTempFolders folders;
    TPreferences preferences;
};

TEST_F(NoErrorsWindowTest, AnswersTheModeTickedOrMinusOne) {
    EXPECT_EQ(Ask(nullptr, "btnOK"), ModeNumber(TPlayMode::pmAutoHold)); // the preset choice
    EXPECT_EQ(Ask("rbTraining", "btnOK"), ModeNumber(TPlayMode::pmTraining));
    EXPECT_EQ(Ask("rbRealPlay", "btnOK"), ModeNumber(TPlayMode::pmRealPlay));
    EXPECT_EQ(Ask("rbTraining", "btnCancel"), -1);
}

TEST_F(NoErrorsWindowTest, TextsWithoutMenuAccelerators) {
    TNoErrorsWindow window(preferences);
    window.Retranslate();
    EXPECT_EQ(window.windowTitle(), "No error hands");
    EXPECT_TRUE(window.findChild<QLabel*>("lMessage")->text().startsWith("The game log holds no"));
    EXPECT_EQ(window.findChild<QRadioButton*>("rbRealPlay")->text(), "Real Play");
    preferences.SetInterfaceLanguage("RUS");
    preferences.Apply();
    EXPECT_EQ(window.findChild<QRadioButton*>("rbTraining")->text(), "Тренировка");
    EXPECT_EQ(window.findChild<QPushButton*>("btnCancel")->text(), "Отмена");
}

TEST_F(NoErrorsWindowTest, ChoosingErrorHandsWithNoneLogsOffersAnotherMode) {
    preferences.DealSpeed = 0;
    TMainWindow main(preferences);
    main.SelectMode(TPlayMode::pmTraining);
    QTimer::singleShot(0, [] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        window->findChild<QRadioButton*>("rbRealPlay")->setChecked(true);
        window->findChild<QPushButton*>("btnOK")->click();
    });
    main.SelectMode(TPlayMode::pmPlayErrorHands);
    EXPECT_EQ(main.Session().Mode(), TPlayMode::pmRealPlay);
}

TEST(LogWindowHelp, EveryWindowHasItsPageInBothLanguages) {
    for (const int context : {hcErrors, hcClearLog, hcPreferences, hcWarning, hcNoErrors})
        for (const char* language : {"ENG", "RUS"}) {
            const QString page = QStringLiteral("%1/Help/DrawMentor_%2/%3.html")
                                     .arg(DRAWMENTOR_RUNTIME_DIR, language, HelpTopic(context));
            EXPECT_TRUE(QFileInfo::exists(page)) << page.toStdString();
        }
}

} // namespace
} // namespace drawmentor
