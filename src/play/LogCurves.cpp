#include "LogCurves.h"

#include "LogFilter.h"
#include "Logger.h"

#include "core/Checked.h"

#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace drawmentor {
namespace {

constexpr TPlotInfo kCharts[kPlotCount] = {
    {"Charts.ChartBalance", "balance", 2, true, {"hand", "balance", "best_balance"}},
    {"Charts.ChartAccuracy", "accuracy", 1, false, {"hand", "accuracy", nullptr}},
    {"Charts.ChartHandRate", "hand-rate", 1, false, {"hand", "hands_per_hour", nullptr}},
    {"Charts.ChartLossOnErrors",
     "loss-on-errors",
     2,
     true,
     {"hand", "actual_loss", "expected_loss"}},
    {"Charts.ChartDoubleUpBalance", "double-up", 1, true, {"double_up", "balance", nullptr}},
};

// A record cut by a crash or written by something else may carry any bytes:
// such a record would put NaN on the axes or an unknown coin value into the
// sums, so it is passed over.
bool Plottable(const TLogRecord& r) {
    return r.CoinIndex < kCoinValueCount && std::isfinite(r.Return) &&
           std::isfinite(r.BestReturn) && std::isfinite(r.DealTime) && std::isfinite(r.CollectTime);
}

// A difference of two 32-bit record fields, which may need 33 bits; the
// statistics sum the same fields in 64 bits.
double Difference(int64_t a, int64_t b) {
    return static_cast<double>(a - b);
}

// The curves of one chart grow point by point, always in step.
class TCurveWriter {
  public:
    explicit TCurveWriter(TLogCurves& series) : FSeries(series) {}
    void Add(double your) {
        if (!std::isfinite(your)) return;
        FSeries.Curves[0].append(QPointF(FX, your));
        FX += 1;
    }
    void Add(double your, double best) {
        if (!std::isfinite(your) || !std::isfinite(best)) return;
        FSeries.Curves[0].append(QPointF(FX, your));
        FSeries.Curves[1].append(QPointF(FX, best));
        FX += 1;
    }

  private:
    TLogCurves& FSeries;
    double FX = 0;
};

} // namespace

const TPlotInfo& PlotInfo(TPlotKind kind) {
    return kCharts[CheckIndex(static_cast<int>(kind), 0, kPlotCount - 1, "chart")];
}

int PlotKindByName(const QString& name) {
    for (int kind = 0; kind < kPlotCount; ++kind)
        if (name == QLatin1String(kCharts[kind].Name)) return kind;
    return -1;
}

TLogCurves ComputeLogCurves(TLogger& logger, const TLogFilter& filter, TPlotKind kind, bool money) {
    TLogCurves series;
    series.Kind = static_cast<TPlotKind>(CheckIndex(kind, 0, kPlotCount - 1, "chart"));
    TCurveWriter curves(series);
    // Sums in coins (or money) for charts 0, 3 and 4; in coins of expected
    // return for the accuracy; hands and days for the rate.
    double your = 0, best = 0, days = 0;
    int64_t hands = 0;
    TLogRecord r;
    logger.Rewind();
    while (logger.ReadNext(r)) {
        if (!filter.MatchesKey(r) || !Plottable(r)) continue;
        const bool shown = r.DealTime >= filter.DateFrom;
        const double v = money ? CoinValue(r.CoinIndex) : 1.0;
        switch (kind) {
        case pkBalance:
            if (!shown) break;
            your += Difference(r.Collected, r.Bet) * v;
            best += Difference(r.BestWin, r.Bet) * v;
            curves.Add(your, best);
            break;
        case pkAccuracy:
            your += r.Return;
            best += r.BestReturn;
            // Until some hand had a positive best return there is no accuracy.
            if (shown && best > 0) curves.Add(100 * your / best);
            break;
        case pkHandRate:
            ++hands;
            // A clock set back while a hand was open gives no negative time.
            days += std::max(0.0, r.CollectTime - r.DealTime);
            if (shown && days > 0) curves.Add(static_cast<double>(hands) / (days * 24));
            break;
        case pkLossOnErrors:
            if (!shown) break;
            your += Difference(r.Win, r.BestWin) * v;
            best += (r.Return - r.BestReturn) * v;
            curves.Add(your, best);
            break;
        case pkDoubleUpBalance:
            if (!shown || r.DoubleUps == 0) break;
            your += Difference(r.Collected, r.Win) * v;
            curves.Add(your);
            break;
        }
    }
    logger.Rewind();
    return series;
}

QList<QPointF> ReducePoints(const QList<QPointF>& points, int columns) {
    const qsizetype n = points.size();
    if (columns < 1 || n <= 4 * static_cast<qsizetype>(columns)) return points;
    const double x0 = points.front().x();
    const double span = points.back().x() - x0;
    const auto columnOf = [&](double x) {
        if (!(span > 0)) return 0;
        return std::clamp(static_cast<int>((x - x0) / span * columns), 0, columns - 1);
    };
    QList<QPointF> kept;
    kept.reserve(4 * static_cast<qsizetype>(columns));
    for (qsizetype first = 0; first < n;) {
        const int column = columnOf(points[first].x());
        qsizetype low = first, high = first, next = first + 1;
        for (; next < n && columnOf(points[next].x()) == column; ++next) {
            if (points[next].y() < points[low].y()) low = next;
            if (points[next].y() > points[high].y()) high = next;
        }
        std::array<qsizetype, 4> picks{first, low, high, next - 1};
        std::sort(picks.begin(), picks.end());
        const auto end = std::unique(picks.begin(), picks.end());
        for (auto at = picks.begin(); at != end; ++at) kept.append(points[*at]);
        first = next;
    }
    return kept;
}

void WriteCurvesCsv(const TLogCurves& series, QTextStream& out) {
    const TPlotInfo& info = PlotInfo(series.Kind);
    out << info.Columns[0];
    for (int curve = 0; curve < info.CurveCount; ++curve) out << ',' << info.Columns[curve + 1];
    out << '\n';
    for (qsizetype i = 0; i < series.PointCount(); ++i) {
        out << QString::number(series.Curves[0][i].x(), 'g', 15);
        for (int curve = 0; curve < info.CurveCount; ++curve)
            out << ',' << QString::number(series.Curves[curve][i].y(), 'g', 15);
        out << '\n';
    }
}

} // namespace drawmentor
