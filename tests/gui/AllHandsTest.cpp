// The all-hands window: its rows, their order and texts without painting,
// the faded picture, and the window fitted to all rows.
#include "ui/hands/AllHandsModel.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/hands/HoldPictures.h"

#include "charts/StrategyChart.h"
#include "play/ChartCacheFile.h"
#include "play/HandAnalysis.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// 9/6 Jacks or Better for five coins, the command-line tool's example pays.
const std::vector<int> kJacksPays = {4000, 250, 125, 45, 30, 20, 15, 10, 5};

TPayTable PaysAtFiveCoins(const std::vector<int>& pays) {
    TPayTable table;
    for (int line = 0; line < static_cast<int>(pays.size()); ++line) table.At(5, line) = pays[line];
    return table;
}

std::vector<int> Codes(const QString& text, int jokers = 0) {
    const THandEntry entry = ParseHandEntry(text, jokers);
    EXPECT_TRUE(entry.IsValid()) << text.toStdString();
    return entry.Codes;
}

std::array<QImage, kHoldCount> BlankPictures() {
    std::array<QImage, kHoldCount> pictures;
    pictures.fill(QImage(10, 10, QImage::Format_RGB32));
    return pictures;
}

int MaskOf(const TAllHandsModel& model, int row) {
    return model.Row(row).Mask;
}

class AllHandsModelTest : public ::testing::Test {
  protected:
    // Four aces and a deuce: keeping the aces with or without the deuce
    // returns the same, and so do the four holds that draw one ace.
    AllHandsModelTest()
        : analysis(0, PaysAtFiveCoins(kJacksPays), 5, Codes(QStringLiteral("AS AH AD AC 2S"))),
          model(analysis.Engine(), BlankPictures()) {}

    THandAnalysis analysis;
    TAllHandsModel model;
};

TEST_F(AllHandsModelTest, InitialOrderBreaksTiesByDrawnCardsThenHoldText) {
    EXPECT_EQ(model.SortKey(), 2);
    for (int row = 1; row < kHoldCount; ++row)
        EXPECT_GE(model.Row(row - 1).ER, model.Row(row).ER) << row;
    // 125 coins either way; the hold that draws comes first.
    EXPECT_EQ(MaskOf(model, 0), 16);
    EXPECT_EQ(MaskOf(model, 1), 0);
    EXPECT_EQ(model.Row(0).ER, model.Row(1).ER);
    // One ace drawn, the deuce kept: equal returns, hold texts largest first.
    const int first = model.RowOfMask(1);
    EXPECT_EQ(model.Row(first).HoldText, "10000");
    EXPECT_EQ(MaskOf(model, first + 1), 2);
    EXPECT_EQ(MaskOf(model, first + 2), 4);
    EXPECT_EQ(MaskOf(model, first + 3), 8);
}

TEST_F(AllHandsModelTest, TitleClicksToggleOrderAndKeepTheSelectedHold) {
    // Every re-sort and change of mode below is checked as a model too.
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal,
                                 &model);
    QItemSelectionModel selection(&model);
    selection.select(model.index(model.RowOfMask(5), 0),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const auto selectedMask = [&] {
        const QModelIndexList rows = selection.selectedRows();
        return rows.size() == 1 ? MaskOf(model, rows.first().row()) : -1;
    };
    model.ClickTitle(1); // the column already sorted: now smallest first
    EXPECT_EQ(model.SortKey(), -2);
    EXPECT_EQ(selectedMask(), 5);
    for (int row = 1; row < kHoldCount; ++row) EXPECT_LE(model.Row(row - 1).ER, model.Row(row).ER);
    std::vector<int> ascending;
    for (int row = 0; row < kHoldCount; ++row) ascending.push_back(MaskOf(model, row));
    model.ClickTitle(1);
    EXPECT_EQ(model.SortKey(), 2);
    EXPECT_EQ(selectedMask(), 5);
    for (int row = 0; row < kHoldCount; ++row)
        EXPECT_EQ(MaskOf(model, row), ascending[kHoldCount - 1 - row]);
    // Another column sorts largest first: the hold picture by cards drawn.
    model.ClickTitle(0);
    EXPECT_EQ(model.SortKey(), 1);
    EXPECT_EQ(MaskOf(model, 0), 31);
    EXPECT_EQ(MaskOf(model, kHoldCount - 1), 0);
    EXPECT_EQ(selectedMask(), 5);
    const int fourKinds = 2 + 2; // the line column of Four of Kind
    model.SetMode(amProbability);
    model.ClickTitle(fourKinds);
    EXPECT_EQ(selectedMask(), 5);
    for (int row = 1; row < kHoldCount; ++row)
        EXPECT_GE(model.Row(row - 1).LineProbability[2], model.Row(row).LineProbability[2]);
}

