// Draws every picture the program shows and writes it in the formats the
// paint engine reads: the deck files "data/deck.001" (classic) and
// "data/deck.002" (large indices, modern pictures), the strip of 15 card
// backs "data/back.001", and the built-in images (EMPTY, HELD, WILD, the
// joker's corner index JOKER, ABOUT and the small-card set S_*).
//
//   make_artwork PROGRAM_FOLDER IMAGES_FOLDER
//
// (Both decks keep two-colour indices, a row for spades and clubs and one for
// diamonds and hearts, and carry the small suits drawn under the indices.)
#include "Courts.h"
#include "Encoding.h"
#include "Icon.h"
#include "Shapes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>
#include <stdexcept>

namespace {

using namespace artwork;

constexpr int kW = 94;
constexpr int kH = 127;
const char* const kRankTexts[] = {"2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};

QImage White(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// `path` scaled by (sx, sy) about its centre, placed at the centre of `box`.
void FillScaled(QPainter& p, const QPainterPath& path, const QRectF& box, double sx, double sy,
                const QColor& colour) {
    const QRectF bounds = path.boundingRect();
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(t.map(path));
    p.restore();
}

// Text as a path scaled into `box`, centred: crisp at any cell size.
void DrawFitted(QPainter& p, const QString& text, const QRectF& box, const QFont& font,
                const QColor& colour, double squeeze = 1.0) {
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const double scale =
        std::min(box.width() / (bounds.width() * squeeze), box.height() / bounds.height());
    FillScaled(p, path, box, scale * squeeze, scale, colour);
}

// An index glyph: every rank at the same height (that of "8"), squeezed
// sideways only when it would not fit the cell.
void DrawIndexGlyph(QPainter& p, const QString& text, const QRectF& box, const QFont& font,
                    const QColor& colour) {
    QPainterPath reference;
    reference.addText(0, 0, font, QStringLiteral("8"));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    // A glyph with a descender (the serif J) is fitted as a whole.
    const double height = std::max(bounds.height(), reference.boundingRect().height());
    const double scale = box.height() / height;
    const double squeeze = std::min(1.0, box.width() / (bounds.width() * scale));
    FillScaled(p, path, box, scale * squeeze, scale, colour);
}

// --- Card faces --------------------------------------------------------------

void CardOutline(QPainter& p, int w, int h, double radius) {
    p.fillRect(0, 0, w, h, kFelt);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
    p.setRenderHint(QPainter::Antialiasing, false);
}

QImage EmptyCard() {
    QImage image = White(kW, kH);
    QPainter p(&image);
    CardOutline(p, kW, kH, 5);
    return image;
}

QImage HeldBand() {
    QImage image = White(kW, 30);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gold(0, 3, 0, 27);
    gold.setColorAt(0, QColor(255, 236, 120));
    gold.setColorAt(1, QColor(240, 180, 20));
    p.setPen(QPen(QColor(150, 90, 0), 1));
    p.setBrush(gold);
    p.drawRoundedRect(QRectF(4.5, 4.5, kW - 9, 21), 4, 4);
    QFont font(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    DrawFitted(p, QStringLiteral("HELD"), QRectF(20, 8, kW - 40, 14), font, QColor(170, 0, 0));
    return image;
}

// The joker's corner index: the letters of JOKER stacked, as printed jokers have.
QImage JokerIndex() {
    QImage image = White(11, 50);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    const QString letters = QStringLiteral("JOKER");
    for (int i = 0; i < letters.size(); ++i)
        DrawFitted(p, letters.mid(i, 1), QRectF(1, 1 + i * 10, 9, 8), font, QColor(200, 16, 32));
    return image;
}

QImage WildFace() {
    QImage image = White(kW, kH);
    QPainter p(&image);
    CardOutline(p, kW, kH, 5);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF oval(18, 22, kW - 36, kH - 44); // clear of the corner indices
    QRadialGradient glow(oval.center(), oval.height() / 2);
    glow.setColorAt(0, QColor(255, 245, 170));
    glow.setColorAt(1, QColor(245, 170, 30));
    p.setPen(QPen(QColor(160, 80, 0), 1.2));
    p.setBrush(glow);
    p.drawEllipse(oval);
    // A ring of stars around the word.
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
    QFont font(QStringLiteral("DejaVu Serif"), 20, QFont::Bold);
    p.save();
    p.translate(oval.center());
    p.rotate(-20);
    DrawFitted(p, QStringLiteral("WILD"), QRectF(-26, -9, 52, 18), font, QColor(170, 0, 20));
    p.restore();
    return image;
}

struct TDeckStyle {
    QString Code;
    int GlyphW, GlyphH; // corner index cell
    int SuitW, SuitH;   // pip cell
    int IndexX, IndexY;
    int FaceSuitX, FaceSuitY;
    int PipAdjustX, PipAdjustY;
    QRectF CourtFrame;
    TCourtStyle Courts;
    bool FourColours;
    QString IndexFont;
    int CornerSuitW, CornerSuitH; // the suit under the corner index
};

QImage RanksImage(const TDeckStyle& s) {
    QImage image = White(s.GlyphW * 13, s.GlyphH * 2);
    QPainter p(&image);
    QFont font(s.IndexFont, 24, QFont::Bold);
    for (int row = 0; row < 2; ++row)
        for (int rank = 0; rank < 13; ++rank) {
            const QString text = QString::fromLatin1(kRankTexts[rank]);
            const QRectF cell(rank * s.GlyphW + 0.5, row * s.GlyphH + 1, s.GlyphW - 1,
                              s.GlyphH - 2);
            DrawIndexGlyph(p, text, cell, font,
                           row == 0 ? SuitColor(0, false) : SuitColor(3, false));
        }
    return image;
}

QImage SuitsImage(const TDeckStyle& s) {
    QImage image = White(s.SuitW * 4, s.SuitH);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int suit = 0; suit < 4; ++suit) {
        p.setBrush(SuitColor(suit, s.FourColours));
        p.drawPath(SuitPath(suit, QRectF(suit * s.SuitW + 0.5, 0.5, s.SuitW - 1, s.SuitH - 1)));
    }
    return image;
}

QImage CornerSuitsImage(const TDeckStyle& s) {
    QImage image = White(s.CornerSuitW * 4, s.CornerSuitH);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int suit = 0; suit < 4; ++suit) {
        p.setBrush(SuitColor(suit, s.FourColours));
        p.drawPath(SuitPath(
            suit, QRectF(suit * s.CornerSuitW + 0.5, 0.5, s.CornerSuitW - 1, s.CornerSuitH - 1)));
    }
    return image;
}

QImage PicturesImage(const TDeckStyle& s) {
    QImage image = White(kW * 16, kH);
    QPainter p(&image);
    const int suitOfColumn[4] = {1, 0, 2, 3}; // clubs, spades, diamonds, hearts
    for (int picture = 0; picture < 4; ++picture)
        for (int column = 0; column < 4; ++column) {
            const int suit = suitOfColumn[column];
            const int x = (picture * 4 + column) * kW;
            p.save();
            p.translate(x, 0);
            if (picture < 3)
                DrawCourt(p, s.CourtFrame, 9 + picture, suit, s.Courts, s.FourColours);
            else
                DrawAce(p, QRectF(0, 0, kW, kH), suit, s.Courts, s.FourColours);
            p.restore();
        }
    return image;
}

QByteArray DeckFile(const TDeckStyle& s) {
    QByteArray header;
    const auto int32 = [&](qint32 v) { header += Int32(v); };
    const auto byte = [&](quint8 v) { header.append(static_cast<char>(v)); };
    int32(s.IndexX);
    int32(s.IndexY);
    int32(s.FaceSuitX);
    int32(s.FaceSuitY);
    int32(s.PipAdjustX);
    int32(s.PipAdjustY);
    byte(1); // mirror court index
    byte(1); // mirror ace index
    byte(1); // the ace picture is complete
    int32(0);
    int32(0); // pip 3
    int32(0); // side pips
    byte(0);
    int32(0);          // pips on ranks 2..10, pictures for J, Q, K, A
    byte(1);           // mirror pip index
    int32(2);          // index rows: black and red
    int32(1);          // extras: the corner suits follow the suits
    int32(0x31584D44); // the mark that makes a reader take the two fields above
    if (header.size() != 57) throw std::runtime_error("deck header is not 57 bytes");
    return Zlib(header + Packed(RanksImage(s)) + Packed(PicturesImage(s)) + Packed(SuitsImage(s)) +
                Packed(CornerSuitsImage(s)));
}

// --- Backs -------------------------------------------------------------------

// Fifteen backs, each a pattern in one colour scheme inside a white margin.
QImage BackStrip() {
    QImage strip = White(kW * 15, kH);
    QPainter p(&strip);
    const QColor schemes[15][2] = {
        {{20, 50, 140}, {120, 160, 230}}, {{150, 20, 30}, {235, 120, 120}},
        {{10, 100, 60}, {130, 210, 160}}, {{90, 30, 120}, {190, 150, 220}},
        {{0, 110, 120}, {120, 210, 210}}, {{30, 30, 30}, {220, 180, 60}},
        {{190, 80, 0}, {250, 190, 110}},  {{20, 60, 160}, {250, 250, 250}},
        {{120, 0, 40}, {240, 200, 120}},  {{40, 40, 90}, {160, 160, 220}},
        {{0, 80, 40}, {240, 220, 140}},   {{160, 20, 100}, {250, 170, 210}},
        {{60, 60, 60}, {190, 190, 190}},  {{10, 70, 110}, {250, 200, 80}},
        {{110, 50, 20}, {220, 170, 110}},
    };
    for (int k = 0; k < 15; ++k) {
        const QColor dark = schemes[k][0], light = schemes[k][1];
        const QRectF inner(k * kW + 5, 5, kW - 10, kH - 10);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setClipRect(inner);
        p.fillRect(inner, dark);
        p.setPen(QPen(light, 1.2));
        p.setBrush(Qt::NoBrush);
        const double x0 = inner.left(), y0 = inner.top(), w = inner.width(), h = inner.height();
        switch (k) {
        case 0: // diagonal lattice
            for (double d = -h; d < w + h; d += 7) {
                p.drawLine(QPointF(x0 + d, y0), QPointF(x0 + d + h, y0 + h));
                p.drawLine(QPointF(x0 + d, y0 + h), QPointF(x0 + d + h, y0));
            }
            break;
        case 1: // dots
            p.setBrush(light);
            p.setPen(Qt::NoPen);
            for (double y = y0 + 3; y < y0 + h; y += 7)
                for (double x = x0 + 3 + (int(y) % 14 ? 3.5 : 0); x < x0 + w; x += 7)
                    p.drawEllipse(QPointF(x, y), 1.6, 1.6);
            break;
        case 2: // concentric frames
            for (double i = 3; i < w / 2; i += 5)
                p.drawRoundedRect(inner.adjusted(i, i, -i, -i), 3, 3);
            break;
        case 3: // vertical stripes
            for (double x = x0; x < x0 + w; x += 6) p.fillRect(QRectF(x, y0, 3, h), light);
            break;
        case 4: // waves
            for (double y = y0; y < y0 + h + 8; y += 6) {
                QPainterPath wave;
                wave.moveTo(x0, y);
                for (double x = x0; x < x0 + w; x += 12)
                    wave.quadTo(x + 3, y - 4, x + 6, y), wave.quadTo(x + 9, y + 4, x + 12, y);
                p.drawPath(wave);
            }
            break;
        case 5: { // a gold medallion on black
            for (double r = 6; r < w * 0.45; r += 5) p.drawEllipse(inner.center(), r, r * 1.3);
            p.setPen(Qt::NoPen);
            p.setBrush(light);
            p.drawPath(
                SuitPath(0, QRectF(inner.center().x() - 10, inner.center().y() - 11, 20, 22)));
            break;
        }
        case 6: // chevrons
            for (double y = y0 - 10; y < y0 + h; y += 8) {
                QPainterPath chevron;
                chevron.moveTo(x0, y);
                for (double x = x0; x < x0 + w; x += 10)
                    chevron.lineTo(x + 5, y + 5), chevron.lineTo(x + 10, y);
                p.drawPath(chevron);
            }
            break;
        case 7: // checks
            for (double y = y0; y < y0 + h; y += 6)
                for (double x = x0 + (int((y - y0) / 6) % 2) * 6; x < x0 + w; x += 12)
                    p.fillRect(QRectF(x, y, 6, 6), light);
            break;
        case 8: // argyle
            p.setBrush(light.darker(110));
            for (double y = y0; y < y0 + h + 20; y += 20)
                for (double x = x0 + (int((y - y0) / 20) % 2) * 11; x < x0 + w + 11; x += 22) {
                    QPolygonF diamond({QPointF(x, y - 10), QPointF(x + 11, y), QPointF(x, y + 10),
                                       QPointF(x - 11, y)});
                    p.drawPolygon(diamond);
                }
            break;
        case 9: // fine crosshatch
            for (double d = 0; d < w + h; d += 4) {
                p.drawLine(QPointF(x0 + d, y0), QPointF(x0, y0 + d));
                p.drawLine(QPointF(x0 + w - d, y0), QPointF(x0 + w, y0 + d));
            }
            break;
        case 10: { // sunburst
            const QPointF c = inner.center();
            for (int i = 0; i < 48; ++i) {
                const double a = i * M_PI / 24;
                p.drawLine(c, QPointF(c.x() + 90 * std::cos(a), c.y() + 90 * std::sin(a)));
            }
            break;
        }
        case 11: // scales
            for (double y = y0; y < y0 + h + 8; y += 6)
                for (double x = x0 + (int((y - y0) / 6) % 2) * 4; x < x0 + w + 8; x += 8)
                    p.drawArc(QRectF(x - 4, y - 4, 8, 8), 180 * 16, 180 * 16);
            break;
        case 12: // plaid
            for (double x = x0; x < x0 + w; x += 11)
                p.fillRect(QRectF(x, y0, 4, h),
                           QColor(light.red(), light.green(), light.blue(), 110));
            for (double y = y0; y < y0 + h; y += 11)
                p.fillRect(QRectF(x0, y, w, 4),
                           QColor(light.red(), light.green(), light.blue(), 110));
            break;
        case 13: // rings of suits
            p.setPen(Qt::NoPen);
            p.setBrush(light);
            for (double y = y0 + 2; y < y0 + h; y += 12)
                for (double x = x0 + 2 + (int((y - y0) / 12) % 2) * 6; x < x0 + w; x += 12)
                    p.drawPath(SuitPath(int((x + y) / 12) % 4, QRectF(x, y, 8, 9)));
            break;
        default: // circles in a grid
            for (double y = y0 + 5; y < y0 + h; y += 10)
                for (double x = x0 + 5; x < x0 + w; x += 10) p.drawEllipse(QPointF(x, y), 4, 4);
            break;
        }
        p.restore();
        // A thin light frame inside the white margin, as printed backs have.
        p.setPen(QPen(dark, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(k * kW + 3.5, 3.5, kW - 7, kH - 7));
    }
    return strip;
}

// --- Small cards and the About picture -------------------------------------

QImage SmallRanks() {
    QImage image = White(156, 24);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"), 12, QFont::Bold);
    for (int row = 0; row < 2; ++row)
        for (int rank = 0; rank < 13; ++rank) {
            const QString text = QString::fromLatin1(kRankTexts[rank]);
            DrawIndexGlyph(p, text, QRectF(rank * 12 + 0.5, row * 12 + 1, 11, 10), font,
                           row == 0 ? SuitColor(0, false) : SuitColor(3, false));
        }
    return image;
}

QImage SmallSuits(int w, int h) {
    QImage image = White(w * 4, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int suit = 0; suit < 4; ++suit) {
        p.setBrush(SuitColor(suit, false));
        p.drawPath(SuitPath(suit, QRectF(suit * w + 0.5, 0.5, w - 1, h - 1)));
    }
    return image;
}

QImage SmallJoker() {
    QImage image = White(39, 58);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A jester's cap with three bells over the word JOKER.
    const QColor colours[] = {QColor(200, 20, 40), QColor(30, 60, 160), QColor(20, 130, 60)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath lobe;
        lobe.moveTo(12 + i * 2.0, 26);
        lobe.quadTo(4 + i * 15.0, 6, 2 + i * 17.0, 8);
        lobe.quadTo(10 + i * 10.0, 16, 26 - i * 2.0, 26);
        lobe.closeSubpath();
        p.setPen(QPen(QColor(30, 30, 30), 0.7));
        p.setBrush(colours[i]);
        p.drawPath(lobe);
        p.setBrush(QColor(240, 200, 40));
        p.drawEllipse(QPointF(2 + i * 17.0, 8), 2.5, 2.5);
    }
    p.setBrush(QColor(250, 214, 170));
    p.drawEllipse(QPointF(19.5, 31), 6, 6);
    QFont font(QStringLiteral("DejaVu Sans"), 10, QFont::Bold);
    DrawFitted(p, QStringLiteral("JOKER"), QRectF(1, 41, 37, 14), font, QColor(170, 0, 20));
    return image;
}

QImage SmallWild() {
    QImage image = White(29, 24);
    QPainter p(&image);
    QFont font(QStringLiteral("DejaVu Sans"), 10, QFont::Bold);
    DrawFitted(p, QStringLiteral("WILD"), QRectF(0.5, 1, 28, 10), font, SuitColor(0, false));
    DrawFitted(p, QStringLiteral("WILD"), QRectF(0.5, 13, 28, 10), font, SuitColor(3, false));
    return image;
}

QImage SmallHeld(const QColor& colour) {
    QImage image = White(48, 14);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(0, 0, 48, 14), 3, 3);
    QFont font(QStringLiteral("DejaVu Sans"), 9, QFont::Bold);
    DrawFitted(p, QStringLiteral("HELD"), QRectF(10, 2.5, 28, 9), font, Qt::white);
    return image;
}

QImage AboutPicture() {
    QImage image(320, 170, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient felt(QPointF(160, 70), 220);
    felt.setColorAt(0, kFelt.lighter(150));
    felt.setColorAt(1, kFelt.darker(130));
    p.fillRect(image.rect(), felt);
    // A royal flush fanned out.
    const int suit = 0;
    for (int i = 0; i < 5; ++i) {
        p.save();
        p.translate(160, 150);
        p.rotate(-24 + i * 12);
        const QRectF card(-24, -118, 48, 66);
        p.setPen(QPen(kBorder, 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 4, 4);
        QFont font(QStringLiteral("DejaVu Serif"), 14, QFont::Bold);
        const char* ranks[] = {"10", "J", "Q", "K", "A"};
        DrawFitted(p, QString::fromLatin1(ranks[i]),
                   QRectF(card.left() + 3, card.top() + 3, 12, 12), font, SuitColor(suit, false),
                   i == 0 ? 0.8 : 1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(SuitColor(suit, false));
        p.drawPath(SuitPath(suit, QRectF(card.center().x() - 9, card.center().y() - 8, 18, 20)));
        p.restore();
    }
    QFont title(QStringLiteral("DejaVu Serif"), 26, QFont::Bold);
    DrawFitted(p, QStringLiteral("DrawMentor"), QRectF(60, 112, 200, 34), title,
               QColor(255, 225, 120));
    QFont subtitle(QStringLiteral("DejaVu Sans"), 10);
    DrawFitted(p, QStringLiteral("the video poker trainer"), QRectF(95, 148, 130, 13), subtitle,
               Qt::white);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_artwork PROGRAM_FOLDER IMAGES_FOLDER\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]) + "/";
    const QString images = QString::fromLocal8Bit(argv[2]) + "/";
    try {
        const TDeckStyle classic{"001",
                                 11,
                                 14,
                                 14,
                                 15,
                                 4,
                                 4,
                                 4,
                                 20,
                                 6,
                                 3,
                                 QRectF(20.5, 5.5, 54, 116),
                                 TCourtStyle::Classic,
                                 false,
                                 QStringLiteral("DejaVu Serif"),
                                 9,
                                 10};
        const TDeckStyle large{"002",
                               16,
                               20,
                               14,
                               15,
                               3,
                               3,
                               4,
                               25,
                               5,
                               1,
                               QRectF(22.5, 5.5, 50, 116),
                               TCourtStyle::Modern,
                               false,
                               QStringLiteral("DejaVu Sans"),
                               11,
                               12};
        for (const auto& style : {classic, large})
            Write(program + "data/deck." + style.Code, DeckFile(style));
        Write(program + "data/back.001", Zlib(Packed(BackStrip())));
        Write(images + "EMPTY", Zlib(Packed(EmptyCard())));
        Write(images + "HELD", Zlib(Packed(HeldBand())));
        Write(images + "WILD", Zlib(Packed(WildFace())));
        Write(images + "JOKER", Zlib(Packed(JokerIndex())));
        Write(images + "ABOUT", Zlib(Packed(AboutPicture())));
        Write(images + "S_RANKS", BmpWithoutSignature(SmallRanks()));
        Write(images + "S_SUIT1", BmpWithoutSignature(SmallSuits(32, 33)));
        Write(images + "S_SUIT2", BmpWithoutSignature(SmallSuits(12, 13)));
        Write(images + "S_JOKER", BmpWithoutSignature(SmallJoker()));
        Write(images + "S_WILD", BmpWithoutSignature(SmallWild()));
        Write(images + "S_HELD", BmpWithoutSignature(SmallHeld(QColor(200, 20, 30))));
        Write(images + "S_HELD1", BmpWithoutSignature(SmallHeld(QColor(20, 140, 60))));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        IconImage(kIconSide).save(&buffer, "PNG");
        Write(images + "ICON", png);
        Write(program + "drawmentor.png", png);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_artwork: %s\n", error.what());
        return 1;
    }
    return 0;
}
