#include "DialogDriver.h"
#include "support/Paytables.h"

#include "ui/chart/StrategyChartWindow.h"
#include "ui/common/MessageBox.h"

#include "games/Catalogue.h"
#include "play/ChartCacheFile.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace drawmentor {
namespace {

constexpr int kChartWaitMs = 120000; // two shared cores may be busy with other builds
using testing::kDeucesFull;
using testing::kJacks96;

class StrategyChartWindowTest : public ::testing::Test {
  protected:
    StrategyChartWindowTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        preferences = std::make_unique<TPreferences>();
        preferences->WriteOnExit = false;
    }
    void Open(int game, std::vector<int> pays) {
        TChartSubject subject;
        subject.GameIndex = game;
        subject.Pays = std::move(pays);
        subject.Bet = 5;
        subject.Caption = QStringLiteral("GAME (1)");
        window = std::make_unique<TStrategyChartWindow>(nullptr, std::move(subject), *preferences);
        window->show();
    }
    template <class T> T* Find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QString Cell(int row, int column) {
        return window->Model().data(window->Model().index(row, column)).toString();
    }
    nlohmann::json Cli(const QStringList& arguments) {
        QProcess cli;
        cli.start(QStringLiteral(DRAWMENTOR_CLI),
                  QStringList{"strategy", "--json", "--data-dir", folders.Data()} + arguments);
        EXPECT_TRUE(cli.waitForFinished(kChartWaitMs));
        return nlohmann::json::parse(cli.readAllStandardOutput().toStdString());
    }
    // Presses F1 and answers the path of the page the help shows.
    QString HelpPage() {
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_F1);
        QString page;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* browser = top->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))) {
                page = browser->source().toString();
                top->close();
            }
        return page;
    }
    QStringList CachedCharts() const {
        return QDir(folders.Data() + "Charts").entryList(QDir::Files);
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TStrategyChartWindow> window;
};

