#include "CardImage.h"

#include <QPainter>

namespace drawmentor {

TCardImage::TCardImage(int tag, QWidget* parent) : QWidget(parent), FTag(tag) {
    setObjectName(QStringLiteral("Card%1").arg(tag + 1));
    setCursor(Qt::PointingHandCursor);
}

void TCardImage::SetImage(const QImage& image) {
    FImage = image;
    update();
}

void TCardImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // An image painted for another size (the table is being resized) is
    // stretched smoothly until its own arrives.
    const QSizeF shown = FImage.deviceIndependentSize();
    if (shown.toSize() == size() || FImage.isNull()) {
        painter.drawImage(QPoint(0, 0), FImage);
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), FImage);
    }
}

void TCardImage::mousePressEvent(QMouseEvent*) {
    emit Pressed(FTag);
}

} // namespace drawmentor
