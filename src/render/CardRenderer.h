#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

namespace drawmentor {

class TPaintEngine;

// The big cards at the size and pixel density they are shown at. At the
// deck's own size on an ordinary screen a card is exactly what the paint
// engine composes. Larger or denser, a deck that has a vector drawing draws
// each face at the target pixels; a bitmap deck is composed at its own size
// and scaled smoothly; the held band and the wild badge are drawn at the
// target size over it, never scaled up.
class TCardRenderer {
  public:
    // A whole face of (suit, rank) drawn at `pixels`, on transparency; a null
    // image when the deck has no drawing of it.
    using TFaceSource = std::function<QImage(int suit, int rank, const QSize& pixels)>;

    explicit TCardRenderer(TPaintEngine& engine) : FEngine(engine) {}

    void SetFaceSource(TFaceSource source) { FFaceSource = std::move(source); }
    // The word on the held band; the built-in pictures say HELD.
    void SetHeldWord(const QString& word) { FHeldWord = word; }
    // `size` in device-independent pixels; the image has size x ratio pixels
    // and carries the ratio.
    QImage Card(const QSize& size, qreal ratio, bool held, bool wild, int suit, int rank) const;
    QImage Back(const QSize& size, qreal ratio) const;

  private:
    QImage Native(bool held, bool wild, int suit, int rank) const;
    static QImage Scaled(const QImage& native, const QSize& pixels);

    TPaintEngine& FEngine;
    TFaceSource FFaceSource;
    QString FHeldWord = QStringLiteral("HELD");
};

// The gold HELD band (saying `word`) across the middle of a card's rectangle,
// clear of the corner indices, and the wild card's badge; their proportions
// are those of the built-in pictures on the standard card.
void PaintHeldBand(QPainter& painter, const QRectF& card,
                   const QString& word = QStringLiteral("HELD"));
void PaintWildBadge(QPainter& painter, const QRectF& card);

} // namespace drawmentor
