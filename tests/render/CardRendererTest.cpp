#include "render/CardRenderer.h"
#include "render/PaintEngine.h"

#include "core/Error.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class CardRendererTest : public ::testing::Test {
  protected:
    CardRendererTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) { engine.LoadDeck("001"); }
    QImage Engine(bool held, bool wild, int suit, int rank) {
        QImage image(engine.CardWidth, engine.CardHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        engine.DrawCard(painter, image.rect(), held, wild, suit, rank);
        return image;
    }
    static bool Gold(QRgb c) { return qRed(c) > 220 && qGreen(c) > 150 && qBlue(c) < 120; }

    testing::TTempFolders folders;
    TPaintEngine engine;
    TCardRenderer renderer{engine};
    const QSize standard{94, 127};
};

// On an ordinary screen at the deck's size nothing changes: the card is the
// engine's, pixel for pixel, held or not, wild or not.
TEST_F(CardRendererTest, TheStandardCardIsTheEnginesOwn) {
    for (const bool held : {false, true})
        for (const bool wild : {false, true})
            EXPECT_EQ(renderer.Card(standard, 1, held, wild, 2, 10), Engine(held, wild, 2, 10))
                << held << wild;
}

// A denser screen gets its pixels: the image is ratio times larger and says
// so, so that it is shown at the card's place without scaling.
TEST_F(CardRendererTest, ImagesHaveThePixelsOfTheRatio) {
    for (const qreal ratio : {2.0, 1.5}) {
        const QImage card = renderer.Card(standard, ratio, true, false, 0, 12);
        EXPECT_EQ(card.size(), standard * ratio);
        EXPECT_EQ(card.devicePixelRatio(), ratio);
        EXPECT_EQ(card.deviceIndependentSize().toSize(), standard);
        const QImage back = renderer.Back(standard, ratio);
        EXPECT_EQ(back.size(), standard * ratio);
        EXPECT_EQ(back.deviceIndependentSize().toSize(), standard);
    }
    EXPECT_EQ(renderer.Card({190, 257}, 2, false, true, 3, 0).size(), QSize(380, 514));
}

// Drawn larger, the held band lies where it lies on the standard card and
// changes nothing else of the face.
TEST_F(CardRendererTest, TheHeldBandIsDrawnInItsPlaceAtTheTargetSize) {
    const QSize large(282, 381); // three times the standard card
    const QImage plain = renderer.Card(large, 1, false, false, 1, 5);
    const QImage held = renderer.Card(large, 1, true, false, 1, 5);
    int goldRows = 0;
    for (int y = 0; y < large.height(); ++y) {
        bool differs = false;
        for (int x = 0; x < large.width(); ++x) differs |= plain.pixel(x, y) != held.pixel(x, y);
        if (!differs) continue;
        EXPECT_GE(y, 53 * 3 - 2) << "above the band, across the middle";
        EXPECT_LE(y, 75 * 3 + 2) << "below the band";
        goldRows += Gold(held.pixel(large.width() / 8, y));
    }
    EXPECT_GT(goldRows, 15 * 3);
}

// A deck with a drawing gives its faces at the target pixels; the standard
// card, wild cards and a card out of range never ask it.
TEST_F(CardRendererTest, ADrawingGivesTheFacesOfLargerCards) {
    std::vector<QSize> asked;
    renderer.SetFaceSource([&](int, int, const QSize& pixels) {
        asked.push_back(pixels);
        QImage face(pixels, QImage::Format_ARGB32_Premultiplied);
        face.fill(Qt::blue);
        return face;
    });
    const QImage large = renderer.Card({188, 254}, 1, false, false, 0, 3);
    EXPECT_EQ(large.pixel(94, 60), qRgb(0, 0, 255));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QSize(188, 254));
    renderer.Card(standard, 1, false, false, 0, 3);
    renderer.Card({188, 254}, 1, false, true, 0, 3);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_THROW(renderer.Card({188, 254}, 1, false, false, 0, 13), ERangeError);
    EXPECT_THROW(renderer.Card({188, 254}, 1, false, false, 4, 3), ERangeError);
    EXPECT_EQ(asked.size(), 1u);
}

} // namespace
} // namespace drawmentor
