#include "DialogDriver.h"

#include "ui/common/MessageBox.h"
#include "ui/paytable/EditPaytableWindow.h"
#include "ui/paytable/PaytableModel.h"
#include "ui/paytable/ReturnPanel.h"
#include "ui/paytable/SelectController.h"

#include "games/Catalogue.h"
#include "play/PaytableStore.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/FileFaults.h"
#include "support/Paytables.h"
#include "support/TempFolders.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QValidator>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

using testing::ClickButton;

using testing::kJacks;
constexpr int kRoyal = 0;
constexpr int kFullHouse = 3;

class EditPaytableTest : public ::testing::Test {
  protected:
    EditPaytableTest()
        : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)), game(CreateDescription(kJacks)) {
        preferences = std::make_unique<TPreferences>();
        session = std::make_unique<TSession>(*preferences);
        session->SelectGame(kJacks, 0);
        controller.Init(*session);
    }
    std::unique_ptr<TEditPaytableWindow> Open(TEditPaytableWindow::TEditMode mode) {
        const TPayTable pays =
            mode == TEditPaytableWindow::emAdd ? EmptyPayTable() : controller.Pays();
        auto editor = std::make_unique<TEditPaytableWindow>(
            nullptr, *preferences, *game, pays, mode,
            [this, mode](const TPayTable& result) {
                mode == TEditPaytableWindow::emAdd ? controller.StoreAdded(result)
                                                   : controller.StoreEdited(result);
            },
            [this, mode](const TPayTable& result) {
                return controller.StoredEqualTo(
                    result, mode == TEditPaytableWindow::emAdd ? -1 : controller.PayIndex());
            });
        tester = std::make_unique<QAbstractItemModelTester>(
            &editor->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        editor->show();
        return editor;
    }
    static void Type(TEditPaytableWindow& editor, int line, int coins, const QString& text) {
        auto& model = editor.Model();
        model.setData(model.index(line, coins), text, Qt::EditRole);
    }
    static int Pay(TEditPaytableWindow& editor, int line, int coins) {
        return editor.Model().Pays().At(coins, line);
    }
    static bool OkEnabled(TEditPaytableWindow& editor) {
        return editor.findChild<QPushButton*>("btnOK")->isEnabled();
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPokerDescription> game;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
    TSelectController controller;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(EditPaytableTest, TheOneCoinPayFillsTheOtherColumnsButKeepsPaysSetByHand) {
    auto editor = Open(TEditPaytableWindow::emAdd);
    EXPECT_EQ(editor->windowTitle(), "New Paytable");
    EXPECT_EQ(editor->Model().data(editor->Model().index(kRoyal, 0), Qt::DisplayRole),
              "  ROYAL FLUSH");
    EXPECT_EQ(editor->Model().data(editor->Model().index(kRoyal, 3), Qt::DisplayRole), "");
    Type(*editor, kRoyal, 1, "250");
    EXPECT_EQ(Pay(*editor, kRoyal, 2), 500);
    EXPECT_EQ(Pay(*editor, kRoyal, 3), 750);
    EXPECT_EQ(Pay(*editor, kRoyal, 4), 1000);
    EXPECT_EQ(Pay(*editor, kRoyal, 5), 1250);
    Type(*editor, kRoyal, 5, "4000");
    Type(*editor, kRoyal, 1, " 300 ");
    EXPECT_EQ(Pay(*editor, kRoyal, 2), 600);
    EXPECT_EQ(Pay(*editor, kRoyal, 3), 900);
    EXPECT_EQ(Pay(*editor, kRoyal, 4), 1200);
    EXPECT_EQ(Pay(*editor, kRoyal, 5), 4000);
    // A product that would not fit five digits is cut to the largest pay,
    // never left blank; a pasted pay is cut the same way.
    Type(*editor, kRoyal, 1, "30000");
    EXPECT_EQ(Pay(*editor, kRoyal, 3), 90000);
    EXPECT_EQ(Pay(*editor, kRoyal, 4), 99999);
    EXPECT_EQ(Pay(*editor, kRoyal, 5), 4000) << "set by hand";
    Type(*editor, kRoyal, 1, "40000"); // the cut column still follows the one-coin pay
    EXPECT_EQ(Pay(*editor, kRoyal, 4), 99999);
    EXPECT_EQ(Pay(*editor, kRoyal, 2), 80000);
    Type(*editor, kRoyal, 2, "1234567");
    EXPECT_EQ(Pay(*editor, kRoyal, 2), 99999);
}

TEST_F(EditPaytableTest, OddPaysAndStoredTwinsAreToldNotRefused) {
    auto editor = Open(TEditPaytableWindow::emAdd);
    const TPayTable stored = controller.Pays(); // the first stored paytable
    for (int line = 0; line <= game->LastLine; ++line) Type(*editor, line, 1, "1");
    EXPECT_EQ(editor->Warning(), "") << "equal pays are no inversion";
    for (int line = 0; line <= game->LastLine; ++line)
        for (int coins = 1; coins <= 5; ++coins)
            Type(*editor, line, coins, QString::number(stored.At(coins, line)));
    EXPECT_EQ(editor->Warning(), "This paytable is the same as stored paytable 1 (9/6).");
    Type(*editor, kFullHouse, 1, "5"); // a full house paying less than a flush
    EXPECT_EQ(editor->Warning().toStdString(),
              "Full House pays less than Flush, a more common hand, at a bet of 1. Check the pays "
              "before you press OK.");
    EXPECT_TRUE(OkEnabled(*editor)) << "a warning, never a refusal";
    EXPECT_EQ(editor->findChild<QLabel*>("lPayWarning")->text(), editor->Warning());
    // Editing a stored paytable is no twin of itself.
    auto edited = Open(TEditPaytableWindow::emEdit);
    EXPECT_EQ(edited->Warning(), "");
}

TEST(PaytableNames, ShortNamesAndInversionsOfTheStoredPaytables) {
    testing::TTempFolders folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    const auto store = OpenPaytableStore();
    const auto jacks = CreateDescription(kJacks);
    EXPECT_EQ(PaytableShortName(*jacks, store->ReadPaytable(kJacks, 0)), "9/6");
    for (const auto& entry : GameNames()) {
        const auto game = CreateDescription(entry.GameIndex);
        for (int pay = 0; pay < store->PaytableCount(entry.GameIndex); ++pay) {
            const TPayTable pays = store->ReadPaytable(entry.GameIndex, pay);
            // Every paytable anyone plays pays rarer hands at least as much.
            EXPECT_EQ(FindPayInversion(*game, pays).Line, -1) << entry.Name << " " << pay + 1;
            if (game->IsWildGame()) {
                EXPECT_EQ(PaytableShortName(*game, pays), "") << entry.Name;
            }
        }
    }
}

TEST_F(EditPaytableTest, AnEmptyCellDisablesOkAndHidesTheReturn) {
    auto editor = Open(TEditPaytableWindow::emEdit);
    EXPECT_EQ(editor->windowTitle(), "Edit Paytable");
    EXPECT_TRUE(OkEnabled(*editor));
    Type(*editor, kFullHouse, 2, "");
    EXPECT_EQ(Pay(*editor, kFullHouse, 2), -1);
    EXPECT_FALSE(OkEnabled(*editor));
    EXPECT_FALSE(editor->Returns().Running());
    EXPECT_EQ(editor->Returns().findChild<QLabel*>("lReturn")->text(),
              "Fill in every pay to see the return.");
    Type(*editor, kFullHouse, 2, "x7"); // not a number: empty as well
    EXPECT_EQ(Pay(*editor, kFullHouse, 2), -1);
    Type(*editor, kFullHouse, 2, "18");
    EXPECT_TRUE(OkEnabled(*editor));
}

// A kicker line is the longest name in Russian: the window widens for it.
TEST_F(EditPaytableTest, LinesAndGameReadInTheInterfaceLanguageUncut) {
    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    const auto kicker = CreateDescription(35);
    TEditPaytableWindow editor(nullptr, *preferences, *kicker, EmptyPayTable(),
                               TEditPaytableWindow::emAdd, [](const TPayTable&) {}, {});
    editor.show();
    QApplication::processEvents();
    EXPECT_EQ(editor.findChild<QLabel*>("lPokerName")->text(), "ДВОЙНОЙ ДВОЙНОЙ БОНУС");
    const QString line =
        editor.Model().data(editor.Model().index(2, 0), Qt::DisplayRole).toString();
    EXPECT_EQ(line, "  ЧЕТЫРЕ ТУЗА С КИКЕРОМ 2–4");
    const auto* grid = editor.findChild<QTableView*>("PayoutGrid");
    EXPECT_GT(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(line + "  "));
}

TEST_F(EditPaytableTest, OnlyPaysCanBeEditedAndOnlyWithFiveDigits) {
    auto editor = Open(TEditPaytableWindow::emEdit);
    const auto& model = editor->Model();
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    auto* grid = editor->findChild<QTableView*>("PayoutGrid");
    EXPECT_EQ(grid->currentIndex(), model.index(0, 1));
    QWidget* widget = grid->itemDelegate()->createEditor(grid->viewport(), {}, model.index(0, 1));
    auto* line = qobject_cast<QLineEdit*>(widget);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 5);
    QString text = "12a";
    int position = 0;
    EXPECT_EQ(line->validator()->validate(text, position), QValidator::Invalid);
    text = "-3";
    EXPECT_EQ(line->validator()->validate(text, position), QValidator::Invalid);
    text = "99999";
    EXPECT_EQ(line->validator()->validate(text, position), QValidator::Acceptable);
    delete widget;
    // The columns follow the window's rule and the rows fill the grid.
    int width = 0;
    for (int column = 0; column < 6; ++column) width += grid->columnWidth(column);
    EXPECT_EQ(width, grid->viewport()->width());
}

TEST_F(EditPaytableTest, AFileThatCannotBeWrittenIsReportedAndTheEditStaysOpen) {
    auto editor = Open(TEditPaytableWindow::emEdit);
    {
        testing::TFileFaultScope full(TFileStep::Write, "DrawMentor.dat"); // a full disk
        Type(*editor, kRoyal, 5, "4700");
        TMessageBox::SetNextAnswer(QMessageBox::Ok);
        ClickButton(*editor, "btnOK");
        EXPECT_GT(full.Hits, 0);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_NE(editor->result(), QDialog::Accepted);
        EXPECT_TRUE(TMessageBox::LastText().startsWith("The paytable could not be saved"));
        EXPECT_EQ(Pay(*editor, kRoyal, 5), 4700);
        EXPECT_EQ(controller.Pays().At(5, kRoyal), 4000); // the store holds what the file holds
    }
    // Room on the disk again: the same edit saves.
    ClickButton(*editor, "btnOK");
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_EQ(controller.Pays().At(5, kRoyal), 4700);
    EXPECT_TRUE(folders.ReadDataFile("DrawMentor.dat").contains("  4700"));
}

// The player sees what a change of a pay is worth: 9/6 against 8/5.
TEST_F(EditPaytableTest, TheReturnFollowsTheEditShortlyAfterTyping) {
    auto editor = Open(TEditPaytableWindow::emEdit);
    TReturnPanel& returns = editor->Returns();
    QTRY_VERIFY_WITH_TIMEOUT(returns.Shown().has_value(), 120000);
    const long double before = returns.Shown()->ReturnPercent;
    Type(*editor, kFullHouse, 1, "8");
    Type(*editor, 4, 1, "5");
    EXPECT_TRUE(returns.Running());
    EXPECT_FALSE(returns.Shown().has_value());
    QTRY_VERIFY_WITH_TIMEOUT(returns.Shown().has_value(), 120000);
    EXPECT_EQ(returns.ShownPays(), PaysForBet(editor->Model().Pays(), game->LastLine, 5));
    EXPECT_NEAR(static_cast<double>(before - returns.Shown()->ReturnPercent), 2.2, 0.1);
}

} // namespace
} // namespace drawmentor
