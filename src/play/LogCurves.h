#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <array>

class QTextStream;

namespace drawmentor {

class TLogger;
class TLogFilter;

// The five running curves over the logged hands, in the order the chart
// window lists them.
enum TPlotKind : int {
    pkBalance = 0,
    pkAccuracy = 1,
    pkHandRate = 2,
    pkLossOnErrors = 3,
    pkDoubleUpBalance = 4,
};
inline constexpr int kPlotCount = 5;

// What a chart is, apart from its points.
struct TPlotInfo {
    const char* Section;    // language section of its name, legend and axis texts
    const char* Name;       // command-line name (--kind)
    int CurveCount;         // 1 or 2
    bool UsesUnits;         // the curves are coins or money, as the player chooses
    const char* Columns[3]; // CSV header: x, then one per curve
};
const TPlotInfo& PlotInfo(TPlotKind kind);
// The kind named on the command line, or -1.
int PlotKindByName(const QString& name);

// The points of one chart. X counts the plotted hands (0, 1, 2, ...), so a
// curve's points are in increasing x; Curves[1] is empty for one-curve charts.
struct TLogCurves {
    TPlotKind Kind = pkBalance;
    std::array<QList<QPointF>, 2> Curves;

    int CurveCount() const { return PlotInfo(Kind).CurveCount; }
    qsizetype PointCount() const { return Curves[0].size(); }
};

// One pass over the log in log order through the records that match the
// filter's game, paytable and modes. The filter's date decides where the
// plot starts; the accuracy and hand-rate curves still accumulate from the
// first matching record, so a later start shows the figure reached by then.
// money: curves in each record's own money value instead of coins.
TLogCurves ComputeLogCurves(TLogger& logger, const TLogFilter& filter, TPlotKind kind, bool money);

// A curve reduced to what `columns` pixel columns can show: within each
// column the first, last, lowest and highest point, in their original order.
// The drawn line keeps its shape, its ends and its extremes.
QList<QPointF> ReducePoints(const QList<QPointF>& points, int columns);

// One row per plotted hand: x, then one value per curve; a header row first.
void WriteCurvesCsv(const TLogCurves& series, QTextStream& out);

} // namespace drawmentor
