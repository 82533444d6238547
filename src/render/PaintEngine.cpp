#include "PaintEngine.h"

#include "ImageCodec.h"

#include "core/Error.h"
#include "prefs/DataFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cmath>

namespace drawmentor {
namespace {

constexpr int kHeaderSize = 57;

void And(QPainter& p, int x, int y, const QImage& image, const QRect& source) {
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    p.drawImage(QPoint(x, y), image, source);
}

void Copy(QPainter& p, int x, int y, const QImage& image) {
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), image);
}

// The held band is laid over the face rather than ANDed into it: ANDed, a
// court picture or a dense pip card shows through the lettering. Only the
// band's white surround stays transparent, so the face around it is kept.
QImage OpaqueWhereNotWhite(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu) line[x] = 0;
    }
    return out;
}

} // namespace

const char* const TPaintEngine::PipPatterns[9] = {
    "*             *", "*      *      *", "**           **", "**     *     **", "**    * *    **",
    "**    * *  * **", "** *  * *  * **", "**  ** * **  **", "*** **   ** ***",
};

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

TPaintEngine::TPaintEngine() {
    FBlank = LoadImageResource(QStringLiteral("EMPTY"));
    CardWidth = FBlank.width();
    CardHeight = FBlank.height();
    FHeld = OpaqueWhereNotWhite(LoadImageResource(QStringLiteral("HELD")));
    FWild = LoadImageResource(QStringLiteral("WILD"));
    FJokerIndex = LoadImageResource(QStringLiteral("JOKER"));
    FJokerIndexTurned = FJokerIndex.mirrored(true, true);
}

void TPaintEngine::LoadDeck(const QString& code) {
    if (code == DeckCode) return;
    const QString folder = ProgramFolder() + QStringLiteral("data/deck.");
    const QString chosen = QFileInfo::exists(folder + code) ? code : QStringLiteral("001");
    ReadDeck(folder + chosen);
    DeckCode = chosen;
}

// Everything is read and checked before any field changes: a damaged deck
// leaves the one loaded before.
void TPaintEngine::ReadDeck(const QString& path) {
    LoadDeckData(ReadPictureFile(path), path);
}

void TPaintEngine::LoadDeckData(const QByteArray& file, const QString& path) {
    QByteArray data;
    try {
        data = Inflate(file);
        if (data.size() < kHeaderSize) throw EDrawMentor("The deck header is cut short");
    } catch (...) {
        AddErrorContext(("Deck " + path).toStdString());
    }
    const char* h = data.constData();
    const auto int32 = [&](int at) { return qFromLittleEndian<qint32>(h + at); };
    const auto flag = [&](int at) { return h[at] != 0; };
    qsizetype offset = kHeaderSize;
    const bool extended = int32(53) == kDeckExtensionsMark;
    const int rows = extended && int32(45) == 4 ? 4 : 2;
    const int extras = extended ? int32(49) : 0;
    const bool whole = extras & kDeckCompleteFaces;
    const int columns = whole ? 13 : int32(40) == 1 ? 4 : 16;
    QImage ranks, pictures, suits, cornerSuits;
    try {
        ranks = ReadPackedImage(data, offset);
        pictures = ReadPackedImage(data, offset);
        suits = ReadPackedImage(data, offset);
        if (extras & kDeckCornerSuits) {
            cornerSuits = ReadPackedImage(data, offset);
            if (cornerSuits.width() < 4) throw EDrawMentor("The corner suits are too small");
        }
        if (ranks.width() < 13 || ranks.height() < rows || suits.width() < 4 ||
            pictures.height() < (whole ? 4 : 1) * CardHeight ||
            pictures.width() < columns * CardWidth)
            throw EDrawMentor("The deck pictures are too small for a card");
        const auto sane = [](qint32 v) { return v > -1000 && v < 1000; };
        for (int at : {0, 4, 8, 12, 16, 20, 31, 35})
            if (!sane(int32(at))) throw EDrawMentor("The deck header holds impossible positions");
    } catch (...) {
        AddErrorContext(("Deck " + path).toStdString());
    }
    FIndexOffsetX = int32(0);
    FIndexOffsetY = int32(4);
    FaceSuitOffsetX = int32(8);
    FaceSuitOffsetY = int32(12);
    PipAdjustX = int32(16);
    PipAdjustY = int32(20);
    MirrorCourtIndex = flag(24);
    MirrorAceIndex = flag(25);
    AceIsComplete = flag(26);
    Pip3AdjustY = int32(31);
    SidePipAdjustY = int32(35);
    AllPictures = int32(40);
    MirrorPipIndex = flag(44);
    IndexRows = rows;
    Extras = extras;
    FCornerSuits = cornerSuits;
    FCornerSuitsTurned = cornerSuits.mirrored(true, true);
    FRanks = ranks;
    FPictures = pictures;
    FSuits = suits;
    FRanksTurned = FRanks.mirrored(true, true);
    FSuitsFlipped = FSuits.mirrored(false, true);
    ComputePipLayout();
}

