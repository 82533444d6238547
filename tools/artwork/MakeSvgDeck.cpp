// Converts one SVG card deck (the element of each card named "<suit>_<rank>",
// e.g. "club_1", "spade_king") into a deck file the paint engine reads:
//
//   make_svg_deck SVG_FILE DECK_FILE FACES_FILE INDEX_X INDEX_Y INDEX_W INDEX_H [#from=#to,...]
//
// The optional list replaces colours of the drawing, e.g. a pale suit colour
// that would not read in a small corner index.
// Every face is kept whole, stretched to the program's card size. The corner
// index (rank and suit, cut from the rendered face at the given rectangle) is
// stored too, one row per suit: the engine puts it on the wild face when a
// card of this deck is wild, so a wild card still shows its rank and suit.
// The drawing itself, its colours replaced, goes to FACES_FILE (gzipped SVG):
// a table larger than the standard one draws its faces from it
// at the size they are shown.
#include "Encoding.h"
#include "Shapes.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace {

using namespace artwork;

constexpr int kW = 94;
constexpr int kH = 127;
// Suits in the engine's order 0..3, ranks 2..A.
const char* const kSuitIds[] = {"spade", "club", "diamond", "heart"};
const char* const kRankIds[] = {"2", "3",  "4",    "5",     "6",    "7", "8",
                                "9", "10", "jack", "queen", "king", "1"};

// Drawn four times larger and scaled down: thin lines and small print keep
// their weight better than when drawn straight at the card's size.
QImage RenderFace(QSvgRenderer& svg, const QString& id) {
    constexpr int kScale = 4;
    if (!svg.elementExists(id)) throw std::runtime_error(("no element " + id).toStdString());
    QImage large(kW * kScale, kH * kScale, QImage::Format_RGB32);
    large.fill(Qt::white);
    QPainter p(&large);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&p, id, QRectF(0, 0, large.width(), large.height()));
    p.end();
    return large.scaled(kW, kH, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The file as text, inflated when it is gzip-compressed (".svgz").
QByteArray ReadSvg(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot open " + path).toStdString());
    const QByteArray data = file.readAll();
    if (!data.startsWith("\x1f\x8b")) return data;
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK) throw std::runtime_error("zlib failed");
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    QByteArray out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        status = inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, static_cast<qsizetype>(sizeof buffer - stream.avail_out));
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error(("cannot inflate " + path).toStdString());
    return out;
}

QByteArray Gzip(const QByteArray& data) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib failed");
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(data.size()))),
                   '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("cannot compress the drawing");
    out.resize(static_cast<qsizetype>(stream.total_out));
    return out;
}

QByteArray Header(const QRect& index) {
    QByteArray h;
    h += Int32(index.x()) + Int32(index.y());
    h += Int32(0) + Int32(0);     // face suit offset: the faces carry their own
    h += Int32(0) + Int32(0);     // pip adjustments: no pips are drawn
    h += QByteArray("\1\1\1", 3); // mirrored indices, the ace complete
    h += Int32(0) + Int32(0) + Int32(0);
    h += QByteArray(1, '\0');
    h += Int32(0);            // not one picture per suit
    h += QByteArray(1, '\1'); // mirrored pip index
    h += Int32(4);            // index rows: one per suit
    h += Int32(2);            // extras: every face whole
    h += Int32(0x31584D44);   // the mark that makes a reader take the two fields above
    if (h.size() != 57) throw std::runtime_error("deck header is not 57 bytes");
    return h;
}

QImage Suits() {
    QImage image(14 * 4, 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int suit = 0; suit < 4; ++suit) {
        p.setBrush(SuitColor(suit, false));
        p.drawPath(SuitPath(suit, QRectF(suit * 14 + 0.5, 0.5, 13, 14)));
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 8 && argc != 9) {
        std::fprintf(stderr, "usage: make_svg_deck SVG_FILE DECK_FILE FACES_FILE INDEX_X INDEX_Y "
                             "INDEX_W INDEX_H [#from=#to,...]\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QRect index(std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                      std::atoi(argv[7]));
    try {
        QByteArray text = ReadSvg(source);
        if (argc == 9)
            for (const QString& pair : QString::fromLatin1(argv[8]).split(',')) {
                const QStringList colours = pair.split('=');
                if (colours.size() != 2)
                    throw std::runtime_error("a colour replacement is #from=#to");
                text.replace(colours[0].toLatin1(), colours[1].toLatin1());
                text.replace(colours[0].toUpper().toLatin1(), colours[1].toLatin1());
            }
        QSvgRenderer svg(text);
        if (!svg.isValid()) throw std::runtime_error(("cannot read " + source).toStdString());
        QImage faces(kW * 13, kH * 4, QImage::Format_RGB32);
        QImage ranks(index.width() * 13, index.height() * 4, QImage::Format_RGB32);
        QPainter facePainter(&faces);
        QPainter rankPainter(&ranks);
        for (int rank = 0; rank < 13; ++rank)
            for (int suit = 0; suit < 4; ++suit) {
                const QImage face =
                    RenderFace(svg, QString("%1_%2").arg(kSuitIds[suit], kRankIds[rank]));
                facePainter.drawImage(rank * kW, suit * kH, face);
                rankPainter.drawImage(rank * index.width(), suit * index.height(),
                                      face.copy(index));
            }
        facePainter.end();
        rankPainter.end();
        Write(QString::fromLocal8Bit(argv[2]),
              Zlib(Header(index) + Packed(ranks) + Packed(faces) + Packed(Suits())));
        Write(QString::fromLocal8Bit(argv[3]), Gzip(text));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_svg_deck: %s\n", error.what());
        return 1;
    }
    return 0;
}
