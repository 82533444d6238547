#include "CardButton.h"

#include "render/ButtonFace.h"
#include "render/Colors.h"

#include <QPainter>

namespace drawmentor {

TCardButton::TCardButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus); // the keyboard plays through the window's keys
}

void TCardButton::SetGlyph(const QImage& glyph) {
    FGlyph = glyph;
    update();
}

QSize TCardButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 24, metrics.height() + 14};
}

void TCardButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintCardButton(painter, rect(), text(), FGlyph, isDown() || isChecked(), isEnabled(),
                    palette(), font());
}

void PaintCardButton(QPainter& p, const QRect& rect, const QString& caption, const QImage& glyph,
                     bool pressed, bool enabled, const QPalette& palette, const QFont& font) {
    p.drawImage(rect.topLeft(), ButtonFace(rect.width(), rect.height(), pressed, palette));
    const QPoint shift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    if (!glyph.isNull()) {
        const int x = std::max(3, (rect.width() - glyph.width()) / 2);
        const int y = std::max(1, (rect.height() - glyph.height()) / 2);
        p.drawImage(rect.topLeft() + QPoint(x, y) + shift, glyph);
    }
    p.setFont(font);
    const QRect textRect = rect.translated(shift);
    if (enabled) {
        p.setPen(ResolveColor(TSystemColor::BtnText, palette));
        p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    } else {
        p.setPen(ResolveColor(TSystemColor::BtnHighlight, palette));
        p.drawText(textRect.translated(1, 1), Qt::AlignCenter | Qt::TextSingleLine, caption);
        p.setPen(ResolveColor(TSystemColor::BtnShadow, palette));
        p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
}

} // namespace drawmentor
