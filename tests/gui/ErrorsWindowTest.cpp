#include "ui/log/ErrorsWindow.h"
#include "ui/hands/AllHandsWindow.h"
#include "ui/log/ErrorsModel.h"

#include "ui/log/OptionsPanel.h"
#include "ui/main/MainMenu.h"
#include "ui/main/MainWindow.h"

#include "play/ErrorList.h"
#include "play/Session.h"
#include "prefs/Preferences.h"

#include "support/TempFolders.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

const QString kRuntime = QStringLiteral(DRAWMENTOR_RUNTIME_DIR);

QString RunCli(const QStringList& arguments) {
    QProcess cli;
    cli.start(QStringLiteral(DRAWMENTOR_CLI), arguments);
    cli.waitForFinished(120000);
    return QString::fromUtf8(cli.readAllStandardOutput());
}

// The share of error hands that `stats` prints in the first row of its
// "Effect of errors" table.
double ErrorShareFromStats(const QString& output) {
    const qsizetype table = output.lastIndexOf(QStringLiteral("Effect of errors"));
    const qsizetype row = output.indexOf(QStringLiteral("All errors"), table);
    const QString line = output.mid(row).section(QLatin1Char('\n'), 0, 0);
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts).at(2).toDouble();
}

class ErrorsWindowTest : public ::testing::Test {
  protected:
    ErrorsWindowTest() : folders(kRuntime) {
        folders.SeedDataFile(QStringLiteral("DrawMentor.returns"),
                             QStringLiteral(DRAWMENTOR_SEEDED_RETURNS));
    }
    ~ErrorsWindowTest() override {
        window.reset();
        session.reset();
        preferences.reset();
    }
    void Open() {
        preferences = std::make_unique<TPreferences>();
        session = std::make_unique<TSession>(*preferences);
        window = std::make_unique<TErrorsWindow>(session->Logger(), *preferences);
        window->Retranslate();
        window->ReadPanel();
        window->show();
    }
    // A random player's session of Deuces Wild, logged by the command line.
    void Simulate(int hands) {
        RunCli({"simulate", "--game", "4", "--paytable", "0", "--hands", QString::number(hands),
                "--seed", "7", "--policy", "random", "--data-dir", folders.Data()});
    }
    template <class T> T* Find(const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    std::vector<TLogRecord> Rows() {
        std::vector<TLogRecord> rows;
        for (int row = 0; row < window->Model().rowCount(); ++row)
            rows.push_back(window->Model().Record(row));
        return rows;
    }
    void Append(const TLogRecord& record) {
        TLogger logger(folders.Data() + "DrawMentor.log");
        logger.Append(record);
    }

    testing::TTempFolders folders;
    std::unique_ptr<TPreferences> preferences;
    std::unique_ptr<TSession> session;
    std::unique_ptr<TErrorsWindow> window;
};

TEST_F(ErrorsWindowTest, ListsEveryErrorHandOfTheFilterAsStatsCountsThem) {
    Simulate(400);
    Open();
    TLogger& logger = session->Logger();
    ASSERT_EQ(logger.Count(), 400);
    const std::vector<TLogRecord> rows = Rows();
    ASSERT_FALSE(rows.empty());
    for (const TLogRecord& r : rows) {
        EXPECT_NE(RecordSeverity(r, preferences->Severity), esNone);
        EXPECT_TRUE(logger.Filter().Matches(r));
    }
    const QString stats = RunCli({"stats", "--game", "4", "--paytable", "0", "--modes", "0123",
                                  "--data-dir", folders.Data()});
    EXPECT_NEAR(100.0 * static_cast<double>(rows.size()) / logger.Count(),
                ErrorShareFromStats(stats), 1e-5);

    // Unticking a severity leaves exactly the others.
    Find<QCheckBox>("cbSerious")->click();
    for (const TLogRecord& r : Rows())
        EXPECT_NE(RecordSeverity(r, preferences->Severity), esSerious);
    EXPECT_LT(Rows().size(), rows.size());
    Find<QCheckBox>("cbMedium")->click();
    Find<QCheckBox>("cbMinor")->click();
    EXPECT_EQ(window->Model().rowCount(), 0);
    // An empty list keeps its scroll bar, disabled, so the columns stay put.
    QApplication::processEvents();
    QScrollBar* bar = window->Grid().verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->isEnabled());
}

