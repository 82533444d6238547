// Checks every deck installed beside the program, as a player would see it.
#include "render/ImageCodec.h"
#include "render/PaintEngine.h"

#include "support/TempFolders.h"

#include <QDir>

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

QStringList InstalledDecks() {
    QStringList codes;
    for (const QString& name : QDir(QStringLiteral(DRAWMENTOR_RUNTIME_DIR "/data")).entryList({"deck.*"}, QDir::Files))
        codes << name.right(3);
    return codes;
}

class DeckArtTest : public ::testing::Test {
protected:
    DeckArtTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {}
    QImage Draw(int rank, int suit, bool held = false, bool wild = false) {
        QImage card(engine.CardWidth, engine.CardHeight, QImage::Format_RGB32);
        card.fill(Qt::black);
        QPainter painter(&card);
        engine.DrawCard(painter, card.rect(), held, wild, suit, rank);
        return card;
    }

    testing::TTempFolders folders;
    TPaintEngine engine;
};

TEST_F(DeckArtTest, AtLeastTheDrawnDecksAreInstalled) {
    const QStringList decks = InstalledDecks();
    EXPECT_TRUE(decks.contains("001"));
    EXPECT_TRUE(decks.contains("002"));
}

// The band's lettering is exactly the band's on every court card, whatever
// the picture underneath.
TEST_F(DeckArtTest, HeldLetteringSurvivesOnEveryCourtCard) {
    const QImage band = LoadImageResource(QStringLiteral("HELD"));
    std::vector<QPoint> letters;
    for (int y = 0; y < band.height(); ++y)
        for (int x = 1; x < band.width() - 1; ++x) {
            const QRgb c = band.pixel(x, y);
            if (qRed(c) > 120 && qGreen(c) < 40 && qBlue(c) < 40) letters.emplace_back(x, y);
        }
    ASSERT_GT(letters.size(), 60u);
    for (const QString& code : InstalledDecks()) {
        engine.LoadDeck(code);
        for (int rank = 9; rank <= 11; ++rank)
            for (int suit = 0; suit < 4; ++suit) {
                const QImage card = Draw(rank, suit, true);
                for (const QPoint& at : letters)
                    ASSERT_EQ(card.pixel(at.x(), 80 + at.y()), band.pixel(at))
                        << "deck " << code.toStdString() << " rank " << rank << " suit " << suit << " at "
                        << at.x() << "," << at.y();
            }
    }
}

} // namespace
} // namespace drawmentor
