#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The byte formats the paint engine reads, shared by the artwork generators.
namespace artwork {

// A BMP file without its "BM" signature (24 bits per pixel).
QByteArray BmpWithoutSignature(const QImage& image);
// A packed image: its BMP length as a little-endian uint32, then the BMP.
QByteArray Packed(const QImage& image);
QByteArray Zlib(const QByteArray& data);
void Write(const QString& path, const QByteArray& bytes);
QByteArray Int32(qint32 value);

} // namespace artwork
