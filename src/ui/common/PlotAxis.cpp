#include "PlotAxis.h"

#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace drawmentor {

void StyleAxis(QValueAxis* axis) {
    axis->setGridLinePen(QPen(QColor(160, 160, 160), 1, Qt::DotLine));
    axis->setMinorTickCount(0);
    axis->setTitleVisible(true);
}

void FitAxis(QValueAxis* axis, double low, double high, bool whole) {
    if (!(low <= high)) {
        low = 0;
        high = 1;
    } else if (low == high) {
        low -= 1;
        high += 1;
    }
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    // As many decimals as the tick step needs: whole coins stay whole, and a
    // million hands read as 1000000, not 1e+06.
    double step = (axis->max() - axis->min()) / std::max(1, axis->tickCount() - 1);
    if (whole && step < 1) {
        // A handful of counts: one tick per whole number, never 0.2 of a hand.
        const double first = std::floor(axis->min());
        const double span = std::max(1.0, std::ceil(axis->max() - first));
        axis->setRange(first, first + span);
        axis->setTickCount(static_cast<int>(span) + 1);
        step = 1;
    }
    const int decimals =
        step >= 1 ? 0 : std::min(4, static_cast<int>(std::ceil(-std::log10(step))));
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

} // namespace drawmentor
