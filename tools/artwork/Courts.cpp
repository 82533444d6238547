#include "Courts.h"

#include "Shapes.h"

#include <QPainterPath>
#include <QtMath>

namespace artwork {
namespace {

struct TPalette {
    QColor Robe, Trim, Accent, Hair;
};

// Court cards keep the traditional red, blue, yellow and black; each suit
// leads with another of them.
TPalette PaletteOf(int suit) {
    const QColor red(190, 30, 40), blue(30, 60, 150), yellow(235, 190, 40), black(25, 25, 30),
        green(20, 110, 60);
    switch (suit) {
    case 0:
        return {blue, yellow, red, black};
    case 1:
        return {green, yellow, red, QColor(90, 60, 30)};
    case 2:
        return {yellow, red, blue, QColor(150, 90, 30)};
    default:
        return {red, yellow, blue, QColor(60, 40, 20)};
    }
}

QPainterPath Crown(double cx, double y, double w, int points) {
    QPainterPath path;
    const double h = w * 0.55;
    path.moveTo(cx - w / 2, y + h);
    path.lineTo(cx - w / 2, y + h * 0.35);
    for (int i = 0; i < points; ++i) {
        const double x0 = cx - w / 2 + w * i / points;
        const double x1 = x0 + w / points / 2;
        path.lineTo(x1, y);
        path.lineTo(x0 + w / points, y + h * 0.35);
    }
    path.lineTo(cx + w / 2, y + h);
    path.closeSubpath();
    return path;
}

// One half figure standing in `half`, head up; its lower edge is the card's middle.
void DrawHalf(QPainter& p, const QRectF& half, int rank, int suit, TCourtStyle style,
              bool fourColours) {
    const TPalette c = PaletteOf(suit);
    const QColor ink(25, 25, 30);
    const QColor skin(250, 214, 170);
    const double cx = half.center().x();
    const double top = half.top();
    const double w = half.width();
    const double headR = w * 0.13;
    const double headY = top + half.height() * 0.36;
    const QPen outline(ink, 0.8);
    p.setPen(outline);

    // Robe and shoulders, the lower part of the half.
    QPainterPath robe;
    robe.moveTo(cx - w * 0.44, half.bottom());
    robe.lineTo(cx - w * 0.40, headY + headR * 1.6);
    robe.quadTo(cx, headY + headR * 0.9, cx + w * 0.40, headY + headR * 1.6);
    robe.lineTo(cx + w * 0.44, half.bottom());
    robe.closeSubpath();
    p.setBrush(c.Robe);
    p.drawPath(robe);
    // Trim down the middle and a collar, patterned like the old woodcuts.
    p.setBrush(c.Trim);
    p.drawRect(
        QRectF(cx - w * 0.08, headY + headR * 1.3, w * 0.16, half.bottom() - headY - headR * 1.3));
    p.setBrush(c.Accent);
    for (double y = headY + headR * 1.8; y < half.bottom() - 2; y += 5)
        p.drawEllipse(QPointF(cx, y), 1.2, 1.2);
    QPainterPath collar;
    collar.moveTo(cx - w * 0.30, headY + headR * 1.45);
    collar.quadTo(cx, headY + headR * 2.6, cx + w * 0.30, headY + headR * 1.45);
    collar.quadTo(cx, headY + headR * 1.6, cx - w * 0.30, headY + headR * 1.45);
    p.setBrush(style == TCourtStyle::Classic ? QColor(250, 250, 245) : c.Accent);
    p.drawPath(collar);
    // Side panels of the robe.
    p.setBrush(c.Accent);
    for (int side : {-1, 1}) {
        QPainterPath panel;
        panel.moveTo(cx + side * w * 0.40, headY + headR * 1.9);
        panel.lineTo(cx + side * w * 0.44, half.bottom());
        panel.lineTo(cx + side * w * 0.30, half.bottom());
        panel.lineTo(cx + side * w * 0.27, headY + headR * 2.1);
        panel.closeSubpath();
        p.drawPath(panel);
    }

    // Hair, face and headwear.
    p.setBrush(rank == 10 ? c.Trim.darker(140) : c.Hair);
    p.drawEllipse(QPointF(cx, headY + headR * 0.3), headR * 1.25, headR * 1.35);
    p.setBrush(skin);
    p.drawEllipse(QPointF(cx, headY), headR * 0.95, headR * 1.1);
    p.setPen(QPen(ink, 0.7));
    p.drawPoint(QPointF(cx - headR * 0.35, headY - headR * 0.1));
    p.drawPoint(QPointF(cx + headR * 0.35, headY - headR * 0.1));
    p.drawLine(QPointF(cx - headR * 0.25, headY + headR * 0.5),
               QPointF(cx + headR * 0.25, headY + headR * 0.5));
    p.setPen(outline);
    if (rank == 11) { // the king: a beard and a full crown
        p.setBrush(c.Hair);
        QPainterPath beard;
        beard.moveTo(cx - headR * 0.9, headY + headR * 0.2);
        beard.quadTo(cx, headY + headR * 2.2, cx + headR * 0.9, headY + headR * 0.2);
        beard.quadTo(cx, headY + headR * 1.0, cx - headR * 0.9, headY + headR * 0.2);
        p.drawPath(beard);
        p.setBrush(QColor(240, 200, 40));
        p.drawPath(Crown(cx, headY - headR * 2.2, headR * 2.4, 3));
        p.setBrush(c.Accent);
        p.drawEllipse(QPointF(cx, headY - headR * 1.1), 1.2, 1.2);
    } else if (rank == 10) { // the queen: a small crown and a veil
        p.setBrush(QColor(240, 200, 40));
        p.drawPath(Crown(cx, headY - headR * 1.9, headR * 1.7, 4));
        p.setBrush(c.Robe.lighter(150));
        QPainterPath veil;
        veil.moveTo(cx - headR * 1.3, headY - headR * 0.6);
        veil.quadTo(cx - headR * 1.8, headY + headR * 1.5, cx - headR * 1.0, headY + headR * 2.2);
        veil.lineTo(cx - headR * 0.9, headY + headR * 0.2);
        veil.closeSubpath();
        p.drawPath(veil);
        p.drawPath(veil * QTransform().translate(2 * cx, 0).scale(-1, 1));
    } else { // the jack: a cap with a feather
        p.setBrush(c.Trim);
        QPainterPath cap;
        cap.moveTo(cx - headR * 1.3, headY - headR * 0.6);
        cap.quadTo(cx, headY - headR * 2.4, cx + headR * 1.3, headY - headR * 0.6);
        cap.closeSubpath();
        p.drawPath(cap);
        p.setBrush(c.Accent);
        QPainterPath feather;
        feather.moveTo(cx + headR * 0.6, headY - headR * 1.3);
        feather.quadTo(cx + headR * 2.6, headY - headR * 2.8, cx + headR * 2.2,
                       headY - headR * 0.6);
        feather.quadTo(cx + headR * 1.8, headY - headR * 1.6, cx + headR * 0.6,
                       headY - headR * 1.3);
        p.drawPath(feather);
    }

    // What the figure holds, across the free side.
    p.setPen(QPen(ink, 1.4));
    const double hx = cx + w * 0.30;
    if (rank == 11) { // a sword
        p.drawLine(QPointF(hx, half.bottom() - 2), QPointF(hx + w * 0.06, top + 4));
        p.drawLine(QPointF(hx - 4, half.bottom() - 10), QPointF(hx + 5, half.bottom() - 11));
    } else if (rank == 10) { // a flower
        p.drawLine(QPointF(hx, half.bottom() - 2), QPointF(hx + 2, headY - headR));
        p.setPen(outline);
        p.setBrush(c.Accent);
        for (int i = 0; i < 5; ++i) {
            const double a = i * 2 * M_PI / 5;
            p.drawEllipse(
                QPointF(hx + 2 + 2.6 * std::cos(a), headY - headR - 3 + 2.6 * std::sin(a)), 1.8,
                1.8);
        }
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QPointF(hx + 2, headY - headR - 3), 1.3, 1.3);
    } else { // a halberd
        p.drawLine(QPointF(hx + 2, half.bottom() - 2), QPointF(hx + 2, top + 6));
        p.setPen(outline);
        p.setBrush(QColor(200, 200, 210));
        QPainterPath blade;
        blade.moveTo(hx + 2, top + 4);
        blade.lineTo(hx + 7, top + 9);
        blade.lineTo(hx + 2, top + 14);
        blade.closeSubpath();
        p.drawPath(blade);
    }
    // The suit beside the head, as on every old court card.
    p.setPen(Qt::NoPen);
    p.setBrush(SuitColor(suit, fourColours));
    p.drawPath(SuitPath(suit, QRectF(half.left() + 3, top + 3, 9, 10)));
}

} // namespace