// The window's table against `drawmentor-cli strategy` for 9/6 Jacks or
// Better: the same lines, names, frequencies and returns; then the chart
// comes from the cache at once, in Russian, printed and saved.
TEST_F(StrategyChartWindowTest, ShowsTheCommandLinesChartAndKeepsIt) {
    const nlohmann::json cli = Cli({"--game", "0", "--paytable", "0"});
    Open(0, kJacks96);
    EXPECT_TRUE(window->Generating());
    QTRY_VERIFY_WITH_TIMEOUT(window->Chart() != nullptr, kChartWaitMs);
    QAbstractItemModelTester tester(&window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto& lines = cli["lines"];
    ASSERT_EQ(window->Model().rowCount(), static_cast<int>(lines.size()));
    for (int row = 0; row < window->Model().rowCount(); ++row) {
        const auto& line = lines[static_cast<size_t>(row)];
        EXPECT_EQ(Cell(row, TStrategyChartModel::cNumber), QString::number(row + 1));
        // The name, then the notes and the example hand under it.
        const QString cell = Cell(row, TStrategyChartModel::cName);
        EXPECT_EQ(cell.section('\n', 0, 0).toStdString(), line["name"].get<std::string>());
        EXPECT_TRUE(cell.endsWith(QString::fromStdString(line["example"])));
        EXPECT_EQ(Cell(row, TStrategyChartModel::cFrequency),
                  TStrategyChartModel::FrequencyText(line["frequency"]));
        EXPECT_EQ(Cell(row, TStrategyChartModel::cReturn),
                  TStrategyChartModel::ReturnText(line["average_return"]));
    }
    const QString summary = Find<QLabel>("lSummary")->text();
    EXPECT_TRUE(
        summary.contains(QString::number(cli["chart_return_percent"].get<double>(), 'f', 4) + " %"))
        << summary.toStdString();
    EXPECT_TRUE(
        summary.contains(QString::number(cli["optimal_return_percent"].get<double>(), 'f', 4)));
    EXPECT_FALSE(Find<QPushButton>("btnDrill")->isEnabled()); // not the game in play
    EXPECT_TRUE(Find<QPushButton>("btnSave")->isEnabled());
    window->reject();
    ASSERT_EQ(CachedCharts().size(), 1);

    preferences->SetInterfaceLanguage(QStringLiteral("RUS"));
    Open(0, kJacks96);
    EXPECT_FALSE(window->Generating());
    ASSERT_NE(window->Chart(), nullptr); // from the cache, at once
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Таблица стратегии"));
    EXPECT_EQ(Cell(0, TStrategyChartModel::cName).section('\n', 0, 0).toStdString(),
              lines[0]["name_ru"].get<std::string>());
    EXPECT_TRUE(Find<QLabel>("lSummary")->text().contains(QString::fromUtf8("Возврат")));
    // The longer Russian names are shown whole: the window widens for them.
    const auto* table = Find<QTableView>("tvChart");
    const QAbstractItemView* view = table; // the size hint is public there
    EXPECT_GE(table->columnWidth(TStrategyChartModel::cName),
              view->sizeHintForColumn(TStrategyChartModel::cName));
    EXPECT_TRUE(Find<QLabel>("lLegend")->text().contains(QString::fromUtf8("Пропуск")));
    EXPECT_TRUE(HelpPage().endsWith("DrawMentor_RUS/strategychart.html"));

    const QString html = folders.Data() + "chart.html";
    const QString csv = folders.Data() + "chart.csv";
    TStrategyChartWindow::SetNextSaveName([&] { return html; });
    QTest::mouseClick(Find<QPushButton>("btnSave"), Qt::LeftButton);
    ASSERT_TRUE(window->SaveTo(csv));
    const QString page = QString::fromUtf8(testing::ReadFile(html));
    EXPECT_TRUE(page.contains("<table")) << page.left(200).toStdString();
    EXPECT_TRUE(page.contains(QString::fromStdString(lines[3]["name_ru"]).toHtmlEscaped()));
    const QStringList rows = QString::fromUtf8(testing::ReadFile(csv)).trimmed().split('\n');
    ASSERT_EQ(rows.size(), static_cast<int>(lines.size()) + 1);
    EXPECT_TRUE(rows[1].startsWith("1,\"")) << rows[1].toStdString();
    TMessageBox::SetNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(window->SaveTo(folders.Data() + "no/such/folder/chart.csv"));
    EXPECT_TRUE(TMessageBox::LastText().contains("no/such/folder"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folders.Data() + "chart.pdf");
    window->PrintTo(printer);
    EXPECT_TRUE(testing::ReadFile(folders.Data() + "chart.pdf").startsWith("%PDF"));

    preferences->SetInterfaceLanguage(QStringLiteral("ENG"));
    preferences->Apply(); // the window follows a change of language at once
    EXPECT_EQ(Cell(0, TStrategyChartModel::cName).section('\n', 0, 0).toStdString(),
              lines[0]["name"].get<std::string>());
    EXPECT_TRUE(HelpPage().endsWith("DrawMentor_ENG/strategychart.html"));

    // A beginner's chart is another chart, kept beside the expert's.
    auto* level = Find<QComboBox>("cbLevel");
    level->setCurrentIndex(static_cast<int>(TChartLevel::Beginner));
    emit level->activated(level->currentIndex());
    QTRY_VERIFY_WITH_TIMEOUT(window->Chart() != nullptr, kChartWaitMs);
    EXPECT_EQ(window->Chart()->Level, TChartLevel::Beginner);
    EXPECT_LE(window->Model().rowCount(), 16);
    EXPECT_TRUE(Cell(0, TStrategyChartModel::cName).contains(" or ")) << Cell(0, 1).toStdString();
    window->grab().save(QDir::tempPath() + "/chart-beginner.png");
    EXPECT_EQ(CachedCharts().size(), 2);
}

TEST_F(StrategyChartWindowTest, ClosingStopsTheGenerationPromptly) {
    Open(4, kDeucesFull);
    QTRY_VERIFY_WITH_TIMEOUT(Find<QProgressBar>("pbChart")->value() > 0, kChartWaitMs);
    ASSERT_TRUE(window->Generating());
    QElapsedTimer clock;
    clock.start();
    window->reject();
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_FALSE(window->Generating());
    EXPECT_TRUE(CachedCharts().isEmpty());
}

TEST_F(StrategyChartWindowTest, PaytablesWithoutAStrategyGetAMessageAndNoChart) {
    const int hiddenLines = CreateDescription(kHiddenGameIndex)->LineCount();
    const struct {
        int Game;
        std::vector<int> Pays;
        const char* Message;
    } cases[] = {
        {0, std::vector<int>(9, 0), "The paytable pays nothing"},
        {0, {4000, 250, 125, 45, 30, 20, 15, -10, 5}, "negative pay"},
        {kHiddenGameIndex, std::vector<int>(static_cast<size_t>(hiddenLines), 5), "not offered"},
    };
    for (const auto& input : cases) {
        Open(input.Game, input.Pays);
        EXPECT_EQ(window->Chart(), nullptr);
        EXPECT_FALSE(window->Generating());
        EXPECT_TRUE(Find<QLabel>("lStatus")->text().contains(input.Message))
            << Find<QLabel>("lStatus")->text().toStdString();
        for (const char* button : {"btnPrint", "btnSave", "btnDrill", "btnDrillErrors"})
            EXPECT_FALSE(Find<QPushButton>(button)->isEnabled()) << button;
        window->reject();
    }
    EXPECT_TRUE(CachedCharts().isEmpty());
}

} // namespace
} // namespace drawmentor