TEST_F(AllHandsModelTest, CellsShowADashForNothingInEveryMode) {
    const int keepAces = model.RowOfMask(16);
    const int royal = 2, nothing = model.columnCount() - 1;
    for (int mode : {amHands, amProbability, amReturn}) {
        model.SetMode(mode);
        EXPECT_EQ(model.CellText(keepAces, royal), "- ") << mode;
        if (mode != amReturn) continue;
        for (int row = 0; row < kHoldCount; ++row) EXPECT_EQ(model.CellText(row, nothing), "- ");
    }
    EXPECT_EQ(model.CellText(keepAces, 1), "125.00000");
    model.SetMode(amHands);
    EXPECT_EQ(model.CellText(keepAces, 2 + 2), "47");
    model.SetMode(amProbability);
    EXPECT_EQ(model.CellText(keepAces, 2 + 2), "1.0000");
    model.SetMode(amReturn);
    EXPECT_EQ(model.CellText(keepAces, 2 + 2), "125.0000");
    // Drawing five: the rows keep their order when only the mode changes.
    const int drawAll = model.RowOfMask(31);
    model.SetMode(amHands);
    EXPECT_EQ(model.RowOfMask(31), drawAll);
    EXPECT_EQ(model.CellText(drawAll, nothing), QString::number(analysis.Engine().UnpaidCount(31)));
}

TEST(AllHandsCells, FormatsFollowTheirLimits) {
    EXPECT_EQ(ReturnText(0), "- ");
    EXPECT_EQ(ReturnText(0.123456L), "0.12346");
    EXPECT_EQ(HandsText(0), "- ");
    EXPECT_EQ(HandsText(1081), "1081");
    EXPECT_EQ(FractionText(0.9e-8L), "- ");
    EXPECT_EQ(FractionText(0.01234L), "0.0123");
}

