#include "Encoding.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QtEndian>

#include <zlib.h>

#include <stdexcept>

namespace artwork {

QByteArray BmpWithoutSignature(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(
            image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_RGB888)))
        throw std::runtime_error("cannot encode a BMP");
    return bytes.mid(2); // without "BM"
}

QByteArray Packed(const QImage& image) {
    const QByteArray bmp = BmpWithoutSignature(image);
    return Int32(static_cast<qint32>(bmp.size())) + bmp;
}

QByteArray Zlib(const QByteArray& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.constData()), static_cast<uLong>(data.size()),
                  9) != Z_OK)
        throw std::runtime_error("zlib failed");
    out.resize(static_cast<qsizetype>(size));
    return out;
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error(("cannot write " + path).toStdString());
}

QByteArray Int32(qint32 value) {
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out;
}

} // namespace artwork
