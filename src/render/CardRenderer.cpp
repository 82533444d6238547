#include "CardRenderer.h"

#include "PaintEngine.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace drawmentor {
namespace {

// The standard card the built-in pictures were designed on.
constexpr double kDesignWidth = 94;
constexpr double kDesignHeight = 127;
const QColor kFelt(0, 96, 56);

QSize Pixels(const QSize& size, qreal ratio) {
    return {std::max(1, static_cast<int>(std::lround(size.width() * ratio))),
            std::max(1, static_cast<int>(std::lround(size.height() * ratio)))};
}

// Text as a path fitted into `box` and centred: its edges stay sharp at any size.
void FillText(QPainter& p, const QString& text, const QRectF& box, const QFont& font,
              const QColor& colour) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(t.map(path));
}

// Maps the design card onto `card`.
void EnterCard(QPainter& p, const QRectF& card) {
    p.translate(card.topLeft());
    p.scale(card.width() / kDesignWidth, card.height() / kDesignHeight);
    p.setRenderHint(QPainter::Antialiasing);
}

} // namespace

void PaintHeldBand(QPainter& p, const QRectF& card, const QString& word) {
    p.save();
    EnterCard(p, card);
    // Across the middle, as the built-in band lies: the corner indices stay in view.
    constexpr double top = (kDesignHeight - 21) / 2;
    QLinearGradient gold(0, top - 1.5, 0, top + 22.5);
    gold.setColorAt(0, QColor(255, 236, 120));
    gold.setColorAt(1, QColor(240, 180, 20));
    p.setPen(QPen(QColor(150, 90, 0), 1));
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(4.5, top, kDesignWidth - 9, 21), 4, 4);
    // A longer word takes the band's width rather than its height.
    const double wide = word.size() > 4 ? 12 : 20;
    FillText(p, word, QRectF(wide, top + 3.5, kDesignWidth - 2 * wide, 14),
             QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold), QColor(170, 0, 0));
    p.restore();
}

void PaintWildBadge(QPainter& p, const QRectF& card) {
    p.save();
    EnterCard(p, card);
    const QRectF oval(18, 22, kDesignWidth - 36, kDesignHeight - 44);
    QRadialGradient glow(oval.center(), oval.height() / 2);
    glow.setColorAt(0, QColor(255, 245, 170));
    glow.setColorAt(1, QColor(245, 170, 30));
    p.setPen(QPen(QColor(160, 80, 0), 1.2));
    p.setBrush(glow);
    p.drawEllipse(oval);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 20, 40));
    for (int i = 0; i < 10; ++i) {
        const double a = i * M_PI / 5 - M_PI / 2;
        const QPointF c(oval.center().x() + oval.width() * 0.38 * std::cos(a),
                        oval.center().y() + oval.height() * 0.40 * std::sin(a));
        QPainterPath star;
        for (int k = 0; k < 10; ++k) {
            const double r = k % 2 ? 1.4 : 3.4;
            const double b = k * M_PI / 5 - M_PI / 2;
            const QPointF v(c.x() + r * std::cos(b), c.y() + r * std::sin(b));
            k ? star.lineTo(v) : star.moveTo(v);
        }
        star.closeSubpath();
        p.drawPath(star);
    }
    p.translate(oval.center());
    p.rotate(-20);
    FillText(p, QStringLiteral("WILD"), QRectF(-26, -9, 52, 18),
             QFont(QStringLiteral("DejaVu Serif"), 20, QFont::Bold), QColor(170, 0, 20));
    p.restore();
}

QImage TCardRenderer::Native(bool held, bool wild, int suit, int rank) const {
    QImage image(FEngine.CardWidth, FEngine.CardHeight, QImage::Format_RGB32);
    QPainter p(&image);
    FEngine.DrawCard(p, image.rect(), held, wild, suit, rank);
    return image;
}

QImage TCardRenderer::Scaled(const QImage& native, const QSize& pixels) {
    if (native.size() == pixels) return native;
    return native.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage TCardRenderer::Card(const QSize& size, qreal ratio, bool held, bool wild, int suit,
                           int rank) const {
    const QSize pixels = Pixels(size, ratio);
    const QSize native(FEngine.CardWidth, FEngine.CardHeight);
    QImage image;
    // The built-in band says HELD; another word is painted over a card without it.
    const bool ownBand = held && FHeldWord != QLatin1String("HELD");
    if (pixels == native && !ownBand) {
        image = Native(held, wild, suit, rank); // the deck's own card, untouched
    } else if (pixels == native) {
        image = Native(false, wild, suit, rank);
        QPainter p(&image);
        PaintHeldBand(p, QRectF(image.rect()), FHeldWord);
    } else {
        QImage face;
        // A card out of range goes to the engine, which refuses it.
        if (FFaceSource && !wild && rank >= 0 && rank <= 12 && suit >= 0 && suit <= 3)
            face = FFaceSource(suit, rank, pixels);
        if (!face.isNull()) {
            image = QImage(pixels, QImage::Format_RGB32);
            image.fill(kFelt);
            QPainter p(&image);
            p.drawImage(QPoint(0, 0), face);
        } else {
            // The checks of a bad card are the engine's, made here as well.
            image = Scaled(Native(false, wild, suit, rank), pixels)
                        .convertToFormat(QImage::Format_RGB32);
            if (wild) {
                // The badge at full sharpness, then the scaled corner indices
                // stay as they are around it.
                QPainter p(&image);
                PaintWildBadge(p, QRectF(QPointF(0, 0), QSizeF(pixels)));
            }
        }
        if (held) {
            QPainter p(&image);
            PaintHeldBand(p, QRectF(QPointF(0, 0), QSizeF(pixels)), FHeldWord);
        }
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage TCardRenderer::Back(const QSize& size, qreal ratio) const {
    QImage native(FEngine.CardWidth, FEngine.CardHeight, QImage::Format_RGB32);
    QPainter p(&native);
    FEngine.DrawBack(p, native.rect());
    p.end();
    QImage image = Scaled(native, Pixels(size, ratio));
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace drawmentor