void TPaintEngine::ComputePipLayout() {
    const double rw = FRanks.width() / 13, rh = FRanks.height() / IndexRows;
    const double sw = FSuits.width() / 4, sh = FSuits.height();
    const double w = CardWidth, h = CardHeight;
    const int xl = static_cast<int>(rw) + IndexOffsetX() + PipAdjustX;
    const int xr = static_cast<int>(w - sw) - xl;
    const int xm = RoundHalfEven((w - sw) / 2);
    const int y0 = static_cast<int>(rh) + IndexOffsetY() + PipAdjustY;
    const auto mirror = [&](int y) { return CardHeight - y - static_cast<int>(sh); };
    const auto set = [&](int pip, int x, int y) { Pips[pip] = {x, y}; };
    set(1, xl, y0);
    set(14, xl, mirror(y0));
    set(2, xr, y0);
    set(15, xr, mirror(y0));
    const int y3 = y0 + RoundHalfEven((h - y0) / 6 - sh / 2) + Pip3AdjustY;
    set(3, xm, y3);
    set(13, xm, mirror(y3));
    const int y4 = y0 + RoundHalfEven((h - y0) / 4 - sh / 2);
    set(4, xm, y4);
    set(12, xm, mirror(y4));
    const int y5 = y0 + RoundHalfEven((h - 2 * y0) / 3 - sh / 2) + SidePipAdjustY;
    set(5, xl, y5);
    set(10, xl, mirror(y5));
    set(6, xr, y5);
    set(11, xr, mirror(y5));
    const int ym = y0 + RoundHalfEven((h - 2 * y0) / 2 - sh / 2);
    set(7, xl, ym);
    set(8, xm, ym);
    set(9, xr, ym);
    AfterLayout();
}

void TPaintEngine::SetBackIndex(int index) {
    if (index == BackIndex) return;
    BackIndex = index;
    FBack = QImage();
}

