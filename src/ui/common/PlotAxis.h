#pragma once

class QValueAxis;

namespace drawmentor {

// The look of the program's chart axes: dotted grey grid lines, a title.
void StyleAxis(QValueAxis* axis);

// An axis range that shows every point from `low` to `high` on nice numbers,
// with room when all are equal and 0..1 when there are none (low > high or
// NaN), labelled with as many decimals as the tick step needs. A `whole`
// axis counts things (hands, double-ups): its ticks fall on whole numbers.
void FitAxis(QValueAxis* axis, double low, double high, bool whole = false);

} // namespace drawmentor
