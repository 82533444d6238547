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

// Each court is its own figure: the king broad and bearded in an ermine
// cape with a sword, the queen in a striped gown with long hair and a rose,
// the jack young and narrow in a banded tunic with a halberd. Each wears
// another colour of the suit's palette, so the three differ at a glance.
struct TFigure {
    QRectF Half; // the upper half of the frame; its lower edge is the card's middle
    TPalette Colours;
    TCourtStyle Style;
    double Cx() const { return Half.center().x(); }
    double W() const { return Half.width(); }
    double Top() const { return Half.top(); }
    double Bottom() const { return Half.bottom(); }
};

const QColor kInk(25, 25, 30);
const QColor kSkin(250, 214, 170);
const QColor kGold(240, 200, 40);
const QColor kWhite(252, 252, 248);

void Face(QPainter& p, const QPointF& centre, double r, bool smiling) {
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kSkin);
    p.drawEllipse(centre, r * 0.95, r * 1.1);
    p.setPen(QPen(kInk, 0.7));
    p.drawPoint(QPointF(centre.x() - r * 0.35, centre.y() - r * 0.1));
    p.drawPoint(QPointF(centre.x() + r * 0.35, centre.y() - r * 0.1));
    if (smiling)
        p.drawArc(QRectF(centre.x() - r * 0.3, centre.y() + r * 0.2, r * 0.6, r * 0.4), 200 * 16,
                  140 * 16);
    else
        p.drawLine(QPointF(centre.x() - r * 0.25, centre.y() + r * 0.5),
                   QPointF(centre.x() + r * 0.25, centre.y() + r * 0.5));
}

// Shoulders and body from `neckY` down to the bottom, `spread` of the width at the bottom.
QPainterPath Body(const TFigure& f, double cx, double neckY, double shoulder, double spread) {
    QPainterPath body;
    body.moveTo(cx - f.W() * spread, f.Bottom());
    body.lineTo(cx - f.W() * shoulder, neckY + 4);
    body.quadTo(cx, neckY - 2, cx + f.W() * shoulder, neckY + 4);
    body.lineTo(cx + f.W() * spread, f.Bottom());
    body.closeSubpath();
    return body;
}

void DrawKing(QPainter& p, const TFigure& f) {
    const TPalette& c = f.Colours;
    const double cx = f.Cx(), w = f.W();
    const double r = w * 0.14;
    const QPointF head(cx, f.Top() + f.Half.height() * 0.40);
    const double neckY = head.y() + r * 1.2;
    p.setPen(QPen(kInk, 0.8));
    // A broad robe, and a sash across it.
    const QPainterPath body = Body(f, cx, neckY, 0.44, 0.50);
    p.setBrush(c.Robe);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setBrush(c.Trim);
    QPainterPath sash;
    sash.moveTo(cx - w * 0.45, neckY + 2);
    sash.lineTo(cx - w * 0.25, neckY);
    sash.lineTo(cx + w * 0.5, f.Bottom() - 2);
    sash.lineTo(cx + w * 0.3, f.Bottom() + 2);
    sash.closeSubpath();
    p.drawPath(sash);
    p.restore();
    // The ermine cape over the shoulders.
    QPainterPath cape;
    cape.moveTo(cx - w * 0.46, neckY + 12);
    cape.lineTo(cx - w * 0.44, neckY + 4);
    cape.quadTo(cx, neckY - 3, cx + w * 0.44, neckY + 4);
    cape.lineTo(cx + w * 0.46, neckY + 12);
    cape.quadTo(cx, neckY + 7, cx - w * 0.46, neckY + 12);
    p.setBrush(kWhite);
    p.drawPath(cape);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int i = -3; i <= 3; ++i)
        p.drawEllipse(QPointF(cx + i * w * 0.12, neckY + 6 + std::abs(i) * 0.6), 0.9, 1.3);
    p.setPen(QPen(kInk, 0.8));
    // Hair, face, a full beard and a tall crown.
    p.setBrush(c.Hair);
    p.drawEllipse(QPointF(cx, head.y() + r * 0.2), r * 1.3, r * 1.35);
    Face(p, head, r, false);
    // The beard leaves eyes and nose free; a moustache above the mouth.
    QPainterPath beard;
    beard.moveTo(cx - r * 0.92, head.y() + r * 0.35);
    beard.quadTo(cx - r * 0.8, head.y() + r * 2.1, cx, head.y() + r * 2.3);
    beard.quadTo(cx + r * 0.8, head.y() + r * 2.1, cx + r * 0.92, head.y() + r * 0.35);
    beard.quadTo(cx + r * 0.5, head.y() + r * 0.95, cx, head.y() + r * 0.95);
    beard.quadTo(cx - r * 0.5, head.y() + r * 0.95, cx - r * 0.92, head.y() + r * 0.35);
    p.setBrush(c.Hair.lighter(c.Hair.value() < 60 ? 250 : 110));
    p.drawPath(beard);
    p.drawEllipse(QPointF(cx - r * 0.3, head.y() + r * 0.62), r * 0.34, r * 0.14);
    p.drawEllipse(QPointF(cx + r * 0.3, head.y() + r * 0.62), r * 0.34, r * 0.14);
    p.setBrush(kGold);
    p.drawPath(Crown(cx, head.y() - r * 2.5, r * 2.6, 5));
    p.setBrush(c.Accent);
    p.drawEllipse(QPointF(cx, head.y() - r * 1.35), 1.3, 1.3);
    // The sword, held upright beside the head.
    const double sx = cx + w * 0.34;
    p.setPen(QPen(QColor(120, 120, 130), 1.8));
    p.drawLine(QPointF(sx, f.Bottom() - 6), QPointF(sx, f.Top() + 3));
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kGold);
    p.drawRect(QRectF(sx - 4, f.Bottom() - 9, 8, 2));
    p.drawEllipse(QPointF(sx, f.Bottom() - 3), 1.6, 1.6);
}