// The rows against the command-line tool on the same hand and pays.
TEST(AllHandsModel, LineCountsEqualTheCommandLineAnalysis) {
    struct TCase {
        int Game;
        std::vector<int> Pays;
        QString Hand;
    };
    const std::vector<TCase> cases = {
        {0, kJacksPays, QStringLiteral("AS KS QS JS 9D")},
        {4, {4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}, QStringLiteral("2H 2C 7S 8S JD")},
        {3, {4000, 1000, 500, 250, 100, 35, 25, 15, 10, 5, 5}, QStringLiteral("JK TH JH 4C 4D")},
    };
    for (const TCase& c : cases) {
        const int jokers = GameJokers(c.Game);
        const THandAnalysis analysis(c.Game, PaysAtFiveCoins(c.Pays), 5, Codes(c.Hand, jokers));
        const TAllHandsModel model(analysis.Engine(), BlankPictures());
        QStringList pays;
        for (int pay : c.Pays) pays << QString::number(pay);
        QProcess cli;
        cli.start(QStringLiteral(DRAWMENTOR_CLI),
                  QStringList{"analyze", "--game", QString::number(c.Game), "--pays",
                              pays.join(','), "--json"} +
                      c.Hand.split(' '));
        ASSERT_TRUE(cli.waitForFinished(30000));
        ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        const QJsonArray holds =
            QJsonDocument::fromJson(cli.readAllStandardOutput()).object()["holds"].toArray();
        ASSERT_EQ(holds.size(), kHoldCount);
        for (const QJsonValue& value : holds) {
            const QJsonObject hold = value.toObject();
            const int mask = hold["mask"].toInt();
            const THandStat& stat = model.Row(model.RowOfMask(mask));
            const QJsonArray lines = hold["lines"].toArray();
            ASSERT_EQ(lines.size(), model.LineColumns() - 1);
            for (int line = 0; line < lines.size(); ++line)
                EXPECT_EQ(stat.LineHands[line], lines[line].toInteger())
                    << c.Hand.toStdString() << " mask " << mask << " line " << line;
            EXPECT_EQ(stat.LineHands[lines.size()], hold["unpaid"].toInteger());
            EXPECT_NEAR(static_cast<double>(stat.ER), hold["ev"].toDouble(), 1e-9);
        }
    }
}

TEST(HoldPictures, DrawnCardsFadeToLightGrey) {
    QImage hand(5 * 3 + 4, 2, QImage::Format_RGB32);
    hand.fill(Qt::white);
    hand.setPixel(0, 0, qRgb(0, 0, 0));       // black -> 0 div 2 + 160
    hand.setPixel(4, 0, qRgb(200, 16, 32));   // red: mean 83 -> 41 + 160
    hand.setPixel(8, 1, qRgb(254, 254, 254)); // near white -> clamped
    const QImage faded = FadedPicture(hand);
    EXPECT_EQ(faded.pixel(0, 0), qRgb(160, 160, 160));
    EXPECT_EQ(faded.pixel(4, 0), qRgb(201, 201, 201));
    EXPECT_EQ(faded.pixel(8, 1), qRgb(255, 255, 255));
    EXPECT_EQ(faded.pixel(1, 0), qRgb(255, 255, 255)); // white stays
    // Slot i lies at x = i * (w + 1): mask 2 fades only the second card.
    const auto pictures = HoldPictures(hand);
    EXPECT_EQ(pictures[0], hand);
    EXPECT_EQ(pictures[31], faded);
    EXPECT_EQ(pictures[2].pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(pictures[2].pixel(4, 0), qRgb(201, 201, 201));
    EXPECT_EQ(pictures[4].pixel(8, 1), qRgb(255, 255, 255));
    EXPECT_EQ(pictures[4].pixel(4, 0), qRgb(200, 16, 32));
}

// The page the help window shows, and the help window closed.
QString HelpPageShown() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QStringLiteral("fHelp") && top->isVisible()) {
            const QString page = top->findChild<QTextBrowser*>()->source().toString();
            top->close();
            return page;
        }
    return {};
}

class AllHandsWindowTest : public ::testing::Test {
  protected:
    AllHandsWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {}

    testing::TTempFolders folders;
    TPreferences preferences;
};

