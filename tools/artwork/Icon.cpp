#include "Icon.h"

#include "Shapes.h"

namespace artwork {

// An ace of spades leaning on a king, on the table's green.
void PaintIcon(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kFelt);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 22, 22);
    for (int i = 0; i < 2; ++i) {
        p.save();
        p.translate(64, 70);
        p.rotate(i == 0 ? -12 : 10);
        const QRectF card(-30 + i * 8, -44, 56, 78);
        p.setPen(QPen(kBorder, 1.5));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(SuitColor(i == 0 ? 3 : 0, false));
        p.drawPath(SuitPath(i == 0 ? 3 : 0,
                            QRectF(card.center().x() - 16, card.center().y() - 16, 32, 34)));
        p.restore();
    }
    p.restore();
}

QImage IconImage(int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(double(side) / kIconSide, double(side) / kIconSide);
    PaintIcon(p);
    return image;
}

} // namespace artwork
