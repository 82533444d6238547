#include "Colors.h"

#include <algorithm>
#include <cmath>

namespace drawmentor {

QColor ResolveColor(TSystemColor color, const QPalette& palette) {
    switch (color) {
    case TSystemColor::BtnFace:
        return palette.color(QPalette::Button);
    case TSystemColor::BtnShadow:
        return palette.color(QPalette::Mid);
    case TSystemColor::BtnHighlight:
        return palette.color(QPalette::Light);
    case TSystemColor::BtnText:
        return palette.color(QPalette::ButtonText);
    case TSystemColor::DkShadow3D:
        return palette.color(QPalette::Shadow);
    case TSystemColor::Light3D:
        return palette.color(QPalette::Midlight);
    case TSystemColor::Window:
        return palette.color(QPalette::Window);
    case TSystemColor::WindowText:
        return palette.color(QPalette::WindowText);
    }
    return palette.color(QPalette::Button);
}

QColor ShiftColor(const QColor& color, int delta) {
    const auto shift = [delta](int channel) { return std::clamp(channel + delta, 0, 255); };
    return QColor(shift(color.red()), shift(color.green()), shift(color.blue()));
}

void FillGradient(QPainter& painter, const QRect& rect, const QColor& start, int steps,
                  int direction, const QColor& finish) {
    if (rect.isEmpty()) return;
    if (steps <= 1) {
        painter.fillRect(rect, start);
        return;
    }
    const bool vertical = direction == 0 || direction == 1;
    const QColor first = direction == 0 || direction == 2 ? start : finish;
    const QColor last = direction == 0 || direction == 2 ? finish : start;
    const int extent = vertical ? rect.height() : rect.width();
    const int n = std::max(2, std::min(steps, extent));
    const int thickness = extent / n;
    const auto mix = [&](int a, int b, int k) {
        return static_cast<int>(std::lround(a + (b - a) * static_cast<double>(k) / (n - 1)));
    };
    for (int k = 0; k < n; ++k) {
        const QColor band(mix(first.red(), last.red(), k), mix(first.green(), last.green(), k),
                          mix(first.blue(), last.blue(), k));
        const int at = k * thickness;
        painter.fillRect(vertical ? QRect(rect.left(), rect.top() + at, rect.width(), thickness)
                                  : QRect(rect.left() + at, rect.top(), thickness, rect.height()),
                         band);
    }
    const int rest = extent - n * thickness;
    if (rest > 0)
        painter.fillRect(vertical ? QRect(rect.left(), rect.bottom() - rest + 1, rect.width(), rest)
                                  : QRect(rect.right() - rest + 1, rect.top(), rest, rect.height()),
                         last);
}

} // namespace drawmentor