void DrawCourt(QPainter& p, const QRectF& frame, int rank, int suit, TCourtStyle style,
               bool fourColours) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor frameColour =
        style == TCourtStyle::Classic ? QColor(30, 50, 120) : SuitColor(suit, fourColours);
    p.setPen(QPen(frameColour, 1));
    p.setBrush(style == TCourtStyle::Classic ? QColor(255, 252, 240) : QColor(246, 246, 250));
    p.drawRect(frame);
    p.setClipRect(frame.adjusted(1, 1, -1, -1));
    const QRectF half(frame.left(), frame.top(), frame.width(), frame.height() / 2);
    DrawHalf(p, half, rank, suit, style, fourColours);
    p.translate(frame.center());
    p.rotate(180);
    p.translate(-frame.center());
    DrawHalf(p, half, rank, suit, style, fourColours);
    p.restore();
    // The line between the two figures.
    p.save();
    p.setPen(QPen(frameColour, 0.8));
    p.drawLine(QPointF(frame.left() + 2, frame.center().y()),
               QPointF(frame.right() - 2, frame.center().y()));
    p.restore();
}

void DrawAce(QPainter& p, const QRectF& card, int suit, TCourtStyle style, bool fourColours) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = card.center();
    const double size = suit == 0 ? card.width() * 0.56 : card.width() * 0.36;
    const QRectF box(centre.x() - size / 2, centre.y() - size * 0.55, size, size * 1.1);
    if (suit == 0) {
        // The ace of spades carries the maker's ornament: a ring of scrolls.
        p.setPen(QPen(QColor(30, 50, 120), 1.0));
        p.setBrush(Qt::NoBrush);
        for (int i = 0; i < 12; ++i) {
            p.save();
            p.translate(centre);
            p.rotate(i * 30);
            QPainterPath scroll;
            scroll.moveTo(0, -size * 0.72);
            scroll.cubicTo(size * 0.18, -size * 0.86, size * 0.26, -size * 0.64, size * 0.10,
                           -size * 0.60);
            p.drawPath(scroll);
            p.restore();
        }
        p.drawEllipse(centre, size * 0.70, size * 0.70);
        p.setPen(Qt::NoPen);
        p.setBrush(SuitColor(0, fourColours));
        p.drawPath(SuitPath(0, box));
        // A white inlay gives the big spade its engraved look.
        p.setBrush(style == TCourtStyle::Classic ? QColor(240, 200, 40) : QColor(250, 250, 250));
        p.drawPath(SuitPath(0, QRectF(centre.x() - size * 0.16, centre.y() - size * 0.22,
                                      size * 0.32, size * 0.34)));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(SuitColor(suit, fourColours));
        p.drawPath(SuitPath(suit, box));
    }
    p.restore();
}

} // namespace artwork
