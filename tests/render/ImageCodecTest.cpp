#include "render/ImageCodec.h"
#include "render/PaintEngine.h"

#include "core/Error.h"

#include "support/TempFolders.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <zlib.h>

namespace drawmentor {
namespace {

QByteArray Zlib(const QByteArray& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(data.constData()), static_cast<uLong>(data.size()), 6);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

QByteArray Packed(const QImage& image) {
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "bmp").write(image);
    bmp = bmp.mid(2);
    QByteArray out(4, '\0');
    qToLittleEndian<quint32>(static_cast<quint32>(bmp.size()), out.data());
    return out + bmp;
}

TEST(ImageCodec, PackedImagesRoundTrip) {
    QImage image(7, 3, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    image.setPixel(6, 2, qRgb(255, 0, 0));
    const QByteArray two = Packed(image) + Packed(image.mirrored());
    qsizetype offset = 0;
    const QImage first = ReadPackedImage(two, offset);
    EXPECT_EQ(first.size(), QSize(7, 3));
    EXPECT_EQ(first.pixel(6, 2), qRgb(255, 0, 0));
    EXPECT_EQ(ReadPackedImage(two, offset).pixel(6, 0), qRgb(255, 0, 0));
    EXPECT_EQ(offset, two.size());
    EXPECT_EQ(Inflate(Zlib(two)), two);
}

TEST(ImageCodec, DamagedDataIsAnErrorNeverACrash) {
    QImage image(5, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QByteArray packed = Packed(image);
    qsizetype offset = 0;
    EXPECT_THROW(ReadPackedImage(packed.left(3), offset), EDrawMentor);
    offset = 0;
    EXPECT_THROW(ReadPackedImage(packed.left(40), offset), EDrawMentor); // length beyond the data
    QByteArray huge = packed;
    qToLittleEndian<qint32>(100000, huge.data() + 4 + 16); // width
    offset = 0;
    EXPECT_THROW(ReadPackedImage(huge, offset), EDrawMentor);
    QByteArray garbage = packed;
    for (int i = 30; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7);
    garbage[4 + 12] = 'x'; // an info header that is no header
    offset = 0;
    EXPECT_ANY_THROW(ReadPackedImage(garbage, offset));
    EXPECT_THROW(Inflate("not a zlib stream at all"), EDrawMentor);
    EXPECT_THROW(Inflate(Zlib(packed).left(10)), EDrawMentor);
    EXPECT_THROW(Inflate(Zlib(QByteArray(100000, 'a')), 1000), EDrawMentor); // a bomb is refused
}

class DeckFilesTest : public ::testing::Test {
  protected:
    DeckFilesTest() {
        // The real decks beside the program, and damaged ones of our own.
        for (const char* name : {"deck.001", "deck.002", "back.001"})
            folders.WriteProgramFile(
                QStringLiteral("data/") + name,
                testing::ReadFile(QStringLiteral(DRAWMENTOR_RUNTIME_DIR "/data/") + name));
    }
    testing::TTempFolders folders;
};

TEST_F(DeckFilesTest, UnknownDecksFallBackAndDamagedDecksAreRefused) {
    TPaintEngine engine;
    engine.LoadDeck("999");
    EXPECT_EQ(engine.DeckCode, "001");
    folders.WriteProgramFile("data/deck.003",
                             testing::ReadFile(folders.Program() + "data/deck.002").left(500));
    EXPECT_THROW(engine.LoadDeck("003"), EDrawMentor);
    EXPECT_EQ(engine.DeckCode, "001"); // the deck in use stays
    folders.WriteProgramFile("data/deck.004", "garbage, not zlib");
    EXPECT_THROW(engine.LoadDeck("004"), EDrawMentor);
    folders.WriteProgramFile("data/deck.005", Zlib(QByteArray(57, '\0') + QByteArray(3, '\xff')));
    EXPECT_THROW(engine.LoadDeck("005"), EDrawMentor);
    QByteArray wild = QByteArray(57, '\0');
    qToLittleEndian<qint32>(1 << 30, wild.data()); // an index position far off the card
    folders.WriteProgramFile(
        "data/deck.006",
        Zlib(wild + Inflate(testing::ReadFile(folders.Program() + "data/deck.001")).mid(57)));
    EXPECT_THROW(engine.LoadDeck("006"), EDrawMentor);
    EXPECT_EQ(engine.DeckCode, "001");
}

TEST_F(DeckFilesTest, DecksAndBacksMustBeRegularFiles) {
    TPaintEngine engine;
    const QString deck = folders.Program() + "data/deck.017";
    ASSERT_EQ(::mkfifo(QFile::encodeName(deck).constData(), 0600), 0);
    EXPECT_THROW(engine.LoadDeck("017"), EDrawMentor); // would wait for a writer
    ASSERT_EQ(
        ::symlink("/dev/zero", QFile::encodeName(folders.Program() + "data/deck.018").constData()),
        0);
    EXPECT_THROW(engine.LoadDeck("018"), EDrawMentor); // would never end
    folders.WriteProgramFile("data/deck.019", QByteArray(kMaxInflatedBytes + 1, 'x'));
    EXPECT_THROW(engine.LoadDeck("019"), EDrawMentor);
    engine.LoadDeck("001");
    const QString back = folders.Program() + "data/back.001";
    QFile::remove(back);
    ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(back).constData()), 0);
    QImage canvas(200, 200, QImage::Format_RGB32);
    QPainter painter(&canvas);
    EXPECT_THROW(engine.DrawBack(painter, QRect(0, 0, 94, 127)), EDrawMentor);
}

// A deck written before the extensions (reserved fields zero, or anything
// but the mark) reads as it always did: two index rows, no corner suits and
// no whole faces, whatever follows the three images.
TEST_F(DeckFilesTest, DecksWithoutTheExtensionMarkReadAsBefore) {
    const QByteArray current = Inflate(testing::ReadFile(folders.Program() + "data/deck.001"));
    QByteArray old = current;
    for (int at : {45, 49, 53})
        qToLittleEndian<qint32>(at == 45 ? 4 : at == 49 ? 3 : 0x31584D45, old.data() + at);
    folders.WriteProgramFile("data/deck.007", Zlib(old));
    TPaintEngine engine;
    engine.LoadDeck("007");
    EXPECT_EQ(engine.DeckCode, "007");
    EXPECT_EQ(engine.IndexRows, 2);
    EXPECT_EQ(engine.Extras, 0);
    engine.LoadDeck("001");
    EXPECT_EQ(engine.Extras, TPaintEngine::kDeckCornerSuits);
    // The marked deck differs only by the suit under each corner index.
    QImage withSuits(94, 127, QImage::Format_RGB32), without(94, 127, QImage::Format_RGB32);
    {
        QPainter painter(&withSuits);
        engine.DrawCard(painter, withSuits.rect(), false, false, 3, 4);
    }
    engine.LoadDeck("007");
    {
        QPainter painter(&without);
        engine.DrawCard(painter, without.rect(), false, false, 3, 4);
    }
    const QRect index = engine.IndexRect();
    const QRect under(index.left(), index.bottom() + 1, index.width(), 12);
    EXPECT_NE(withSuits.copy(under), without.copy(under));
    for (int y = 0; y < 127; ++y)
        for (int x = 0; x < 94; ++x) {
            if (under.contains(x, y) || under.contains(93 - x, 126 - y)) continue;
            ASSERT_EQ(withSuits.pixel(x, y), without.pixel(x, y)) << x << "," << y;
        }
}

TEST_F(DeckFilesTest, WithoutDeck001TheErrorSaysWhy) {
    QFile::remove(folders.Program() + "data/deck.001");
    TPaintEngine engine;
    try {
        engine.LoadDeck("001");
        FAIL();
    } catch (const EDrawMentor& error) {
        EXPECT_NE(std::string(error.what()).find("deck.001"), std::string::npos) << error.what();
    }
    QFile::remove(folders.Program() + "data/back.001");
    engine.LoadDeck("002");
    QImage canvas(200, 200, QImage::Format_RGB32);
    QPainter painter(&canvas);
    EXPECT_THROW(engine.DrawBack(painter, QRect(0, 0, 94, 127)), EDrawMentor);
}

} // namespace
} // namespace drawmentor
