#include "BankrollPlots.h"

#include "ui/common/PlotAxis.h"

#include "bankroll/SessionDistribution.h"
#include "play/LogCurves.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <limits>

namespace drawmentor {
namespace {

// Results rarer than this at either end are left off the picture.
constexpr long double kShownTail = 1e-4L;
// Fewer points than this show as dots too, so that a short session's
// handful of results does not read as a smooth curve.
constexpr qsizetype kDottedBelow = 60;

QChart* NewChart(QValueAxis* axes[2], QLineSeries* series, const char* name) {
    auto* chart = new QChart;
    chart->setObjectName(QString::fromLatin1(name));
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    for (int axis = 0; axis < 2; ++axis) {
        axes[axis] = new QValueAxis;
        StyleAxis(axes[axis]);
        chart->addAxis(axes[axis], axis == 0 ? Qt::AlignBottom : Qt::AlignLeft);
    }
    series->setPen(QPen(Qt::blue, 2));
    chart->addSeries(series);
    series->attachAxis(axes[0]);
    series->attachAxis(axes[1]);
    FitAxis(axes[0], 0, 1);
    FitAxis(axes[1], 0, 1);
    return chart;
}

QChartView* NewView(QChart* chart, QWidget* parent, const char* name) {
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(380, 220);
    return view;
}

void FitPoints(QValueAxis* x, QValueAxis* y, const QList<QPointF>& points, bool fromZero) {
    double left = std::numeric_limits<double>::infinity(), right = -left;
    double low = fromZero ? 0 : left, high = -std::numeric_limits<double>::infinity();
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        low = std::min(low, p.y());
        high = std::max(high, p.y());
    }
    FitAxis(x, left, right);
    FitAxis(y, low, high);
}

} // namespace

TBankrollPlots::TBankrollPlots(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BankrollCharts"));
    FResults = new QLineSeries;
    FResults->setObjectName(QStringLiteral("resultCurve"));
    FDistribution = NewChart(FAxes, FResults, "DistributionChart");
    FRisk = new QLineSeries;
    FRisk->setObjectName(QStringLiteral("riskCurve"));
    FCurve = NewChart(FAxes + 2, FRisk, "RiskChart");
    FChosen = new QScatterSeries;
    FChosen->setObjectName(QStringLiteral("chosenBankroll"));
    FChosen->setMarkerSize(9);
    FChosen->setColor(QColor(200, 0, 0));
    FChosen->setBorderColor(QColor(200, 0, 0));
    FCurve->addSeries(FChosen);
    FChosen->attachAxis(FAxes[2]);
    FChosen->attachAxis(FAxes[3]);
    FDistributionView = NewView(FDistribution, this, "DistributionView");
    FCurveView = NewView(FCurve, this, "RiskView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FDistributionView, 1);
    layout->addWidget(FCurveView, 1);
}

void TBankrollPlots::SetTexts(const TTexts& texts, const QFont& font) {
    FDistribution->setTitle(texts.DistributionTitle);
    FAxes[0]->setTitleText(texts.DistributionBottom);
    FAxes[1]->setTitleText(texts.DistributionLeft);
    FCurve->setTitle(texts.CurveTitle);
    FAxes[2]->setTitleText(texts.CurveBottom);
    FAxes[3]->setTitleText(texts.CurveLeft);
    QFont title = font;
    title.setBold(true);
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, palette().color(QPalette::Window));
    for (QChart* chart : {FDistribution, FCurve}) {
        chart->setFont(font);
        chart->setTitleFont(title);
        chart->setBackgroundBrush(background);
    }
    for (QValueAxis* axis : FAxes) {
        axis->setTitleFont(font);
        axis->setLabelsFont(font);
    }
}

void TBankrollPlots::ShowDistribution(const TSessionDistribution& session, double unit) {
    QList<QPointF> points;
    long double below = 0;
    for (size_t i = 0; i < session.Probability.size(); ++i) {
        const long double p = session.Probability[i];
        below += p;
        if (below < kShownTail || below - p > 1 - kShownTail) continue;
        points.append(
            {static_cast<double>(session.ResultAt(i)) * unit, static_cast<double>(100 * p)});
    }
    const QList<QPointF> shown = ReducePoints(points, std::max(100, FDistributionView->width()));
    FResults->replace(shown);
    FResults->setPointsVisible(shown.size() < kDottedBelow);
    FitPoints(FAxes[0], FAxes[1], shown, true);
}

void TBankrollPlots::ShowCurve(const std::vector<int64_t>& bankrolls,
                               const std::vector<long double>& risk, int64_t chosen, double unit) {
    QList<QPointF> points;
    QList<QPointF> marked;
    for (size_t i = 0; i < bankrolls.size() && i < risk.size(); ++i) {
        const QPointF point(static_cast<double>(bankrolls[i]) * unit,
                            static_cast<double>(100 * risk[i]));
        points.append(point);
        if (bankrolls[i] == chosen) marked.append(point);
    }
    FRisk->replace(points);
    FChosen->replace(marked);
    FitPoints(FAxes[2], FAxes[3], points, true);
    // A risk is a percentage: nice numbers must not run past certainty.
    if (FAxes[3]->max() > 100) {
        FAxes[3]->setRange(0, 100);
        FAxes[3]->setTickCount(5);
        FAxes[3]->setLabelFormat(QStringLiteral("%.0f"));
    }
}

void TBankrollPlots::ClearCurve() {
    FRisk->clear();
    FChosen->clear();
    FitAxis(FAxes[2], 0, 1);
    FitAxis(FAxes[3], 0, 1);
}

} // namespace drawmentor
