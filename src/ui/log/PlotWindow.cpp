#include "PlotWindow.h"

#include "ui/common/GradientLabel.h"
#include "ui/common/HelpKey.h"
#include "ui/common/HelpWindow.h"
#include "ui/common/MessageBox.h"
#include "ui/common/PlotAxis.h"
#include "ui/common/TextSections.h"
#include "ui/log/OptionsPanel.h"

#include "play/Logger.h"
#include "prefs/Preferences.h"

#include <QChart>
#include <QChartView>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QTextStream>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace drawmentor {

namespace {

const QColor kCurveColors[2] = {Qt::blue, QColor(0, 160, 0)};

std::function<QString()>& NextSaveName() {
    static std::function<QString()> answer;
    return answer;
}

QLabel* NewHeader(QWidget* parent, const char* name) {
    auto* label = new TGradientLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedHeight(23);
    return label;
}

} // namespace

TPlotWindow::TPlotWindow(QWidget* parent, TPreferences& preferences)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FPreferences(preferences) {
    setObjectName(QStringLiteral("fmCharts"));
    auto* left = new QVBoxLayout;
    FListHeader = NewHeader(this, "lCharts");
    FChartList = new QListWidget(this);
    FChartList->setObjectName(QStringLiteral("ChartList"));
    auto* panelHost = new QWidget(this);
    panelHost->setObjectName(QStringLiteral("optionsHost"));
    FPanel = new TOptionsPanel(panelHost);
    FPanel->AddGroups(ogGame | ogDate | ogModes | ogUnits);
    auto* panelLayout = new QVBoxLayout(panelHost);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(FPanel);
    left->addWidget(FListHeader);
    left->addWidget(FChartList, 1);
    left->addWidget(panelHost);

    FChart = new QChart;
    FChart->setObjectName(QStringLiteral("ChartPicture"));
    FChart->legend()->setAlignment(Qt::AlignBottom);
    FChart->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
    FChart->setTitle(QString());
    FAxisX = new QValueAxis;
    FAxisY = new QValueAxis;
    StyleAxis(FAxisX);
    StyleAxis(FAxisY);
    FChart->addAxis(FAxisX, Qt::AlignBottom);
    FChart->addAxis(FAxisY, Qt::AlignLeft);
    for (int curve = 0; curve < 2; ++curve) {
        auto* series = new QLineSeries;
        series->setObjectName(curve == 0 ? QStringLiteral("firstCurve")
                                         : QStringLiteral("secondCurve"));
        series->setPen(QPen(kCurveColors[curve], 2));
        series->setPointsVisible(false);
        FChart->addSeries(series);
        series->attachAxis(FAxisX);
        series->attachAxis(FAxisY);
        FCurves[curve] = series;
    }
    FView = new QChartView(FChart, this);
    FView->setObjectName(QStringLiteral("Chart"));
    FView->setRenderHint(QPainter::Antialiasing);
    FView->setMinimumSize(420, 300);

    auto* right = new QVBoxLayout;
    FCaption = NewHeader(this, "lChartCaption");
    FSave = new QPushButton(this);
    FSave->setObjectName(QStringLiteral("btnSave"));
    connect(FSave, &QPushButton::clicked, this, &TPlotWindow::AskAndSave);
    FOK = new QPushButton(this);
    FOK->setObjectName(QStringLiteral("btnOK"));
    connect(FOK, &QPushButton::clicked, this, &QDialog::accept);
    right->addWidget(FCaption);
    right->addWidget(FView, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(FSave);
    buttons->addStretch(1);
    buttons->addWidget(FOK);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 5);
    resize(780, 500);

    connect(FChartList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && FShown) SelectChart(row);
    });
    connect(FPanel, &TOptionsPanel::OnChange, this, &TPlotWindow::Redraw);
    InstallHelpKey(*this, hcCharts, FPreferences);
    connect(&FPreferences, &TPreferences::PreferencesChanged, this, [this] {
        Retranslate();
        Redraw();
    });
}

void TPlotWindow::AttachLogger(TLogger& logger) {
    FLogger = &logger;
    FPanel->AttachLog(logger);
    // The connection ends with the window, so the shared filter keeps no hook.
    connect(&logger.Filter(), &TLogFilter::Changed, this, &TPlotWindow::Redraw);
    Retranslate();
}

void TPlotWindow::Retranslate() {
    setWindowTitle(FPreferences.Texts().WindowCaption(kChartsTexts));
    FListHeader->setText(
        FPreferences.Texts().Translate(kChartsTexts, QStringLiteral("ChartListHeader")));
    FSave->setText(FPreferences.Texts().Translate(kChartsTexts, QStringLiteral("Save")));
    FOK->setText(
        FPreferences.Texts().Translate(QStringLiteral("Main.Buttons"), QStringLiteral("OK")));
    {
        const QSignalBlocker quiet(FChartList);
        FChartList->clear();
        for (int kind = 0; kind < kPlotCount; ++kind)
            FChartList->addItem(QStringLiteral("  ") +
                                FPreferences.Texts().Translate(
                                    QString::fromLatin1(PlotInfo(TPlotKind(kind)).Section),
                                    QStringLiteral("Name")));
        FChartList->setCurrentRow(FSelected);
    }
    FPanel->Retranslate(FPreferences);
    QFont font = this->font();
    ApplyFont(font, FPreferences);
    setFont(font);
    MakeHeaderLabel(FCaption, FPreferences);
    MakeHeaderLabel(FListHeader, FPreferences);
    FChart->setFont(font);
    FChart->legend()->setFont(font);
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, palette().color(QPalette::Window));
    FChart->setBackgroundBrush(background);
}