void DrawQueen(QPainter& p, const TFigure& f) {
    const TPalette& c = f.Colours;
    const double w = f.W();
    const double cx = f.Cx() - w * 0.06;
    const double r = w * 0.12;
    const QPointF head(cx, f.Top() + f.Half.height() * 0.36);
    const double neckY = head.y() + r * 1.2;
    p.setPen(QPen(kInk, 0.8));
    // Long hair falling behind the shoulders.
    QPainterPath hair;
    hair.moveTo(cx - r * 1.3, head.y() - r * 0.6);
    hair.quadTo(cx - r * 2.4, head.y() + r * 2.0, cx - r * 1.8, neckY + r * 2.2);
    hair.lineTo(cx + r * 1.8, neckY + r * 2.2);
    hair.quadTo(cx + r * 2.4, head.y() + r * 2.0, cx + r * 1.3, head.y() - r * 0.6);
    hair.quadTo(cx, head.y() - r * 1.8, cx - r * 1.3, head.y() - r * 0.6);
    p.setBrush(c.Hair);
    p.drawPath(hair);
    // A gown in stripes of two colours under a lace collar.
    const QPainterPath body = Body(f, cx, neckY, 0.34, 0.46);
    p.setBrush(c.Accent);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(c.Trim);
    for (double x = cx - w * 0.5; x < cx + w * 0.5; x += 6)
        p.drawRect(QRectF(x, neckY, 3, f.Bottom() - neckY));
    p.restore();
    p.setBrush(kWhite);
    QPainterPath collar;
    const double cw = w * 0.32;
    collar.moveTo(cx - cw, neckY + 5);
    for (int i = 0; i < 6; ++i) {
        const double x0 = cx - cw + i * cw / 3;
        collar.quadTo(x0 + cw / 6, neckY + 11, x0 + cw / 3, neckY + 5);
    }
    collar.quadTo(cx, neckY - 2, cx - cw, neckY + 5);
    p.drawPath(collar);
    Face(p, head, r, true);
    // A small crown set with pearls.
    p.setBrush(kGold);
    p.drawPath(Crown(cx, head.y() - r * 2.0, r * 1.8, 3));
    p.setBrush(kWhite);
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(QPointF(cx + i * r * 0.6, head.y() - r * 1.05), 0.9, 0.9);
    // The rose, held up on the free side.
    const double rx = cx + w * 0.36;
    p.setPen(QPen(QColor(20, 110, 50), 1.2));
    p.drawLine(QPointF(rx - 4, f.Bottom() - 4), QPointF(rx, head.y() - r * 0.6));
    p.setPen(QPen(kInk, 0.6));
    p.setBrush(c.Robe);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        p.drawEllipse(QPointF(rx + 2.4 * std::cos(a), head.y() - r * 1.2 + 2.4 * std::sin(a)), 2.0,
                      2.0);
    }
    p.setBrush(kGold);
    p.drawEllipse(QPointF(rx, head.y() - r * 1.2), 1.3, 1.3);
}