TEST_F(ErrorsWindowTest, HeaderClicksSortDescendingThenAscending) {
    Simulate(200);
    Open();
    QHeaderView* header = window->Grid().horizontalHeader();
    for (int column = 0; column < 4; ++column) {
        for (const bool ascending : {false, true}) {
            emit header->sectionClicked(column);
            EXPECT_EQ(window->Model().SortKey(), ascending ? column + 1 : -(column + 1));
            EXPECT_EQ(header->sortIndicatorSection(), column);
            // The mark means what it means in All Hands: Qt's ascending order
            // draws the mark of largest first.
            EXPECT_EQ(header->sortIndicatorOrder(),
                      ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
            const std::vector<TLogRecord> rows = Rows();
            for (size_t i = 1; i < rows.size(); ++i) {
                const double previous = TErrorList::SortValue(rows[i - 1], column + 1);
                const double next = TErrorList::SortValue(rows[i], column + 1);
                if (ascending)
                    EXPECT_LE(previous, next) << "column " << column << " row " << i;
                else
                    EXPECT_GE(previous, next) << "column " << column << " row " << i;
            }
        }
    }
}

// A deal of a hundred hands is one entry: its percent and its money are both
// of the whole deal's bet, and it sorts by that share beside other deals.
TEST_F(ErrorsWindowTest, ADealOfManyHandsIsAShareOfItsWholeBet) {
    RunCli({"simulate", "--game", "0", "--paytable", "0", "--hands", "20", "--hands-per-deal",
            "100", "--seed", "7", "--policy", "random", "--data-dir", folders.Data()});
    Open();
    emit window->Grid().horizontalHeader()->sectionClicked(3); // largest loss first
    ASSERT_GT(window->Model().rowCount(), 1);
    double previous = 1e9;
    for (int row = 0; row < window->Model().rowCount(); ++row) {
        const TLogRecord& r = window->Model().Record(row);
        ASSERT_EQ(r.Reserved, 100);
        for (int column = 1; column < 4; ++column) {
            const QStringList lines =
                window->Model().index(row, column).data().toString().split('\n');
            const double percent = lines[0].chopped(1).toDouble();
            const double money = QString(lines[1]).remove('$').toDouble();
            EXPECT_NEAR(money, percent / 100 * r.Bet * 100 * CoinValue(r.CoinIndex), 1e-3)
                << "row " << row << ": " << lines.join(" | ").toStdString();
            if (column == 3) {
                EXPECT_LE(-percent, previous + 1e-5) << "row " << row;
                previous = -percent;
            }
        }
    }
}

TEST_F(ErrorsWindowTest, FollowsTheFilterWhileShown) {
    Simulate(100);
    TLogRecord jacks; // the newest hand, and the only one of this session
    jacks.GameIndex = 0;
    jacks.Bet = 5;
    jacks.CoinIndex = 2;
    jacks.DealTime = Now() + 1;
    jacks.Return = 1;
    jacks.BestReturn = 3;
    Append(jacks);
    Open();
    ASSERT_EQ(window->Model().rowCount(), 1);
    EXPECT_EQ(window->Model().Record(0).GameIndex, 0);
    const QModelIndex loss = window->Model().index(0, TErrorsModel::cDifference);
    EXPECT_EQ(loss.data().toString(), "-40.00000%\n-$2.00000");
    EXPECT_EQ(window->Model().index(0, TErrorsModel::cBestReturn).data().toString(),
              "60.00000%\n$3.00000");

    auto* games = Find<QComboBox>("cbGame");
    games->setCurrentIndex(games->findText(" DEUCES WILD  (1)"));
    EXPECT_EQ(window->Model().rowCount(), 0); // the simulated session is an earlier one
    auto* dates = Find<QComboBox>("cbDate");
    dates->setCurrentIndex(dates->findText(TLogFilter::DateText(Now())));
    Find<QCheckBox>("cbTraining")->setChecked(true);
    EXPECT_GT(window->Model().rowCount(), 10);
    for (const TLogRecord& r : Rows()) EXPECT_EQ(r.GameIndex, 4);
}

TEST_F(ErrorsWindowTest, ADamagedLogShowsWhatItCan) {
    TLogRecord lost; // a game the catalogue does not have, an impossible coin and cards
    lost.GameIndex = 200;
    lost.Bet = 5;
    lost.CoinIndex = kCoinValueCount;
    lost.Dealt = {1, 2, 3, 250, 53};
    lost.Return = 0;
    lost.BestReturn = 4;
    TLogRecord unbet = lost; // no bet: no cost per coin, not an error
    unbet.GameIndex = 4;
    unbet.Bet = 0;
    TLogRecord good = lost; // an error hand of Jacks or Better
    good.GameIndex = 0;
    good.CoinIndex = 0;
    good.Dealt = {1, 2, 3, 4, 5};
    good.Return = 2;
    Append(lost);
    Append(unbet);
    Append(good);
    QFile log(folders.Data() + "DrawMentor.log");
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write(QByteArray(40, '\x7f')); // a record cut short
    log.close();
    Open();
    auto* games = Find<QComboBox>("cbGame");
    games->setCurrentIndex(0); // all games
    Find<QCheckBox>("cbAutoHold")->setChecked(true);
    // The records that are no hands are left out, as the statistics leave them out.
    ASSERT_EQ(window->Model().rowCount(), 1);
    EXPECT_EQ(window->Model().Record(0).GameIndex, 0);
    EXPECT_EQ(window->Model().index(0, 0).data().toString(), "3S 4S 5S 6S 7S");
    EXPECT_FALSE(window->grab().isNull()); // painted without a fault
}

TEST_F(ErrorsWindowTest, TheModelKeepsQtsRules) {
    Simulate(60);
    Open();
    QAbstractItemModelTester tester(&window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    emit window->Grid().horizontalHeader()->sectionClicked(3);
    Find<QCheckBox>("cbMinor")->click();
    EXPECT_EQ(window->Model().columnCount(), 4);
    EXPECT_EQ(window->Model().headerData(2, Qt::Horizontal).toString(), "Best hold");
}

TEST_F(ErrorsWindowTest, WholeRowsFitAndADoubleClickNamesTheHand) {
    Simulate(100);
    Open();
    QApplication::processEvents();
    const int rowHeight = window->Grid().verticalHeader()->defaultSectionSize();
    EXPECT_EQ(rowHeight, 78);
    EXPECT_GT(window->VisibleRows(), 2);
    EXPECT_EQ(window->Grid().viewport()->height() % rowHeight, 0);
    QSignalSpy chosen(window.get(), &TErrorsWindow::HandChosen);
    emit window->Grid().doubleClicked(window->Model().index(1, 0));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<TLogRecord>(), window->Model().Record(1));
}

TEST_F(ErrorsWindowTest, TextsInBothLanguagesAndTheVariantsAreKept) {
    Open();
    EXPECT_EQ(window->windowTitle(), "Errors");
    EXPECT_EQ(Find<QLabel>("lHeader")->text(), "Hands you did not play best");
    EXPECT_TRUE(Find<QLabel>("lLegend")->text().contains("red, the cards you held"));
    // The choices stay at the top of a tall window, the legend under them.
    window->resize(840, 1400);
    QApplication::processEvents();
    EXPECT_LE(window->Panel().y(), 2);
    EXPECT_LT(Find<QLabel>("lLegend")->y(), 700);
    Find<QCheckBox>("cbYourVariant")->click();
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_EQ(window->windowTitle(), "Ошибки");
    EXPECT_EQ(window->Model().headerData(3, Qt::Horizontal).toString(), "Разница");
    EXPECT_TRUE(Find<QLabel>("lLegend")->text().startsWith("Метки под картами"));
    EXPECT_FALSE(window->Panel().ShowYourVariant());
    window.reset(); // closing keeps the ticks for next time
    EXPECT_EQ(preferences->SettingsFile().ReadString("ShowVariants", "YourVariant"), "0");
}

TEST_F(ErrorsWindowTest, ADoubleClickShowsEveryHoldOfTheLoggedHand) {
    Simulate(50);
    preferences = std::make_unique<TPreferences>();
    preferences->DealSpeed = 0;
    TMainWindow main(*preferences);
    TLogRecord clicked;
    int selected = -1;
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* errors = qobject_cast<TErrorsWindow*>(QApplication::activeModalWidget());
        ASSERT_NE(errors, nullptr);
        ASSERT_GT(errors->Model().rowCount(), 0);
        clicked = errors->Model().Record(0);
        QTimer::singleShot(0, [&] {
            auto* allHands = qobject_cast<TAllHandsWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(allHands, nullptr);
            selected = allHands->SelectedMask();
            allHands->reject();
        });
        emit errors->Grid().doubleClicked(errors->Model().index(0, 2));
        errors->reject();
    });
    main.Menu().Item(TMenuCommand::ShowErrors)->trigger();
    EXPECT_EQ(selected, clicked.DrawMask);
}

TEST_F(ErrorsWindowTest, TheMenuOpensIt) {
    preferences = std::make_unique<TPreferences>();
    preferences->DealSpeed = 0;
    TMainWindow main(*preferences);
    QAction* item = main.Menu().Item(TMenuCommand::ShowErrors);
    ASSERT_TRUE(item->isEnabled());
    QString title;
    QTimer::singleShot(0, [&title] {
        QWidget* shown = QApplication::activeModalWidget();
        ASSERT_NE(shown, nullptr);
        title = shown->objectName();
        shown->close();
    });
    item->trigger();
    EXPECT_EQ(title, "fErrors");
}

} // namespace
} // namespace drawmentor
