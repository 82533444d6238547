#include "SvgFaces.h"

#include "prefs/DataFolder.h"

#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

namespace drawmentor {
namespace {

// The element names of the converted decks.
const char* const kSuitIds[] = {"spade", "club", "diamond", "heart"};
const char* const kRankIds[] = {"2", "3",  "4",    "5",     "6",    "7", "8",
                                "9", "10", "jack", "queen", "king", "1"};

} // namespace

TSvgFaces::TSvgFaces() = default;
TSvgFaces::~TSvgFaces() = default;

void TSvgFaces::Use(const QString& code) {
    if (code == FCode) return;
    FCode = code;
    FSvg.reset();
    FCache.clear();
    const QString path = ProgramFolder() + QStringLiteral("data/faces.%1.svgz").arg(code);
    if (code.isEmpty() || !QFileInfo::exists(path)) return;
    auto svg = std::make_unique<QSvgRenderer>(path);
    if (svg->isValid()) FSvg = std::move(svg);
}

QImage TSvgFaces::Face(int suit, int rank, const QSize& pixels) {
    if (!FSvg || suit < 0 || suit > 3 || rank < 0 || rank > 12) return {};
    if (pixels != FCachedSize) {
        FCache.clear();
        FCachedSize = pixels;
    }
    const int key = suit * 13 + rank;
    if (const auto cached = FCache.constFind(key); cached != FCache.constEnd()) return *cached;
    const QString id =
        QStringLiteral("%1_%2").arg(QLatin1String(kSuitIds[suit]), QLatin1String(kRankIds[rank]));
    QImage face;
    if (FSvg->elementExists(id)) {
        face = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        face.fill(Qt::transparent);
        QPainter p(&face);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        FSvg->render(&p, id, QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    FCache.insert(key, face);
    return face;
}

} // namespace drawmentor
