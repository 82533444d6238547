#include "ui/settings/PreferencesDialog.h"

#include "ui/main/MainMenu.h"
#include "ui/main/MainWindow.h"

#include "prefs/Preferences.h"
#include "prefs/SettingKeys.h"

#include "support/TempFolders.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

using testing::ReadFile;

const QString kProgramFolder = QStringLiteral(DRAWMENTOR_RUNTIME_DIR);

class PreferencesDialogTest : public ::testing::Test {
  protected:
    void Open(const QString& programFolder = kProgramFolder) {
        folders = std::make_unique<testing::TTempFolders>(programFolder);
        preferences = std::make_unique<TPreferences>();
        dialog = std::make_unique<TPreferencesDialog>(*preferences);
        dialog->Retranslate();
        dialog->LoadFrom();
    }
    template <class T> T* Find(const char* name) {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }

    std::unique_ptr<testing::TTempFolders> folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TPreferencesDialog> dialog;
};

TEST_F(PreferencesDialogTest, ShowsWhatThePreferencesHold) {
    Open();
    preferences->AutoSave = asCredits | asTime;
    preferences->SaveForNewGame = true;
    preferences->DealSpeed = 60;
    dialog->LoadFrom();
    EXPECT_EQ(dialog->LanguageCodes(), (QStringList{"ENG", "RUS"}));
    EXPECT_EQ(dialog->LanguageColumns(), 1);
    EXPECT_TRUE(Find<QRadioButton>("rbLanguage0")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("rbLanguage1")->text(), "  Русский");
    EXPECT_TRUE(Find<QCheckBox>("cbCredits")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("cbBalance")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbTime")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("cbSaveForNew")->isChecked());
    auto* speed = Find<QSlider>("TrackBar");
    EXPECT_EQ(speed->value(), 60);
    EXPECT_EQ(speed->maximum(), 200);
    EXPECT_EQ(speed->tickInterval(), 20);
    EXPECT_EQ(speed->singleStep(), 20);
    // "Quick" is the top end: the value 0 is drawn at the top.
    EXPECT_TRUE(speed->invertedAppearance());
    EXPECT_EQ(dialog->windowTitle(), "Preferences");
    EXPECT_EQ(Find<QCheckBox>("cbHands")->text(), "  Hands");
    EXPECT_EQ(Find<QGroupBox>("gbSpeed")->title(), "  Deal speed  ");
}

TEST_F(PreferencesDialogTest, ApplyStoresEveryFieldAndAnnouncesIt) {
    Open();
    QSignalSpy changed(preferences.get(), &TPreferences::PreferencesChanged);
    for (const char* box : {"cbCredits", "cbBalance", "cbValue", "cbAccuracy", "cbHands", "cbTime"})
        Find<QCheckBox>(box)->setChecked(false);
    Find<QCheckBox>("cbSaveForNew")->setChecked(false);
    Find<QSlider>("TrackBar")->setValue(0);
    Click("btnApply");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(preferences->AutoSave, 0u);
    EXPECT_FALSE(preferences->SaveForNewGame);
    EXPECT_EQ(preferences->DealSpeed, 0);
    preferences->SaveSettings();
    EXPECT_EQ(ReadSetting(preferences->SettingsFile(), TSetting::AutoSave), "");
    EXPECT_EQ(ReadSetting(preferences->SettingsFile(), TSetting::DealSpeed), "0");
}

TEST_F(PreferencesDialogTest, ANewLanguageShowsAtOnceAndCancelKeepsWhatWasApplied) {
    Open();
    Find<QRadioButton>("rbLanguage1")->setChecked(true);
    Click("btnApply");
    EXPECT_EQ(preferences->InterfaceLanguage, "RUS");
    EXPECT_EQ(preferences->HelpLanguage, "RUS");
    EXPECT_EQ(dialog->windowTitle(), "Параметры");
    EXPECT_EQ(Find<QLabel>("lQuick")->text(), "Быстрая");
    EXPECT_EQ(Find<QPushButton>("btnCancel")->text(), "Отмена");
    Find<QSlider>("TrackBar")->setValue(180);
    Click("btnCancel");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(preferences->InterfaceLanguage, "RUS");
    EXPECT_NE(preferences->DealSpeed, 180);
}

TEST_F(PreferencesDialogTest, ThreeLanguagesTakeTwoColumnsAndANamelessOneIsListed) {
    testing::TTempFolders own;
    own.WriteProgramFile("Langs/ENG.ini", ReadFile(kProgramFolder + "/Langs/ENG.ini"));
    own.WriteProgramFile("Langs/RUS.ini", ReadFile(kProgramFolder + "/Langs/RUS.ini"));
    own.WriteProgramFile("Langs/xyz.ini", "[Other]\nKey=1\n");
    Open(own.Program());
    EXPECT_EQ(dialog->LanguageCodes(), (QStringList{"ENG", "RUS", "XYZ"}));
    EXPECT_EQ(dialog->LanguageColumns(), 2);
    EXPECT_EQ(Find<QRadioButton>("rbLanguage2")->text(), "  ");
}

TEST_F(PreferencesDialogTest, WithoutLanguageFilesTheLanguageStays) {
    testing::TTempFolders empty;
    Open(empty.Program());
    EXPECT_TRUE(dialog->LanguageCodes().isEmpty());
    const QString before = preferences->InterfaceLanguage;
    Click("btnOK");
    EXPECT_EQ(preferences->InterfaceLanguage, before);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(PreferencesDialogTest, F1OpensThePreferencesTopic) {
    Open();
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    QTextBrowser* browser = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == "fHelp" && window->isVisible())
            browser = window->findChild<QTextBrowser*>("HelpBrowser");
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->source().path().endsWith("DrawMentor_ENG/prefs.html"));
    browser->window()->close();
}

TEST_F(PreferencesDialogTest, TheMenuOpensItAndTheMainWindowFollowsTheLanguage) {
    Open();
    preferences->DealSpeed = 0;
    TMainWindow window(*preferences);
    QAction* item = window.Menu().Item(TMenuCommand::ChangePreferences);
    ASSERT_TRUE(item->isEnabled());
    EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<TPreferencesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->findChild<QRadioButton*>("rbLanguage1")->setChecked(true);
        shown->findChild<QPushButton*>("btnOK")->click();
    });
    item->trigger();
    EXPECT_EQ(preferences->InterfaceLanguage, "RUS");
    EXPECT_EQ(window.Menu().Item(TMenuCommand::ChangePreferences)->text(), "&Параметры...");
}

} // namespace
} // namespace drawmentor