TEST_F(AllHandsWindowTest, ShowsAll33RowsWithoutScrollingInBothLanguages) {
    const std::vector<int> codes = Codes(QStringLiteral("2H 2C 7S 8S JD"));
    const THandAnalysis analysis(4, PaysAtFiveCoins({4000, 1000, 125, 75, 45, 25, 15, 10, 10, 5}),
                                 5, codes);
    TAllHandsWindow window(nullptr, analysis.Engine(),
                           {codes[0], codes[1], codes[2], codes[3], codes[4]}, 6, preferences);
    window.show();
    QTableView& grid = window.Grid();
    EXPECT_EQ(window.windowTitle(), "All Hands");
    EXPECT_EQ(window.SelectedMask(), 6);
    EXPECT_EQ(grid.model()->headerData(grid.model()->columnCount() - 1, Qt::Horizontal), "Nothing");
    const auto fits = [&] {
        const QRect last = grid.visualRect(grid.model()->index(kHoldCount - 1, 0));
        const int lastColumn = grid.model()->columnCount() - 1;
        EXPECT_LE(last.bottom(), grid.viewport()->height());
        EXPECT_LE(grid.columnViewportPosition(lastColumn) + grid.columnWidth(lastColumn),
                  grid.viewport()->width());
        EXPECT_EQ(grid.verticalScrollBar()->maximum(), 0);
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);
    };
    fits();
    grid.grab().save(QStringLiteral("/tmp/allhands-eng.png"));

    preferences.SetInterfaceLanguage(QStringLiteral("RUS"));
    emit preferences.PreferencesChanged(&preferences);
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Все варианты обмена"));
    EXPECT_EQ(window.findChild<QRadioButton*>(QStringLiteral("rbProbability"))->text(),
              QString::fromUtf8("Вероятность"));
    EXPECT_EQ(grid.model()->headerData(2, Qt::Horizontal).toString(), "Натуральный роял-флеш");
    fits();
    window.findChild<QRadioButton*>(QStringLiteral("rbReturn"))->click();
    EXPECT_EQ(window.Model().Mode(), amReturn);
    grid.horizontalHeader()->sectionClicked(1);
    EXPECT_EQ(window.Model().SortKey(), -2);
    EXPECT_EQ(window.SelectedMask(), 6);
    window.grab().save(QStringLiteral("/tmp/allhands-rus.png"));

    QApplication::setActiveWindow(&window);
    QTest::keyClick(&grid, Qt::Key_F1);
    const QString page = HelpPageShown();
    EXPECT_TRUE(page.endsWith(QStringLiteral("DrawMentor_RUS/allhands.html")))
        << page.toStdString();
}

// A chart made before for the paytable names the selected hold's line and the
// chart's own play; without one the window says nothing of charts.
TEST_F(AllHandsWindowTest, NamesTheChartLineOfTheSelectedHold) {
    const std::vector<int> codes = Codes(QStringLiteral("AS KS QS JS 2D"));
    const std::vector<int> pays = {4000, 250, 125, 45, 30, 20, 15, 10, 5};
    const THandAnalysis analysis(0, PaysAtFiveCoins(pays), 5, codes);
    const std::array<int, 5> cards{codes[0], codes[1], codes[2], codes[3], codes[4]};
    {
        TAllHandsWindow bare(nullptr, analysis.Engine(), cards, 16, preferences);
        EXPECT_TRUE(bare.ChartLineText().isEmpty());
    }
    SharedUserChartCache()->Store(
        LoadChart("drawmentor-strategy-chart 3\ngame 0\nbet 5\nlevel 2\nwilds 0\n"
                  "pays 4000 250 125 45 30 20 15 10 5\nreturn 99.5 99.54 99.5\n"
                  "deals 2598960 134459 0\nlines 2\n1 44 1f 1f 0 0 0.5 18 0 -1 0 0 0 0 0\n"
                  "1 0 1 1 0 0 0.5 0.3 0 -1 0 0 0 0 0\n"));
    TAllHandsWindow window(nullptr, analysis.Engine(), cards, 16, preferences);
    EXPECT_EQ(window.ChartLineText(), "Strategy chart: this hold is line 1, 4 to a Royal Flush.");
    window.Grid().selectRow(window.Model().RowOfMask(31));
    EXPECT_EQ(window.ChartLineText(), "Strategy chart: this hold is line 2, Discard everything; "
                                      "the chart plays line 1, 4 to a Royal Flush.");
    window.Grid().selectRow(window.Model().RowOfMask(0));
    EXPECT_TRUE(window.ChartLineText().contains("on no line"))
        << window.ChartLineText().toStdString();
}

} // namespace
} // namespace drawmentor
