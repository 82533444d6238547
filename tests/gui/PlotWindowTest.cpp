#include "ui/log/PlotWindow.h"

#include "LogWindowFixture.h"

#include "play/Logger.h"
#include "ui/common/PlotAxis.h"

#include <QChart>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>
#include <QValueAxis>

#include <cmath>

namespace drawmentor {
namespace {

class ChartWindowTest : public testing::LogWindowFixture {
  protected:
    void Show() {
        window = std::make_unique<TPlotWindow>(nullptr, *preferences);
        window->AttachLogger(session->Logger());
        window->resize(800, 520);
        window->show();
    }
    void ClickChart(int index) {
        auto* list = Find<QListWidget>(*window, "ChartList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(index)).center());
    }
    static QString Csv(const TLogCurves& series) {
        QString text;
        QTextStream out(&text);
        WriteCurvesCsv(series, out);
        out.flush();
        return text;
    }
    int VisibleMarkers() {
        int visible = 0;
        for (QLegendMarker* marker : window->Chart().legend()->markers())
            visible += marker->isVisible();
        return visible;
    }
    QValueAxis* Axis(Qt::Orientation orientation) {
        return qobject_cast<QValueAxis*>(window->Chart().axes(orientation).front());
    }
    QRadioButton* Dollars() { return Find<QRadioButton>(*window, "rbDollars"); }

    std::unique_ptr<TPlotWindow> window;
};

// A click on the list plots that chart: its caption, one legend entry per
// curve, the green line only for two-curve charts, units only for 0, 3 and 4.
// Counted axes tick on whole numbers however few the counts; values may not.
TEST(ChartAxis, CountsTickOnWholeNumbers) {
    for (double high : {1.0, 2.0, 3.0, 4.0, 7.0, 1000.0}) {
        QValueAxis axis;
        FitAxis(&axis, 0, high, true);
        const double step = (axis.max() - axis.min()) / (axis.tickCount() - 1);
        EXPECT_EQ(step, std::round(step)) << high;
        EXPECT_LE(axis.max(), std::max(high * 1.5, high + 1)) << high;
        EXPECT_GE(axis.max(), high);
        EXPECT_EQ(axis.labelFormat(), "%.0f") << high;
    }
    QValueAxis value;
    FitAxis(&value, 0, 1);
    EXPECT_EQ(value.labelFormat(), "%.1f");
}

TEST_F(ChartWindowTest, ListClicksSwitchTheChart) {
    PlayAndOpen();
    Show();
    EXPECT_EQ(window->Selected(), 0);
    EXPECT_EQ(window->windowTitle(), "Charts");
    const char* names[5] = {"Balance", "Accuracy", "Hands per hour", "Loss on errors",
                            "Double-up balance"};
    for (int index : {1, 2, 3, 4, 0}) {
        SCOPED_TRACE(index);
        ClickChart(index);
        EXPECT_EQ(window->Selected(), index);
        EXPECT_EQ(Find<QLabel>(*window, "lChartCaption")->text(), QString("  ") + names[index]);
        const int curves = index == 0 || index == 3 ? 2 : 1;
        EXPECT_EQ(window->LegendTexts().size(), curves);
        EXPECT_EQ(VisibleMarkers(), curves);
        EXPECT_EQ(window->Curve(1).isVisible(), curves == 2);
        EXPECT_EQ(window->Curve(0).name(), window->LegendTexts()[0]);
        EXPECT_EQ(Dollars()->isEnabled(), index == 0 || index == 3 || index == 4);
    }
    EXPECT_EQ(window->LegendTexts(), (QStringList{"Your balance", "Balance with best play"}));
    EXPECT_EQ(Axis(Qt::Horizontal)->titleText(), "Hands");
    EXPECT_EQ(Axis(Qt::Vertical)->titleText(), "Balance, Coins");
    EXPECT_EQ(window->Curve(0).pen().color(), QColor(Qt::blue));
    EXPECT_EQ(window->Curve(0).pen().width(), 2);
}

// The window plots what `drawmentor-cli chart` prints for the same filter,
// and its CSV file is that output.
TEST_F(ChartWindowTest, PlotsTheCommandLinesCurves) {
    PlayAndOpen();
    Show();
    const char* kinds[5] = {"balance", "accuracy", "hand-rate", "loss-on-errors", "double-up"};
    for (int index = 0; index < 5; ++index) {
        SCOPED_TRACE(index);
        ClickChart(index);
        const auto [status, printed] =
            Cli(QStringList{"chart", "--kind", kinds[index], "--csv"} + OpeningFilter());
        ASSERT_EQ(status, 0);
        EXPECT_EQ(Csv(window->Series()), printed);
        const QString file = folders.Data() + "chart.csv";
        ASSERT_TRUE(window->SaveTo(file));
        EXPECT_EQ(QString::fromUtf8(testing::ReadFile(file)), printed);
    }
    ClickChart(0);
    EXPECT_EQ(window->Series().PointCount(), 80);
    EXPECT_EQ(window->Curve(0).count(), 80); // few enough to plot every one
    EXPECT_EQ(window->Curve(0).points(), window->Series().Curves[0]);
    // The axes show every point.
    for (const QPointF& p : window->Curve(1).points()) {
        EXPECT_GE(p.y(), Axis(Qt::Vertical)->min());
        EXPECT_LE(p.y(), Axis(Qt::Vertical)->max());
    }
    EXPECT_GE(Axis(Qt::Horizontal)->max(), 79);
}

TEST_F(ChartWindowTest, PanelChangesRedrawAtOnce) {
    PlayAndOpen();
    Show();
    const double coins = window->Series().Curves[0].back().y();
    Dollars()->click(); // a quarter a coin, the simulation's coin value
    EXPECT_DOUBLE_EQ(window->Series().Curves[0].back().y(), coins * 0.25);
    EXPECT_EQ(Axis(Qt::Vertical)->titleText(), "Balance, Dollars");
    ClickChart(1); // accuracy knows no units
    EXPECT_FALSE(Dollars()->isEnabled());
    EXPECT_EQ(Axis(Qt::Vertical)->titleText(), "Accuracy, %");
    Find<QCheckBox>(*window, "cbTraining")->setChecked(false);
    EXPECT_EQ(window->Series().PointCount(), 0);
    EXPECT_EQ(window->Curve(0).count(), 0);
    EXPECT_TRUE(std::isfinite(Axis(Qt::Vertical)->min()));
    EXPECT_TRUE(std::isfinite(Axis(Qt::Vertical)->max()));
}

// A player with no log sees five empty charts; the texts follow the language.
TEST_F(ChartWindowTest, EmptyLogInBothLanguages) {
    Open();
    Show();
    for (int index = 0; index < 5; ++index) {
        ClickChart(index);
        EXPECT_EQ(window->Curve(0).count(), 0);
        EXPECT_EQ(window->Curve(1).count(), 0);
    }
    ClickChart(3);
    preferences->SetInterfaceLanguage("RUS");
    preferences->Apply();
    EXPECT_EQ(window->windowTitle(), "Графики");
    EXPECT_EQ(window->Selected(), 3);
    EXPECT_EQ(Find<QLabel>(*window, "lChartCaption")->text(), "  Потери на ошибках");
    EXPECT_EQ(window->LegendTexts(), (QStringList{"Фактические потери", "Ожидаемые потери"}));
    EXPECT_EQ(Axis(Qt::Vertical)->titleText(), "Потери в монетах");
    EXPECT_EQ(Find<QPushButton>(*window, "btnSave")->text(), "Сохранить...");
    EXPECT_TRUE(HelpPageOnF1(*window).endsWith("DrawMentor_RUS/diag_charts.html"));
}

// The Save button: a picture of the chart, or the curves as CSV; a file that
// cannot be written is told to the player.
TEST_F(ChartWindowTest, SaveWritesAPictureOrTheCurves) {
    PlayAndOpen();
    Show();
    const QString picture = folders.Data() + "balance.png";
    TPlotWindow::SetNextSaveName([&] { return picture; });
    Find<QPushButton>(*window, "btnSave")->click();
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 300);
    const QString table = folders.Data() + "balance.csv";
    TPlotWindow::SetNextSaveName([&] { return table; });
    Find<QPushButton>(*window, "btnSave")->click();
    EXPECT_TRUE(testing::ReadFile(table).startsWith("hand,balance,best_balance\n0,"));
    TPlotWindow::SetNextSaveName([] { return QString(); }); // cancelled: nothing happens
    Find<QPushButton>(*window, "btnSave")->click();
    TMessageBox::SetNextAnswer(QMessageBox::Ok);
    EXPECT_FALSE(window->SaveTo(folders.Data() + "missing/folder/balance.csv"));
    EXPECT_TRUE(TMessageBox::LastText().contains("missing/folder/balance.csv"));
}

// A long log is plotted with at most four points per pixel column.
TEST_F(ChartWindowTest, LongCurvesAreReducedToTheWidth) {
    Open();
    TLogRecord r;
    r.Bet = 5;
    r.CoinIndex = 2;
    r.Mode = 1;
    r.DealTime = session->Logger().SessionStart + 0.0001;
    r.CollectTime = r.DealTime;
    for (int hand = 0; hand < 20000; ++hand) {
        r.Collected = r.Win = hand % 7 == 0 ? 10 : 0;
        r.BestWin = r.Win;
        session->Logger().Append(r);
    }
    Show();
    EXPECT_EQ(window->Series().PointCount(), 20000);
    EXPECT_LE(window->Curve(0).count(), 4 * Find<QWidget>(*window, "Chart")->width());
    EXPECT_EQ(window->Curve(0).points().back(), window->Series().Curves[0].back());
}

} // namespace
} // namespace drawmentor