void TPlotWindow::SelectChart(int index) {
    FSelected = std::clamp(index, 0, kPlotCount - 1);
    if (FChartList->currentRow() != FSelected) {
        const QSignalBlocker quiet(FChartList);
        FChartList->setCurrentRow(FSelected);
    }
    Redraw();
}

void TPlotWindow::Redraw() {
    if (!FLogger || FChartList->count() != kPlotCount) return; // texts not loaded yet
    const auto kind = static_cast<TPlotKind>(FSelected);
    const TPlotInfo& info = PlotInfo(kind);
    const QString section = QString::fromLatin1(info.Section);
    FLegendTexts = {FPreferences.Texts().Translate(section, QStringLiteral("LegendYour"))};
    if (info.CurveCount > 1)
        FLegendTexts << FPreferences.Texts().Translate(section, QStringLiteral("LegendBest"));
    FCaption->setText(FChartList->item(FSelected)->text());
    FAxisX->setTitleText(FPreferences.Texts().Translate(section, QStringLiteral("BottomAxis")));
    QString left = FPreferences.Texts().Translate(section, QStringLiteral("LeftAxis"));
    if (info.UsesUnits) left.replace(QLatin1String("%s"), FPanel->UnitCaption());
    FAxisY->setTitleText(left);
    FSeries =
        ComputeLogCurves(*FLogger, FLogger->Filter(), kind, info.UsesUnits && FPanel->IsDollars());
    PlotCurves();
    FPanel->EnableUnits(info.UsesUnits);
}

// The full curves stay in FSeries; the plot gets as many points as its width shows.
void TPlotWindow::PlotCurves() {
    const int columns = std::max(100, FView->width());
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (int curve = 0; curve < 2; ++curve) {
        const bool used = curve < FSeries.CurveCount();
        const QList<QPointF>& points = FSeries.Curves[static_cast<size_t>(curve)];
        FCurves[curve]->replace(used ? ReducePoints(points, columns) : QList<QPointF>());
        FCurves[curve]->setName(used ? FLegendTexts[curve] : QString());
        FCurves[curve]->setVisible(used);
        for (QLegendMarker* marker : FChart->legend()->markers(FCurves[curve]))
            marker->setVisible(used);
        for (const QPointF& p : FCurves[curve]->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    const qsizetype count = FSeries.PointCount();
    FitAxis(FAxisX, 0, count > 1 ? static_cast<double>(count - 1) : 1, true);
    FitAxis(FAxisY, low, high);
}

void TPlotWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FShown) return;
    FShown = true;
    SelectChart(0);
}

void TPlotWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (FShown) PlotCurves();
}

bool TPlotWindow::SaveTo(const QString& fileName) {
    bool saved = false;
    if (fileName.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        saved = FView->grab().save(fileName, "PNG");
    } else {
        QSaveFile file(fileName);
        if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
            QTextStream out(&file);
            WriteCurvesCsv(FSeries, out);
            out.flush();
            saved = out.status() == QTextStream::Ok && file.commit();
        }
    }
    if (!saved)
        TMessageBox::Tell(this, QStringLiteral("SaveFailed"), windowTitle(),
                          FPreferences.Texts()
                              .Translate(kChartsTexts, QStringLiteral("SaveFailed"))
                              .replace(QLatin1String("%s"), fileName),
                          FPreferences);
    return saved;
}

void TPlotWindow::AskAndSave() {
    const QString png = FPreferences.Texts().Translate(kChartsTexts, QStringLiteral("PngFiles"));
    const QString csv = FPreferences.Texts().Translate(kChartsTexts, QStringLiteral("CsvFiles"));
    QString fileName;
    if (NextSaveName()) {
        fileName = NextSaveName()();
        NextSaveName() = nullptr;
    } else {
        QString filter = png;
        fileName = QFileDialog::getSaveFileName(
            this, FPreferences.Texts().Translate(kChartsTexts, QStringLiteral("SaveTitle")),
            QStringLiteral("chart.png"), png + QStringLiteral(";;") + csv, &filter);
        if (!fileName.isEmpty() && QFileInfo(fileName).suffix().isEmpty())
            fileName += filter == csv ? QStringLiteral(".csv") : QStringLiteral(".png");
    }
    if (!fileName.isEmpty()) SaveTo(fileName);
}

void TPlotWindow::SetNextSaveName(std::function<QString()> answer) {
    NextSaveName() = std::move(answer);
}

void OpenChartsWindow(QWidget* parent, TLogger& logger, TPreferences& preferences) {
    TPlotWindow window(parent, preferences);
    window.AttachLogger(logger);
    window.exec();
}

} // namespace drawmentor
