#include "ui/log/StatisticsWindow.h"
#include "ui/log/StatisticsModel.h"
#include "ui/main/MainWindow.h"

#include "LogWindowFixture.h"

#include "play/ChartCacheFile.h"
#include "play/StatisticTexts.h"
#include "ui/log/ChartLineStatsModel.h"

#include "play/Statistics.h"
#include "support/JacksChart.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

namespace drawmentor {
namespace {

class StatisticsWindowTest : public testing::LogWindowFixture {
  protected:
    void Show() {
        window = std::make_unique<TStatisticsWindow>(nullptr, *preferences);
        tester = std::make_unique<QAbstractItemModelTester>(
            &window->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        window->AttachLog(session->Logger());
        window->Retranslate();
        window->show();
    }
    void ClickStatistic(int index) {
        auto* list = Find<QListWidget>(*window, "StatList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index)).center());
    }
    QString Cell(int column, int row) {
        const TStatisticsModel& model = window->Model();
        return row == 0 ? model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()
                        : model.index(row - 1, column).data().toString();
    }
    // The selected statistic as the command line prints it.
    std::string AsPrinted() {
        char text[256];
        std::string block =
            StatisticCaption(window->List().Items(window->List().Selected), preferences->Texts())
                .toStdString() +
            '\n';
        const int rows = window->List().Items(window->List().Selected).RowCount();
        for (int row = 0; row <= rows; ++row) {
            std::snprintf(text, sizeof text, "  %-30s", Cell(0, row).toUtf8().constData());
            block += text;
            for (int column = 1; column <= 3; ++column) {
                std::snprintf(text, sizeof text, " %22s", Cell(column, row).toUtf8().constData());
                block += text;
            }
            block += '\n';
        }
        return block;
    }

    std::unique_ptr<TStatisticsWindow> window;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

// Each click on the list shows that statistic, cell for cell what
// `drawmentor-cli stats` prints for the filter the window opened with.
TEST_F(StatisticsWindowTest, ListClicksShowTheCommandLinesTables) {
    PlayAndOpen();
    Show();
    const auto [status, printed] = Cli(QStringList{"stats"} + OpeningFilter());
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(printed.startsWith("95 hands in the log, 80 selected")) << printed.toStdString();
    EXPECT_EQ(window->windowTitle(), "Statistics");
    EXPECT_EQ(Find<QLabel>(*window, "lStatListHeader")->text(), "Statistics");
    for (int index : {2, 0, 4, 1, 3}) {
        SCOPED_TRACE(index);
        ClickStatistic(index);
        EXPECT_EQ(window->List().Selected, index);
        EXPECT_EQ(Find<QLabel>(*window, "lStatHeader")->text(),
                  " " + StatisticCaption(window->List().Items(index), preferences->Texts()));
        EXPECT_NE(printed.toStdString().find(AsPrinted()), std::string::npos) << AsPrinted();
    }
    // Jacks or Better has nine lines, Nothing and Total: fifteen rows are always drawn.
    EXPECT_EQ(window->Model().rowCount(), TStatisticsModel::kVisibleRows);
    EXPECT_EQ(Cell(0, 11), "Total");
    EXPECT_EQ(Cell(0, 12), "");
}

// The last entry of the list counts the hands by the chart line that plays
// them: nothing but a word until the chart is at hand, then the same table
// as `stats --by-line` prints.
TEST_F(StatisticsWindowTest, ByChartLineOnceTheChartIsAtHand) {
    PlayAndOpen();
    Show();
    ClickStatistic(6);
    ASSERT_TRUE(window->ShowsLines());
    TChartLineStatsModel& model = window->LineModel();
    QAbstractItemModelTester lineTester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0);
    auto* notes = Find<QLabel>(*window, "lLineNotes");
    EXPECT_TRUE(notes->text().contains("No strategy chart of this paytable"))
        << notes->text().toStdString();

    SharedUserChartCache()->Store(testing::JacksChart());
    Find<QCheckBox>(*window, "cbAutoHold")
        ->setChecked(true); // any change of the filter counts again
    const int lines = static_cast<int>(testing::JacksChart().Lines.size());
    ASSERT_EQ(model.rowCount(), lines + 1);
    EXPECT_EQ(model.index(lines, 0).data().toString(), "All lines");
    EXPECT_EQ(model.index(lines, 1).data().toString(), "80");
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "Accuracy, %");
    const auto [status, printed] = Cli(QStringList{"stats", "--by-line"} + OpeningFilter());
    ASSERT_EQ(status, 0);
    EXPECT_NE(printed.indexOf(notes->text().split('\n').front()), -1) << printed.toStdString();
    for (int row = 0; row <= lines; ++row) {
        QString cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells += model.index(row, column).data().toString().trimmed() + ' ';
        EXPECT_NE(printed.simplified().indexOf(cells.simplified()), -1) << cells.toStdString();
    }
    ClickStatistic(1); // back to a statistic of the list
    EXPECT_FALSE(window->ShowsLines());
    EXPECT_EQ(Cell(1, 11).trimmed(), "80");
}

TEST_F(StatisticsWindowTest, PanelChangesRecomputeAtOnce) {
    PlayAndOpen();
    Show();
    ClickStatistic(1); // hand counts
    EXPECT_EQ(Cell(1, 11).trimmed(), "80");
    Find<QCheckBox>(*window, "cbAutoHold")->setChecked(true); // no hand in AutoHold: still 80
    EXPECT_EQ(Cell(1, 11).trimmed(), "80");
    Find<QCheckBox>(*window, "cbTraining")->setChecked(false);
    for (int row = 1; row <= 11; ++row)
        for (int column = 1; column <= 3; ++column) EXPECT_EQ(Cell(column, row), "-");
    Find<QCheckBox>(*window, "cbTraining")->setChecked(true);
    Find<QComboBox>(*window, "cbGame")->setCurrentIndex(0); // all games
    EXPECT_EQ(Cell(0, 1), "All winning hands");
    EXPECT_EQ(Cell(1, 3).trimmed(), "95");
    EXPECT_EQ(Cell(0, 4), "");
}

TEST_F(StatisticsWindowTest, CtrlCCopiesTheShownTable) {
    PlayAndOpen();
    Show();
    ClickStatistic(0);
    auto* grid = Find<QTableView>(*window, "StatGrid");
    QApplication::setActiveWindow(window.get());
    grid->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
    ASSERT_EQ(lines.size(), 7); // captions, five rows, the final newline
    EXPECT_EQ(lines[0], "\tCoins\t% of coins played\tMoney");
    EXPECT_EQ(lines[2].section('\t', 0, 1), "Played\t-400");
    EXPECT_EQ(lines[2].section('\t', 2), "-100.00000\t" + Cell(3, 2).trimmed());
    EXPECT_EQ(lines[6], "");
}

// Deals of five hands and hands alone: the panel's choice counts each deal
// once, as `stats --deals` does, and the next window opens with it.
TEST_F(StatisticsWindowTest, CountingDealsMatchesTheCommandLineAndIsRemembered) {
    for (const char* handsPerDeal : {"5", "1"})
        ASSERT_EQ(Cli({"simulate", "--game", "0", "--paytable", "0", "--hands", "4",
                       "--hands-per-deal", handsPerDeal, "--seed", "3"})
                      .first,
                  0);
    Open();
    Show();
    ClickStatistic(1);
    EXPECT_EQ(Cell(1, 11).trimmed(), "24");
    EXPECT_EQ(Find<QLabel>(*window, "lStatHeader")->text(), " Hands");
    Find<QRadioButton>(*window, "rbDeals")->click();
    EXPECT_EQ(Cell(1, 11).trimmed(), "8");
    EXPECT_EQ(Find<QLabel>(*window, "lStatHeader")->text(), " Deals");
    const auto [status, printed] = Cli(QStringList{"stats", "--deals"} + OpeningFilter());
    ASSERT_EQ(status, 0);
    EXPECT_TRUE(printed.startsWith("8 deals in the log, 8 selected")) << printed.toStdString();
    for (int index = 0; index < 6; ++index) {
        SCOPED_TRACE(index);
        ClickStatistic(index);
        EXPECT_NE(printed.toStdString().find(AsPrinted()), std::string::npos) << AsPrinted();
    }
    tester.reset();
    window.reset(); // its panel keeps the choice in the settings
    Show();
    EXPECT_TRUE(Find<QRadioButton>(*window, "rbDeals")->isChecked());
    ClickStatistic(1);
    EXPECT_EQ(Cell(1, 11).trimmed(), "8");
    Find<QRadioButton>(*window, "rbHands")->click();
    EXPECT_EQ(Cell(1, 11).trimmed(), "24");
}

// The window of a player with no log, and the switch to Russian while it is open.
TEST_F(StatisticsWindowTest, EmptyLogInBothLanguages) {
    Open();
    Show();
    auto* list = Find<QListWidget>(*window, "StatList");
    ASSERT_EQ(list->count(), 7); // and the table by chart line
    for (int index = 0; index < 6; ++index) {
        ClickStatistic(index);
        const int rows = window->List().Items(index).RowCount();
        EXPECT_EQ(rows, index == 0 || index >= 4 ? 5 : 3); // errors: four rows and the hinted hands
        for (int row = 1; row <= rows; ++row)
            for (int column = 1; column <= 3; ++column) EXPECT_EQ(Cell(column, row), "-");
    }
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_EQ(window->windowTitle(), "Статистика");
    EXPECT_EQ(list->item(0)->text(), " Баланс");
    EXPECT_EQ(list->currentRow(), 5); // the selection stays
    EXPECT_EQ(Find<QLabel>(*window, "lStatHeader")->text(), " Удача и мастерство");
    EXPECT_EQ(Cell(0, 1), "Результат оптимальной игры");
    EXPECT_EQ(Cell(3, 0), "Удача, процентиль");
    // Every caption shows whole in the longer language, the hinted hands' too.
    auto* grid = Find<QTableView>(*window, "StatGrid");
    ASSERT_TRUE(grid);
    for (const int index : {4, 5}) {
        ClickStatistic(index);
        for (int row = 1; row <= window->List().Items(index).RowCount(); ++row)
            EXPECT_LE(grid->fontMetrics().horizontalAdvance(Cell(0, row)),
                      grid->columnWidth(0) - 20)
                << Cell(0, row).toStdString();
    }
    EXPECT_EQ(Find<QPushButton>(*window, "btnOK")->text(), "ОК");
    EXPECT_TRUE(HelpPageOnF1(*window).endsWith("DrawMentor_RUS/diag_stat.html"));
}

// Show Stats (Ctrl+S) and Show Charts (Ctrl+C) open their windows modally
// through the game session; OK closes them.
TEST_F(StatisticsWindowTest, TheMenuOpensBothWindows) {
    PlayAndOpen();
    session.reset();
    TMainWindow main(*preferences);
    main.show();
    for (const auto& [item, shortcut, form] : {std::tuple{"miShowStat", "Ctrl+S", "fStatistics"},
                                               std::tuple{"miShowCharts", "Ctrl+C", "fmCharts"}}) {
        SCOPED_TRACE(item);
        auto* action = main.findChild<QAction*>(item);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isEnabled());
        EXPECT_EQ(action->shortcut().toString(), shortcut);
        QString opened;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            opened = modal->objectName();
            if (auto* ok = modal->findChild<QPushButton*>("btnOK")) ok->click();
        });
        action->trigger();
        EXPECT_EQ(opened, form);
    }
}

} // namespace
} // namespace drawmentor
