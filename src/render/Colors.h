#pragma once

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QRect>

namespace drawmentor {

// The system colours the painting code names, mapped to the palette roles of
// the running desktop.
enum class TSystemColor {
    BtnFace,
    BtnShadow,
    BtnHighlight,
    BtnText,
    DkShadow3D,
    Light3D,
    Window,
    WindowText
};

QColor ResolveColor(TSystemColor color, const QPalette& palette = QPalette());
// Adds `delta` to each of red, green and blue, clamped to 0..255.
QColor ShiftColor(const QColor& color, int delta);

// Bands from `start` to `finish`: direction 0 top to bottom, 1 bottom to top,
// 2 left to right, 3 right to left; at most `steps` bands, the remainder at
// the far edge in the last colour.
void FillGradient(QPainter& painter, const QRect& rect, const QColor& start, int steps,
                  int direction, const QColor& finish);

} // namespace drawmentor
