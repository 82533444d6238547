#include "render/PaintEngine.h"

#include "render/ImageCodec.h"

#include "core/Error.h"
#include "prefs/DataFolder.h"

#include "support/TempFolders.h"

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

class PaintEngineTest : public ::testing::Test {
  protected:
    PaintEngineTest() : folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR)) {
        engine.LoadDeck("001");
        canvas = QImage(engine.CardWidth, engine.CardHeight, QImage::Format_RGB32);
        canvas.fill(Qt::black);
    }
    QImage Draw(int rank, int suit, bool held = false, bool wild = false) {
        QPainter painter(&canvas);
        engine.DrawCard(painter, QRect(0, 0, engine.CardWidth, engine.CardHeight), held, wild, suit,
                        rank);
        return canvas;
    }
    static bool Red(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }
    static bool White(QRgb c) { return c == qRgb(255, 255, 255); }

    testing::TTempFolders folders;
    TPaintEngine engine;
    QImage canvas;
};

TEST_F(PaintEngineTest, PipLayoutOfTheClassicDeck) {
    EXPECT_EQ(engine.CardWidth, 94);
    EXPECT_EQ(engine.CardHeight, 127);
    // rw 11, rh 14, sw 14, sh 15; index (4, 4); pip adjust (6, 3)
    EXPECT_EQ(engine.Pips[1].X, 21);
    EXPECT_EQ(engine.Pips[1].Y, 21);
    EXPECT_EQ(engine.Pips[2].X, 59);
    EXPECT_EQ(engine.Pips[8].X, 40); // round(80 / 2)
    EXPECT_EQ(engine.Pips[3].Y, 31); // 21 + round(106 / 6 - 7.5)
    EXPECT_EQ(engine.Pips[4].Y, 40); // 21 + round(26.5 - 7.5)
    EXPECT_EQ(engine.Pips[5].Y, 42);
    EXPECT_EQ(engine.Pips[8].Y, 56); // 21 + round(42.5 - 7.5)
    EXPECT_EQ(engine.Pips[14].Y, 127 - 21 - 15);
    EXPECT_EQ(engine.Pips[13].Y, 127 - 31 - 15);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

TEST_F(PaintEngineTest, TheTenOfHeartsHasItsTenPips) {
    const QImage card = Draw(8, 3);
    const char* pattern = TPaintEngine::PipPatterns[8];
    for (int k = 0; k < 15; ++k) {
        // The middle of a pip cell is inside the heart.
        const QRgb centre = card.pixel(engine.Pips[k + 1].X + 7, engine.Pips[k + 1].Y + 7);
        if (pattern[k] == '*') {
            EXPECT_TRUE(Red(centre)) << "pip " << k + 1;
        } else if (k + 1 != 8 && k + 1 != 4 &&
                   k + 1 != 12) { // the middle column overlaps pips 3 and 13
            EXPECT_TRUE(White(centre)) << "pip " << k + 1;
        }
    }
    // Both corner indices are red; the corners themselves show the table.
    int redTop = 0, redBottom = 0;
    for (int y = 4; y < 18; ++y)
        for (int x = 4; x < 15; ++x) {
            redTop += Red(card.pixel(x, y));
            redBottom += Red(card.pixel(93 - x, 126 - y));
        }
    EXPECT_GT(redTop, 10);
    EXPECT_GT(redBottom, 10);
}

TEST_F(PaintEngineTest, GlyphsAreCombinedWithAnAndButTheHeldBandCoversTheFace) {
    // A glyph's white leaves the face as it was: the pips of a ten sit on the
    // plain face. The held band instead hides what lies under its drawing, and
    // its white surround keeps the face.
    const QImage plain = Draw(8, 0);
    const QImage held = Draw(8, 0, true);
    const int top = engine.HeldBandTop();
    for (int y = 0; y < 127; ++y) {
        if (y >= top && y < top + 30) continue;
        for (int x = 0; x < 94; ++x)
            ASSERT_EQ(held.pixel(x, y), plain.pixel(x, y)) << x << "," << y;
    }
    EXPECT_EQ(held.pixel(2, top + 1), plain.pixel(2, top + 1)); // outside the band's drawing
    EXPECT_NE(held.pixel(47, top + 15), plain.pixel(47, top + 15));
    const QImage band = LoadImageResource(QStringLiteral("HELD"));
    for (int y = 8; y < 22; ++y)
        for (int x = 10; x < 84; ++x)
            ASSERT_EQ(held.pixel(x, top + y), band.pixel(x, y)) << x << "," << y;
}

TEST_F(PaintEngineTest, WildCardsAndJokers) {
    const QImage joker = Draw(-1, -1, false, true);
    QImage wildFace(94, 127, QImage::Format_RGB32);
    {
        QPainter painter(&wildFace);
        engine.DrawCard(painter, QRect(0, 0, 94, 127), false, true, 3, 0);
    }
    // The deuce as a wild card and the joker: one wild face, each with the
    // corner indices of its own (the deuce's rank and suit, the joker's
    // letters), which stay in the corner columns clear of the picture.
    int differences = 0;
    for (int y = 0; y < 127; ++y)
        for (int x = 0; x < 94; ++x)
            if (joker.pixel(x, y) != wildFace.pixel(x, y)) {
                ++differences;
                EXPECT_TRUE((x < 18 && y < 60) || (x > 75 && y > 66)) << x << "," << y;
            }
    EXPECT_GT(differences, 10);
    // The deuce's suit sits under its rank: two deuces of one colour differ there.
    QImage diamond(94, 127, QImage::Format_RGB32);
    {
        QPainter painter(&diamond);
        engine.DrawCard(painter, QRect(0, 0, 94, 127), false, true, 2, 0);
    }
    EXPECT_EQ(diamond.copy(0, 0, 18, 18), wildFace.copy(0, 0, 18, 18)); // the same red rank
    EXPECT_NE(diamond.copy(0, 18, 18, 14), wildFace.copy(0, 18, 18, 14));
    QImage canvas2(94, 127, QImage::Format_RGB32);
    QPainter painter(&canvas2);
    EXPECT_THROW(engine.DrawCard(painter, QRect(0, 0, 94, 127), false, false, 4, 3), ERangeError);
}

TEST_F(PaintEngineTest, TheSameDeckIsNotReadAgainAndBacksAreCached) {
    {
        testing::TTempFolders
            copy; // a program folder of its own, whose deck is damaged once loaded
        for (const char* name : {"deck.001", "deck.002", "back.001"})
            copy.WriteProgramFile(
                QStringLiteral("data/") + name,
                testing::ReadFile(QStringLiteral(DRAWMENTOR_RUNTIME_DIR "/data/") + name));
        TPaintEngine own;
        own.LoadDeck("001");
        copy.WriteProgramFile("data/deck.001", "damaged");
        EXPECT_NO_THROW(own.LoadDeck("001")); // not read again
    }
    SetProgramFolder(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    engine.LoadDeck("002");
    EXPECT_EQ(engine.DeckCode, "002");
    QImage first(94, 127, QImage::Format_RGB32), second(94, 127, QImage::Format_RGB32);
    {
        QPainter painter(&first);
        engine.SetBackIndex(3);
        engine.DrawBack(painter, QRect(0, 0, 94, 127));
    }
    {
        QPainter painter(&second);
        engine.SetBackIndex(4);
        engine.DrawBack(painter, QRect(0, 0, 94, 127));
    }
    EXPECT_NE(first, second);
    EXPECT_EQ(first.pixel(0, 60), second.pixel(0, 60)); // the blank card's border stays
    EXPECT_EQ(first.pixel(2, 60), qRgb(255, 255, 255)); // the white margin of a back
}

} // namespace
} // namespace drawmentor
