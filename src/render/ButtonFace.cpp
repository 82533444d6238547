#include "ButtonFace.h"

#include "Colors.h"

#include <QPainter>

namespace drawmentor {

void PaintButtonFace(QImage& face, bool pressed, const QPalette& palette) {
    const int w = face.width(), h = face.height();
    const QColor btnFace = ResolveColor(TSystemColor::BtnFace, palette);
    const QColor dark = ResolveColor(TSystemColor::DkShadow3D, palette);
    QPainter p(&face);
    if (pressed)
        p.fillRect(face.rect(), Qt::white);
    else
        FillGradient(p, face.rect(), ShiftColor(btnFace, 45), h, 0, ShiftColor(btnFace, -25));
    p.setPen(dark);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRect(0, 0, w - 1, h - 1), 2.5, 2.5);
    if (pressed) {
        p.setPen(ShiftColor(dark, 50));
        p.drawLine(w - 3, 1, 2, 1);
        p.drawPolyline(QPolygon({QPoint(w - 2, 1), QPoint(2, 1), QPoint(1, 2), QPoint(1, h - 2)}));
        p.setPen(ResolveColor(TSystemColor::Light3D, palette));
        p.drawPolyline(QPolygon(
            {QPoint(2, h - 2), QPoint(w - 3, h - 2), QPoint(w - 2, h - 3), QPoint(w - 2, 1)}));
    }
    p.end();
    const QColor shadow = ResolveColor(TSystemColor::BtnShadow, palette);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        face.setPixelColor(corner, btnFace);
    for (const QPoint edge :
         {QPoint(0, 1), QPoint(1, 0), QPoint(w - 2, 0), QPoint(w - 1, 1), QPoint(0, h - 2),
          QPoint(1, h - 1), QPoint(w - 2, h - 1), QPoint(w - 1, h - 2)})
        face.setPixelColor(edge, shadow);
}

void StretchFace(const QImage& source, QImage& target) {
    const int sw = source.width(), tw = target.width(), h = target.height();
    QPainter p(&target);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    int filled = std::max(0, std::min(tw - 3, sw - 3));
    p.drawImage(QPoint(0, 0), source, QRect(0, 0, filled, h));
    while (filled < tw) {
        const int missing = tw - filled;
        if (sw - missing > 3) {
            p.drawImage(QPoint(filled, 0), source, QRect(sw - missing, 0, missing, h));
            filled = tw;
        } else {
            const int middle = std::max(1, std::min(sw - 6, missing));
            p.drawImage(QPoint(filled, 0), source, QRect(3, 0, middle, h));
            filled += middle;
        }
    }
}

const QImage& TButtonHash::GetFace(int width, int height, const QPalette& palette) {
    width = std::max(width, 8);
    height = std::max(height, 8);
    const int next = (FLast + 1) % 8;
    int donor = -1;
    for (int slot = 0; slot < 8; ++slot) {
        if (FSlots[slot].height() != height) continue;
        if (FSlots[slot].width() == width) return FSlots[slot];
        if (slot != next) donor = slot;
    }
    FLast = next;
    QImage face(width, height, QImage::Format_RGB32);
    if (donor < 0) {
        PaintButtonFace(face, FPressed, palette);
        FOrigin[next] = 'p';
    } else {
        StretchFace(FSlots[donor], face);
        FOrigin[next] = 's';
    }
    FSlots[next] = face;
    return FSlots[next];
}

const QImage& ButtonFace(int width, int height, bool pressed, const QPalette& palette) {
    static TButtonHash normal(false);
    static TButtonHash down(true);
    return (pressed ? down : normal).GetFace(width, height, palette);
}

} // namespace drawmentor
