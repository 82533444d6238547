#include "DialogDriver.h"

#include "ui/common/CardImage.h"
#include "ui/main/FirstStart.h"
#include "ui/main/MainWindow.h"
#include "ui/settings/BackDialog.h"

#include "games/Catalogue.h"
#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include "support/TempFolders.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// The menu items that open the choosers, and the first start.
class MainWindowChoosersTest : public ::testing::Test {
  protected:
    MainWindowChoosersTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
        preferences->DealSpeed = 0;
    }
    void OpenWindow() {
        window = std::make_unique<TMainWindow>(*preferences);
        window->show();
    }
    void Trigger(TMenuCommand command) {
        QAction* item = window->Menu().Item(command);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TMainWindow> window;
};

TEST_F(MainWindowChoosersTest, TheDeckChooserOpensOnceAtTheFirstStart) {
    OpenWindow();
    int opened = 0;
    testing::WhenModal([&](QWidget& dialog) {
        ++opened;
        EXPECT_EQ(dialog.objectName(), "fmDeckDialog");
        dialog.findChild<QListWidget*>("lbDecks")->setCurrentRow(1);
        testing::ClickButton(dialog, "btnOK");
    });
    OfferDeckAtFirstStart(*window, *preferences);
    QTRY_COMPARE(opened, 1);
    EXPECT_EQ(window->Paint().DeckCode, "002");
    window.reset(); // the deck goes into the settings
    EXPECT_EQ(ReadSetting(preferences->SettingsFile(), TSetting::Deck), "002");
    OpenWindow();
    OfferDeckAtFirstStart(*window, *preferences);
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainWindowChoosersTest, AChosenGameIsLaidOutAndAChosenBackIsSet) {
    OpenWindow();
    testing::WhenModal([](QWidget& choose) {
        auto* list = choose.findChild<QListWidget*>("PokerList");
        list->setCurrentItem(list->findItems(" BONUS POKER", Qt::MatchExactly).at(0));
        testing::ClickButton(choose, "btnOK");
    });
    Trigger(TMenuCommand::SelectGame);
    EXPECT_EQ(QString::fromStdString(GameName(window->Session().Game().GameIndex())),
              "Bonus Poker");
    EXPECT_EQ(window->findChild<QLabel*>("lPokerName")->text(), "BONUS POKER  (1)");

    testing::WhenModal([](QWidget& dialog) {
        QTest::mouseClick(&static_cast<TBackDialog&>(dialog).Image(9), Qt::LeftButton);
        testing::ClickButton(dialog, "btnOK");
    });
    Trigger(TMenuCommand::SelectBack);
    EXPECT_EQ(window->Paint().BackIndex, 9);
}

} // namespace
} // namespace drawmentor