void TPaintEngine::DrawCard(QPainter& p, const QRect& rect, bool held, bool wild, int suit,
                            int rank) {
    if (FRanks.isNull()) throw EDrawMentor("No deck is loaded");
    if (rank < -2 || rank > 12 || (rank >= 0 && (suit < 0 || suit > 3)))
        throw ERangeError(
            QStringLiteral("Range check error: card %1/%2").arg(rank).arg(suit).toStdString());
    p.save();
    const int left = rect.left(), top = rect.top();
    const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();
    const int rw = FRanks.width() / 13, rh = FRanks.height() / IndexRows;
    const int sw = FSuits.width() / 4, sh = FSuits.height();
    const bool wholeFace = !wild && rank >= 0 && (Extras & kDeckCompleteFaces);
    Copy(p, left, top, wild ? FWild : FBlank);
    if (rank >= 0 && !wholeFace) {
        const int row = IndexRows == 4 ? suit : suit < 2 ? 0 : 1;
        And(p, left + IndexOffsetX(), top + IndexOffsetY(), FRanks,
            QRect(rank * rw, row * rh, rw, rh));
        const bool mirror = rank >= 9 && rank <= 11 ? MirrorCourtIndex
                            : rank == 12            ? MirrorAceIndex
                                                    : MirrorPipIndex;
        if (mirror)
            And(p, right - rw - IndexOffsetX(), bottom - rh - IndexOffsetY(), FRanksTurned,
                QRect((12 - rank) * rw, (IndexRows - 1 - row) * rh, rw, rh));
        // A card that shows no suit symbol near its index gets one under it,
        // so that a wild deuce, too, keeps its suit.
        const bool faceSuit =
            rank >= 9 && !wild && (AllPictures == 1 || rank < 12 || !AceIsComplete);
        if (!faceSuit) AndCornerSuit(p, rect, suit);
    } else if (rank < 0) {
        And(p, left + IndexOffsetX(), top + IndexOffsetY(), FJokerIndex, FJokerIndex.rect());
        And(p, right - FJokerIndex.width() - IndexOffsetX(),
            bottom - FJokerIndex.height() - IndexOffsetY(), FJokerIndexTurned,
            FJokerIndexTurned.rect());
    }
    if (wholeFace) {
        And(p, left, top, FPictures,
            QRect(rank * CardWidth, suit * CardHeight, CardWidth, CardHeight));
    } else if (!wild && rank >= 0) {
        const int pictureSuit = suit == 0   ? 1
                                : suit == 1 ? 0
                                            : suit; // pictures run clubs, spades, diamonds, hearts
        if (AllPictures == 1 || rank >= 9) {
            const int column = AllPictures == 1 ? pictureSuit : (rank - 9) * 4 + pictureSuit;
            And(p, left, top, FPictures, QRect(column * CardWidth, 0, CardWidth, CardHeight));
            if (!(rank == 12 && AceIsComplete)) {
                And(p, left + FaceSuitOffsetX, top + FaceSuitOffsetY, FSuits,
                    QRect(suit * sw, 0, sw, sh));
                if (MirrorCourtIndex && (rank != 12 || MirrorAceIndex))
                    And(p, right - sw - FaceSuitOffsetX, bottom - sh - FaceSuitOffsetY,
                        FSuitsFlipped, QRect(suit * sw, 0, sw, sh));
            }
        } else {
            const char* pattern = PipPatterns[rank];
            for (int k = 0; k < 15; ++k) {
                if (pattern[k] != '*') continue;
                And(p, left + Pips[k + 1].X, top + Pips[k + 1].Y, k < 6 ? FSuits : FSuitsFlipped,
                    QRect(suit * sw, 0, sw, sh));
            }
        }
    }
    if (held) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.drawImage(QPoint(left + 1, top + HeldBandTop()), FHeld,
                    QRect(1, 0, FHeld.width() - 2, FHeld.height()));
    }
    p.restore();
}

QRect TPaintEngine::IndexRect() const {
    return {IndexOffsetX(), IndexOffsetY(), FRanks.width() / 13, FRanks.height() / IndexRows};
}

// Centred under the corner index, one pixel below it; turned in the opposite corner.
void TPaintEngine::AndCornerSuit(QPainter& p, const QRect& rect, int suit) {
    if (FCornerSuits.isNull()) return;
    const int rw = FRanks.width() / 13, rh = FRanks.height() / IndexRows;
    const int cw = FCornerSuits.width() / 4, ch = FCornerSuits.height();
    const int x = IndexOffsetX() + (rw - cw) / 2, y = IndexOffsetY() + rh + 1;
    And(p, rect.left() + x, rect.top() + y, FCornerSuits, QRect(suit * cw, 0, cw, ch));
    And(p, rect.left() + rect.width() - cw - x, rect.top() + rect.height() - ch - y,
        FCornerSuitsTurned, QRect((3 - suit) * cw, 0, cw, ch));
}

void TPaintEngine::BuildBackImage() {
    const QImage strip = LoadBackStrip();
    const int backs = strip.width() / CardWidth;
    if (backs < 1 || strip.height() < CardHeight)
        throw EDrawMentor("The card back strip is too small");
    const int index = std::clamp(BackIndex, 0, backs - 1);
    FBack = FBlank.copy();
    QPainter p(&FBack);
    And(p, 1, 1, strip, QRect(index * CardWidth + 1, 1, CardWidth - 2, CardHeight - 2));
}

void TPaintEngine::DrawBack(QPainter& p, const QRect& rect) {
    if (FBack.isNull()) BuildBackImage();
    p.save();
    Copy(p, rect.left(), rect.top(), FBack);
    p.restore();
}

} // namespace drawmentor
