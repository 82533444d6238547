#include "HoldPictures.h"

#include "cards/Cards.h"
#include "render/CardPainter.h"

#include <QPainter>

#include <algorithm>

namespace drawmentor {

QImage HandPicture(TCardPainter& painter, const std::array<int, 5>& codes,
                   const QColor& background) {
    std::array<QImage, 5> labels;
    for (int i = 0; i < 5; ++i) {
        const TCard card = DecodeCard(codes[i]);
        labels[i] = MakeCardLabel(painter, card.Rank, card.Suit, 1);
    }
    const int width = labels[0].width();
    QImage picture(5 * width + 4, labels[0].height(), QImage::Format_RGB32);
    picture.fill(background);
    QPainter p(&picture);
    for (int i = 0; i < 5; ++i) p.drawImage(i * (width + 1), 0, labels[i]);
    return picture;
}

QImage FadedPicture(const QImage& picture) {
    QImage faded = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < faded.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(faded.scanLine(y));
        for (int x = 0; x < faded.width(); ++x) {
            const QRgb c = line[x];
            if ((c & 0xFFFFFF) == 0xFFFFFF) continue;
            const int mean = qRound((qRed(c) + qGreen(c) + qBlue(c)) / 3.0);
            const int v = std::min(255, mean / 2 + 160);
            line[x] = qRgb(v, v, v);
        }
    }
    return faded;
}

std::array<QImage, kHoldCount> HoldPictures(const QImage& hand) {
    const QImage faded = FadedPicture(hand);
    const int width = (hand.width() - 4) / 5;
    std::array<QImage, kHoldCount> pictures;
    pictures[0] = hand;
    pictures[kHoldCount - 1] = faded;
    for (int mask = 1; mask < kHoldCount - 1; ++mask) {
        QImage picture = hand.copy();
        QPainter p(&picture);
        for (int slot = 0; slot < 5; ++slot)
            if (mask & (1 << slot)) {
                const QRect rect(slot * (width + 1), 0, width, hand.height());
                p.drawImage(rect.topLeft(), faded, rect);
            }
        p.end();
        pictures[mask] = picture;
    }
    return pictures;
}

} // namespace drawmentor
