#include "DialogDriver.h"

#include "ui/common/CardImage.h"
#include "ui/settings/DeckDialog.h"

#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

const QString kRuntimePrefix = QStringLiteral(DRAWMENTOR_RUNTIME_DIR "/");

class DeckDialogTest : public ::testing::Test {
  protected:
    // A program folder of its own with the language files and the given decks.
    void Install(const QStringList& decks) {
        for (const char* name : {"Langs/ENG.ini", "Langs/RUS.ini", "data/back.001"})
            folders.WriteProgramFile(name,
                                     testing::ReadFile(kRuntimePrefix + QString::fromLatin1(name)));
        for (const QString& code : decks)
            folders.WriteProgramFile("data/deck." + code,
                                     testing::ReadFile(kRuntimePrefix + "data/deck." + code));
        preferences = std::make_unique<TPreferences>();
    }
    std::unique_ptr<TDeckDialog> Open(const QString& code) {
        auto dialog = std::make_unique<TDeckDialog>(nullptr, code, *preferences);
        dialog->show();
        return dialog;
    }
    static QListWidget& List(QWidget& dialog) { return *dialog.findChild<QListWidget*>("lbDecks"); }
    static int Shown(QWidget& dialog) {
        int shown = 0;
        for (const TCardImage* image : dialog.findChildren<TCardImage*>())
            shown += image->isVisible() && !image->Image().isNull();
        return shown;
    }
    static bool OkEnabled(QWidget& dialog) {
        return dialog.findChild<QPushButton*>("btnOK")->isEnabled();
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
};

TEST_F(DeckDialogTest, ListsTheInstalledDecksByNameAndPreviewsTheCurrentOne) {
    Install({"001", "002", "003", "004"});
    auto dialog = Open("003");
    EXPECT_EQ(dialog->DeckCodes(), QStringList({"001", "002", "003", "004"}));
    ASSERT_EQ(List(*dialog).count(), 4);
    EXPECT_EQ(List(*dialog).item(0)->text(), " CLASSIC");
    EXPECT_EQ(List(*dialog).currentRow(), 2);
    EXPECT_EQ(dialog->findChild<QLabel*>("lHeader")->text(), "TRADITIONAL");
    EXPECT_EQ(Shown(*dialog), 15);
    // Five columns and three rows spread over the panel, 5 pixels in.
    const auto images = dialog->findChildren<TCardImage*>();
    const QWidget* panel = dialog->findChild<QWidget*>("ImagesPanel");
    EXPECT_EQ(images[0]->pos(), QPoint(5, 5));
    EXPECT_EQ(images[14]->geometry().right(), panel->width() - 6);
    EXPECT_EQ(images[14]->geometry().bottom(), panel->height() - 6);
    List(*dialog).setCurrentRow(3);
    EXPECT_EQ(dialog->CurrentCode(), "004");
    EXPECT_TRUE(OkEnabled(*dialog));
}

TEST_F(DeckDialogTest, ADeckThatIsNotInstalledHighlightsTheFirst) {
    Install({"002", "004"});
    auto dialog = Open("003");
    EXPECT_EQ(List(*dialog).currentRow(), 0);
    EXPECT_EQ(dialog->CurrentCode(), "002");
    EXPECT_EQ(Shown(*dialog), 15);
}

TEST_F(DeckDialogTest, AFolderWithoutDecksGivesAnEmptyListAndNoPreview) {
    Install({});
    auto dialog = Open("001");
    EXPECT_EQ(List(*dialog).count(), 0);
    EXPECT_EQ(Shown(*dialog), 0);
    EXPECT_FALSE(OkEnabled(*dialog));
}

TEST_F(DeckDialogTest, ADamagedDeckIsShownAsUnusable) {
    Install({"001"});
    folders.WriteProgramFile("data/deck.007", "not a deck at all");
    auto dialog = Open("007");
    EXPECT_FALSE(dialog->Usable(1));
    EXPECT_EQ(List(*dialog).item(1)->text(), "  (file damaged)");
    EXPECT_EQ(Shown(*dialog), 0);
    EXPECT_FALSE(OkEnabled(*dialog));
    List(*dialog).setCurrentRow(0);
    EXPECT_EQ(Shown(*dialog), 15);
    EXPECT_TRUE(OkEnabled(*dialog));
}

TEST_F(DeckDialogTest, OkReturnsTheHighlightedDeckAndCancelNothing) {
    Install({"001", "002"});
    testing::WhenModal([](QWidget& dialog) {
        List(dialog).setCurrentRow(1);
        testing::ClickButton(dialog, "btnOK");
    });
    EXPECT_EQ(ChooseDeck(nullptr, "001", *preferences), "002");
    testing::WhenModal([](QWidget& dialog) {
        List(dialog).setCurrentRow(1);
        testing::ClickButton(dialog, "btnCancel");
    });
    EXPECT_EQ(ChooseDeck(nullptr, "001", *preferences), "");
}

TEST_F(DeckDialogTest, TextsFollowTheInterfaceLanguageAndF1ShowsItsHelp) {
    Install({"001"});
    folders.WriteProgramFile(
        "Help/DrawMentor_ENG/diag_deck.html",
        testing::ReadFile(kRuntimePrefix + "Help/DrawMentor_ENG/diag_deck.html"));
    auto dialog = Open("001");
    EXPECT_EQ(testing::HelpPageAfterF1(*dialog), "diag_deck.html");
    EXPECT_EQ(dialog->windowTitle(), "Choose Deck");
    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    emit preferences->PreferencesChanged(preferences.get());
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Выбор колоды"));
    EXPECT_EQ(List(*dialog).item(0)->text(), QString::fromUtf8(" КЛАССИЧЕСКАЯ"));
    EXPECT_EQ(dialog->findChild<QLabel*>("lDeckList")->text(), QString::fromUtf8("Колоды"));
}

} // namespace
} // namespace drawmentor
