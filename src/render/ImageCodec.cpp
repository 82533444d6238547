#include "ImageCodec.h"

#include "core/Error.h"
#include "core/FileIo.h"
#include "prefs/DataFolder.h"

#include <QFile>
#include <QtEndian>

#include <zlib.h>

namespace drawmentor {
namespace {

[[noreturn]] void Corrupt(const QString& what) {
    throw EDrawMentor(what.toStdString());
}

} // namespace

QByteArray ReadPictureFile(const QString& path) {
    return QByteArray::fromStdString(
        ReadWholeFile(QFile::encodeName(path).toStdString(), kMaxInflatedBytes));
}

QByteArray Inflate(const QByteArray& data, qsizetype limit) {
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK) Corrupt(QStringLiteral("zlib cannot start"));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    QByteArray out;
    char chunk[64 * 1024];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) break;
        out.append(chunk, static_cast<qsizetype>(sizeof chunk - stream.avail_out));
        if (out.size() > limit) {
            inflateEnd(&stream);
            Corrupt(
                QStringLiteral("The compressed picture unpacks to more than %1 bytes").arg(limit));
        }
        if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // input ends early
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        Corrupt(QStringLiteral("The picture data is not a complete zlib stream"));
    return out;
}

QImage DecodeBmpWithoutSignature(const QByteArray& data) {
    // The 12 bytes after the signature (size, reserved, offset) and the info
    // header's size, width and height must be there and sane.
    if (data.size() < 24) Corrupt(QStringLiteral("The picture is cut short"));
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qint32 width = qFromLittleEndian<qint32>(bytes + 16);
    const qint32 height = qFromLittleEndian<qint32>(bytes + 20);
    if (width <= 0 || width > kMaxImageSide || height == 0 || height > kMaxImageSide ||
        height < -kMaxImageSide)
        Corrupt(
            QStringLiteral("The picture claims an impossible size %1 x %2").arg(width).arg(height));
    QImage image;
    if (!image.loadFromData(QByteArray("BM") + data, "BMP") || image.isNull())
        Corrupt(QStringLiteral("The picture is not a readable BMP"));
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ReadPackedImage(const QByteArray& data, qsizetype& offset) {
    if (offset < 0 || data.size() - offset < 4)
        Corrupt(QStringLiteral("A packed picture is missing"));
    const auto length = qFromLittleEndian<quint32>(data.constData() + offset);
    if (length > static_cast<quint32>(data.size() - offset - 4))
        Corrupt(QStringLiteral("A packed picture claims %1 bytes that are not there").arg(length));
    const QImage image =
        DecodeBmpWithoutSignature(data.mid(offset + 4, static_cast<qsizetype>(length)));
    offset += 4 + static_cast<qsizetype>(length);
    return image;
}

QImage LoadImageResource(const QString& name) {
    QFile file(QStringLiteral(":/images/") + name);
    if (!file.open(QIODevice::ReadOnly)) Corrupt(QStringLiteral("Resource %1 not found").arg(name));
    const QByteArray packed = Inflate(file.readAll());
    qsizetype offset = 0;
    return ReadPackedImage(packed, offset);
}

QImage LoadPlainImageResource(const QString& name) {
    QFile file(QStringLiteral(":/images/") + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return DecodeBmpWithoutSignature(file.readAll());
}

QImage DecodeBackStrip(const QByteArray& file) {
    const QByteArray packed = Inflate(file);
    qsizetype offset = 0;
    return ReadPackedImage(packed, offset);
}

QImage LoadBackStrip() {
    return DecodeBackStrip(ReadPictureFile(ProgramFolder() + QStringLiteral("data/back.001")));
}

} // namespace drawmentor
