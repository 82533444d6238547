#include "PaintedText.h"

#include <QFontMetrics>

#include <cmath>

namespace drawmentor {

bool TextFits(const QString& text, const QFont& font, const QRect& rect) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= rect.width() && metrics.height() <= rect.height();
}

QFont LargestFitting(const QFont& font, double smallest,
                     const std::function<bool(const QFont&)>& fits) {
    QFont sized = font;
    const bool points = font.pointSizeF() > 0;
    const double full = points ? font.pointSizeF() : font.pixelSize();
    // Half-point steps are as fine as a reader tells apart.
    const double step = points ? 0.5 : 1.0;
    for (double size = full; size >= full * smallest; size -= step) {
        if (points)
            sized.setPointSizeF(size);
        else
            sized.setPixelSize(static_cast<int>(size));
        if (fits(sized)) return sized;
    }
    return sized;
}

} // namespace drawmentor
