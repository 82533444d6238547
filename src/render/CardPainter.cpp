#include "CardPainter.h"

#include "ImageCodec.h"

#include <QFont>
#include <QFontMetrics>

namespace drawmentor {

const char* const RankTexts[13] = {"2", "3",  "4", "5", "6", "7", "8",
                                   "9", "10", "J", "Q", "K", "A"};

void TCardPainter::Init() {
    Suits1 = LoadPlainImageResource(QStringLiteral("S_SUIT1"));
    Suits2 = LoadPlainImageResource(QStringLiteral("S_SUIT2"));
    Ranks = LoadPlainImageResource(QStringLiteral("S_RANKS"));
    Held = LoadPlainImageResource(QStringLiteral("S_HELD"));
}

// Drawn here rather than kept as a picture: a picture has one colour round its
// rounded corners, and the cards lie on the felt, on white lists and on the
// dialogs' grey.
const QImage& TCardPainter::Face(const QColor& around) {
    if (FFace.isNull() || FFaceAround != around) {
        FFace = QImage(Width, Height, QImage::Format_RGB32);
        FFace.fill(around);
        QPainter p(&FFace);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 90, 96), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(0.5, 0.5, Width - 1, Height - 1), 3, 3);
        FFaceAround = around;
    }
    return FFace;
}

void TCardPainter::DrawSmallCard(QPainter& p, int x, int y, const QColor& corner, int rank,
                                 int suit, bool held, bool wild, bool secondHeld) {
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x, y, Face(corner));
    for (const QPoint c : {QPoint(x, y), QPoint(x + Width - 1, y), QPoint(x, y + Height - 1),
                           QPoint(x + Width - 1, y + Height - 1)}) {
        p.setPen(corner);
        p.drawPoint(c);
    }
    const int row = std::max(suit, 0) / 2;
    if (rank < 0) {
        if (Joker.isNull()) Joker = LoadPlainImageResource(QStringLiteral("S_JOKER"));
        p.drawImage(x + 5, y + 5, Joker);
    } else if (wild) {
        if (Wild.isNull()) Wild = LoadPlainImageResource(QStringLiteral("S_WILD"));
        p.drawImage(QPoint(x + 5, y + 5), Ranks, QRect(rank * 12, row * 12, 12, 12));
        p.drawImage(QPoint(x + 18, y + 5), Wild, QRect(0, row * 12, Wild.width(), 12));
    } else {
        p.drawImage(QPoint(x + 9, y + 30), Suits1, QRect(suit * 32, 0, 32, 33));
        p.drawImage(QPoint(x + 5, y + 5), Ranks, QRect(rank * 12, row * 12, 12, 12));
        p.drawImage(QPoint(x + 5, y + 19), Suits2, QRect(suit * 12, 0, 12, 13));
    }
    if (held) p.drawImage(x + 1, y + 38, Held);
    if (secondHeld) {
        if (Held1.isNull()) Held1 = LoadPlainImageResource(QStringLiteral("S_HELD1"));
        p.drawImage(x + 1, y + 52, Held1);
    }
    p.restore();
}

QImage MakeCardLabel(TCardPainter& painter, int rank, int suit, int gap) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(QStringLiteral("10"));
    const int suitWidth = painter.Suits2.width() / 4;
    QImage label(textWidth + gap + suitWidth, painter.Suits2.height(),
                 QImage::Format_ARGB32_Premultiplied);
    label.fill(Qt::white);
    QPainter p(&label);
    p.setFont(font);
    p.setPen(rank < 0 || suit < 2 ? QColor(20, 20, 24) : QColor(200, 16, 32));
    if (rank < 0) {
        p.drawText(label.rect(), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Jok"));
    } else {
        p.drawText(QRect(0, 0, textWidth, label.height()), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromLatin1(RankTexts[rank]));
        p.drawImage(QPoint(textWidth + gap, 1), painter.Suits2,
                    QRect(suit * suitWidth, 0, suitWidth, label.height() - 1));
    }
    p.end();
    // White is the transparent colour of a label.
    for (int y = 0; y < label.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(label.scanLine(y));
        for (int x = 0; x < label.width(); ++x)
            if (line[x] == qRgb(255, 255, 255)) line[x] = qRgba(0, 0, 0, 0);
    }
    return label;
}

} // namespace drawmentor
