#include "ui/log/ClearLogWindow.h"

#include "ui/log/OptionsPanel.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MainWindow.h"

#include "play/Logger.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

TLogRecord Hand(int game, int mode, TDateTime dealt) {
    TLogRecord r;
    r.GameIndex = static_cast<uint8_t>(game);
    r.Mode = static_cast<uint8_t>(mode);
    r.Bet = 5;
    r.DealTime = dealt;
    return r;
}

std::vector<TLogRecord> ReadAll(TLogger& logger) {
    std::vector<TLogRecord> records;
    TLogRecord record;
    logger.Rewind();
    while (logger.ReadNext(record)) records.push_back(record);
    return records;
}

class ClearLogWindowTest : public ::testing::Test {
  protected:
    ClearLogWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        {
            TLogger logger(folders.Data() + "DrawMentor.log");
            // Three days of Jacks or Better and Deuces Wild in two modes.
            for (const TDateTime day : {46000.0, 46001.0, 46002.0})
                for (const int game : {0, 4})
                    for (const int mode : {1, 2})
                        logger.Append(Hand(game, mode, day + 0.25 * mode));
        }
        preferences = std::make_unique<TPreferences>();
        preferences->DealSpeed = 0;
        window = std::make_unique<TMainWindow>(*preferences);
    }
    ~ClearLogWindowTest() override {
        window.reset();
        preferences.reset();
    }
    TLogger& Logger() { return window->Session().Logger(); }
    // Opens the window from the menu; `choose` sets the panel before `button` closes it.
    void ClearByMenu(std::function<void(TClearLogWindow&)> choose, const char* button) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TClearLogWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            choose(*dialog);
            dialog->findChild<QPushButton*>(button)->click();
        });
        window->Menu().Item(TMenuCommand::ClearByFilter)->trigger();
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TMainWindow> window;
};

TEST_F(ClearLogWindowTest, OKRemovesExactlyTheChosenGameAndModesUpToTheDay) {
    std::vector<TLogRecord> expected;
    ClearByMenu(
        [&](TClearLogWindow& dialog) {
            auto* games = dialog.findChild<QComboBox*>("cbGame");
            games->setCurrentIndex(games->findText(" JACKS OR BETTER  (1)"));
            auto* dates = dialog.findChild<QComboBox*>("cbDate");
            dates->setCurrentIndex(2); // the middle of the three days
            dialog.findChild<QCheckBox*>("cbTraining")->setChecked(true);
            dialog.findChild<QCheckBox*>("cbRealPlay")->setChecked(false);
            const TLogFilter& filter = Logger().Filter();
            for (const TLogRecord& r : ReadAll(Logger()))
                if (!(filter.MatchesKey(r) && r.DealTime <= filter.DateFrom)) expected.push_back(r);
        },
        "btnOK");
    const std::vector<TLogRecord> left = ReadAll(Logger());
    EXPECT_EQ(left.size(), 11u); // only the first day's Jacks or Better training hand went
    EXPECT_EQ(left, expected);
    TLogger reread(folders.Data() + "DrawMentor.log");
    EXPECT_EQ(ReadAll(reread), expected);
}

TEST_F(ClearLogWindowTest, CancelKeepsTheLogButNotTheFilterChoice) {
    const int before = Logger().Count();
    ClearByMenu(
        [](TClearLogWindow& dialog) { dialog.findChild<QComboBox*>("cbGame")->setCurrentIndex(0); },
        "btnCancel");
    EXPECT_EQ(Logger().Count(), before);
    EXPECT_EQ(Logger().Filter().Game, -1); // all games, as chosen
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ClearLogWindowTest, ItsOwnHeaderAndDateLabelInBothLanguages) {
    TClearLogWindow dialog(Logger(), *preferences);
    dialog.Retranslate();
    EXPECT_EQ(dialog.windowTitle(), "Clear by Filter");
    EXPECT_EQ(dialog.findChild<QLabel*>("lOptionsHeader")->text(), "Delete the records that match");
    EXPECT_EQ(dialog.findChild<QLabel*>("lDate")->text(), "Dealt before");
    EXPECT_EQ(dialog.Panel().Groups(), unsigned{ogGame | ogDate | ogModes});
    dialog.show();
    EXPECT_GE(dialog.Panel().height(), dialog.Panel().minimumHeight());
    EXPECT_EQ(dialog.Panel().ExtraHeight(), 0);
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_EQ(dialog.findChild<QLabel*>("lOptionsHeader")->text(),
              "Удалить записи, подходящие под фильтр");
    EXPECT_EQ(dialog.findChild<QPushButton*>("btnOK")->text(), "ОК");
}

} // namespace
} // namespace drawmentor
