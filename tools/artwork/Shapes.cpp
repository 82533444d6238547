#include "Shapes.h"

namespace artwork {
namespace {

QPainterPath Heart(const QRectF& b) {
    QPainterPath path;
    const double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    path.moveTo(x + w * 0.5, y + h);
    path.cubicTo(x + w * 0.38, y + h * 0.80, x, y + h * 0.62, x, y + h * 0.32);
    path.cubicTo(x, y + h * 0.10, x + w * 0.16, y, x + w * 0.28, y);
    path.cubicTo(x + w * 0.40, y, x + w * 0.48, y + h * 0.08, x + w * 0.5, y + h * 0.2);
    path.cubicTo(x + w * 0.52, y + h * 0.08, x + w * 0.60, y, x + w * 0.72, y);
    path.cubicTo(x + w * 0.84, y, x + w, y + h * 0.10, x + w, y + h * 0.32);
    path.cubicTo(x + w, y + h * 0.62, x + w * 0.62, y + h * 0.80, x + w * 0.5, y + h);
    path.closeSubpath();
    return path;
}

QPainterPath Spade(const QRectF& b) {
    QPainterPath path;
    const double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    // An upside-down heart for the blade, and a flared stem.
    path.moveTo(x + w * 0.5, y);
    path.cubicTo(x + w * 0.62, y + h * 0.18, x + w, y + h * 0.36, x + w, y + h * 0.58);
    path.cubicTo(x + w, y + h * 0.74, x + w * 0.86, y + h * 0.82, x + w * 0.72, y + h * 0.82);
    path.cubicTo(x + w * 0.62, y + h * 0.82, x + w * 0.56, y + h * 0.76, x + w * 0.53,
                 y + h * 0.70);
    path.cubicTo(x + w * 0.55, y + h * 0.84, x + w * 0.62, y + h * 0.94, x + w * 0.72, y + h);
    path.lineTo(x + w * 0.28, y + h);
    path.cubicTo(x + w * 0.38, y + h * 0.94, x + w * 0.45, y + h * 0.84, x + w * 0.47,
                 y + h * 0.70);
    path.cubicTo(x + w * 0.44, y + h * 0.76, x + w * 0.38, y + h * 0.82, x + w * 0.28,
                 y + h * 0.82);
    path.cubicTo(x + w * 0.14, y + h * 0.82, x, y + h * 0.74, x, y + h * 0.58);
    path.cubicTo(x, y + h * 0.36, x + w * 0.38, y + h * 0.18, x + w * 0.5, y);
    path.closeSubpath();
    return path;
}

QPainterPath Club(const QRectF& b) {
    QPainterPath path;
    const double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    const double r = w * 0.25;
    path.addEllipse(QPointF(x + w * 0.5, y + r), r, r);
    path.addEllipse(QPointF(x + r, y + h * 0.55), r, r);
    path.addEllipse(QPointF(x + w - r, y + h * 0.55), r, r);
    path.addRect(QRectF(x + w * 0.4, y + h * 0.35, w * 0.2, h * 0.3));
    QPainterPath stem;
    stem.moveTo(x + w * 0.46, y + h * 0.55);
    stem.cubicTo(x + w * 0.45, y + h * 0.80, x + w * 0.38, y + h * 0.93, x + w * 0.28, y + h);
    stem.lineTo(x + w * 0.72, y + h);
    stem.cubicTo(x + w * 0.62, y + h * 0.93, x + w * 0.55, y + h * 0.80, x + w * 0.54,
                 y + h * 0.55);
    stem.closeSubpath();
    path.setFillRule(Qt::WindingFill);
    return path.united(stem);
}

QPainterPath Diamond(const QRectF& b) {
    QPainterPath path;
    const double x = b.x(), y = b.y(), w = b.width(), h = b.height();
    path.moveTo(x + w * 0.5, y);
    path.quadTo(x + w * 0.72, y + h * 0.28, x + w, y + h * 0.5);
    path.quadTo(x + w * 0.72, y + h * 0.72, x + w * 0.5, y + h);
    path.quadTo(x + w * 0.28, y + h * 0.72, x, y + h * 0.5);
    path.quadTo(x + w * 0.28, y + h * 0.28, x + w * 0.5, y);
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath SuitPath(int suit, const QRectF& box) {
    switch (suit) {
    case 0:
        return Spade(box);
    case 1:
        return Club(box);
    case 2:
        return Diamond(box);
    default:
        return Heart(box);
    }
}

QColor SuitColor(int suit, bool fourColours) {
    if (!fourColours) return suit < 2 ? QColor(20, 20, 24) : QColor(200, 16, 32);
    static const QColor colours[] = {QColor(20, 20, 24), QColor(0, 120, 50), QColor(20, 70, 190),
                                     QColor(200, 16, 32)};
    return colours[suit];
}

} // namespace artwork
