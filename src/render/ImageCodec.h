#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The image encodings of the card files and the built-in pictures:
//   packed image  = uint32 length N (little-endian), then N bytes of a BMP file
//                   without its "BM" signature;
//   zlib resource = one zlib stream that inflates to a packed image.
// Every size is checked before memory is given to it: a damaged file is an
// error, never a crash or an unbounded allocation.
namespace drawmentor {

inline constexpr qsizetype kMaxInflatedBytes = 16 * 1024 * 1024;
inline constexpr int kMaxImageSide = 4096;

QByteArray Inflate(const QByteArray& data, qsizetype limit = kMaxInflatedBytes);
// Reads the packed image at `offset` and advances it past the image.
QImage ReadPackedImage(const QByteArray& data, qsizetype& offset);
// A BMP file without its signature, as the small-card pictures are stored.
QImage DecodeBmpWithoutSignature(const QByteArray& data);

// The built-in pictures, compiled into the program: "EMPTY", "HELD", "WILD",
// "ABOUT" (zlib resources) and the small-card set "S_..." (plain).
QImage LoadImageResource(const QString& name);
// A missing small-card picture gives a null image.
QImage LoadPlainImageResource(const QString& name);
// A deck or back file whole: a regular file of at most kMaxInflatedBytes.
QByteArray ReadPictureFile(const QString& path);
// The strip of card backs, "data/back.001" in the program folder.
QImage LoadBackStrip();
// The strip from the bytes of a back file (a zlib resource).
QImage DecodeBackStrip(const QByteArray& file);

} // namespace drawmentor