void DrawJack(QPainter& p, const TFigure& f) {
    const TPalette& c = f.Colours;
    const double w = f.W();
    const double cx = f.Cx() + w * 0.08;
    const double r = w * 0.11;
    const QPointF head(cx, f.Top() + f.Half.height() * 0.42);
    const double neckY = head.y() + r * 1.2;
    p.setPen(QPen(kInk, 0.8));
    // A narrow tunic in bands, with a belt.
    const QPainterPath body = Body(f, cx, neckY, 0.28, 0.36);
    p.setBrush(c.Trim);
    p.drawPath(body);
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(c.Robe);
    for (double y = neckY + 3; y < f.Bottom(); y += 7) p.drawRect(QRectF(cx - w * 0.5, y, w, 3.5));
    p.setBrush(c.Hair);
    p.drawRect(QRectF(cx - w * 0.5, f.Bottom() - 7, w, 2.5));
    p.restore();
    // Short curls, a young face, a beret with a long feather.
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(c.Hair);
    for (int side : {-1, 1})
        p.drawEllipse(QPointF(cx + side * r * 0.9, head.y() + r * 0.5), r * 0.55, r * 0.7);
    Face(p, head, r, true);
    p.setBrush(c.Accent);
    p.drawEllipse(QRectF(cx - r * 1.5, head.y() - r * 1.9, r * 3.0, r * 1.3));
    QPainterPath feather;
    feather.moveTo(cx + r * 0.8, head.y() - r * 1.5);
    feather.quadTo(cx + r * 2.5, head.y() - r * 4.0, cx - r * 1.5, head.y() - r * 3.4);
    feather.quadTo(cx + r * 1.0, head.y() - r * 2.8, cx + r * 0.8, head.y() - r * 1.5);
    p.setBrush(c.Robe);
    p.drawPath(feather);
    // The halberd on the far side: a pole with an axe blade and a spike.
    const double hx = f.Half.left() + w * 0.16;
    p.setPen(QPen(QColor(110, 70, 30), 1.6));
    p.drawLine(QPointF(hx, f.Bottom() - 2), QPointF(hx, f.Top() + 5));
    p.setPen(QPen(kInk, 0.7));
    p.setBrush(QColor(200, 200, 210));
    QPainterPath blade;
    blade.moveTo(hx, f.Top() + 8);
    blade.quadTo(hx + 8, f.Top() + 9, hx + 7, f.Top() + 17);
    blade.lineTo(hx, f.Top() + 15);
    blade.closeSubpath();
    blade.moveTo(hx - 1, f.Top() + 5);
    blade.lineTo(hx, f.Top() + 1);
    blade.lineTo(hx + 1, f.Top() + 5);
    blade.closeSubpath();
    p.drawPath(blade);
}

// One half figure standing in `half`, head up; its lower edge is the card's middle.
void DrawHalf(QPainter& p, const QRectF& half, int rank, int suit, TCourtStyle style,
              bool fourColours) {
    const TFigure figure{half, PaletteOf(suit), style};
    if (rank == 11)
        DrawKing(p, figure);
    else if (rank == 10)
        DrawQueen(p, figure);
    else
        DrawJack(p, figure);
    // The suit beside the head, as on every old court card: the side the
    // figure leaves free.
    p.setPen(Qt::NoPen);
    p.setBrush(SuitColor(suit, fourColours));
    const double x = rank == 9 ? half.right() - 12 : half.left() + 3;
    p.drawPath(SuitPath(suit, QRectF(x, half.top() + 3, 9, 10)));
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
