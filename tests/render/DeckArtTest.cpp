// Checks every deck installed beside the program, as a player would see it.
#include "render/ImageCodec.h"
#include "render/PaintEngine.h"

#include "support/TempFolders.h"

#include <QDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace drawmentor {
namespace {

enum TInk { None, Black, Red, Green, Blue, Orange };

// The ink of one pixel, or None for white, greys and blends.
TInk InkOf(QRgb c) {
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi < 110 && hi - lo < 40) return Black;
    if (hi - lo < 60) return None;
    if (r == hi && g < 110 && b < 110) return Red;
    if (r == hi && g >= 90 && b < 90) return Orange;
    if (g == hi) return Green;
    if (b == hi) return Blue;
    return None;
}

// The ink most pixels of `area` carry, and how many carry it.
std::pair<TInk, int> MainInk(const QImage& card, const QRect& area) {
    int count[6] = {};
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) ++count[InkOf(card.pixel(x, y))];
    const int best = static_cast<int>(std::max_element(count + 1, count + 6) - count);
    return {static_cast<TInk>(best), count[best]};
}

QStringList InstalledDecks() {
    QStringList codes;
    for (const QString& name :
         QDir(QStringLiteral(DRAWMENTOR_RUNTIME_DIR "/data")).entryList({"deck.*"}, QDir::Files))
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
                    ASSERT_EQ(card.pixel(at.x(), engine.HeldBandTop() + at.y()), band.pixel(at))
                        << "deck " << code.toStdString() << " rank " << rank << " suit " << suit
                        << " at " << at.x() << "," << at.y();
            }
    }
}

// Every face shows its rank in both corners in one ink per suit: hearts red,
// spades black (or blue in a four-colour deck), never a red suit's ink on a
// black suit. A row of the index picture taken for the wrong suit shows here.
TEST_F(DeckArtTest, EveryFaceHasCornerIndicesInItsSuitsInk) {
    for (const QString& code : InstalledDecks()) {
        SCOPED_TRACE("deck " + code.toStdString());
        engine.LoadDeck(code);
        const QRect index = engine.IndexRect();
        const QRect turned(engine.CardWidth - index.right() - 1,
                           engine.CardHeight - index.bottom() - 1, index.width(), index.height());
        TInk inks[4] = {};
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < 13; ++rank) {
                SCOPED_TRACE(::testing::Message() << "rank " << rank << " suit " << suit);
                const QImage card = Draw(rank, suit);
                const auto [ink, pixels] = MainInk(card, index);
                EXPECT_GE(pixels, 12);
                EXPECT_EQ(MainInk(card, turned).first, ink);
                if (rank == 0) inks[suit] = ink;
                EXPECT_EQ(ink, inks[suit]);
            }
        EXPECT_EQ(inks[3], Red);
        EXPECT_TRUE(inks[0] == Black || inks[0] == Blue);
        for (int black : {0, 1})
            for (int red : {2, 3}) EXPECT_NE(inks[black], inks[red]) << black << " " << red;
    }
}

// A held card still shows its rank and suit in both corners, on every deck:
// the band lies across the middle, between them.
TEST_F(DeckArtTest, TheHeldBandLeavesBothCornerIndicesInView) {
    for (const QString& code : InstalledDecks()) {
        engine.LoadDeck(code);
        // The rank and the suit under it fill the top third of the corner at most.
        const QRect index = engine.IndexRect();
        const QRect corner(index.topLeft(), QPoint(index.right(), engine.CardHeight / 3));
        const QRect turned(engine.CardWidth - corner.right() - 1,
                           engine.CardHeight - corner.bottom() - 1, corner.width(),
                           corner.height());
        for (int rank = 0; rank < 13; ++rank) {
            const QImage plain = Draw(rank, 3), held = Draw(rank, 3, true);
            EXPECT_TRUE(held.copy(corner) == plain.copy(corner) &&
                        held.copy(turned) == plain.copy(turned))
                << "deck " << code.toStdString() << " rank " << rank;
        }
    }
}

// A wild card keeps its rank and suit in the corner, in the suit's ink; a
// joker has its own corner index.
TEST_F(DeckArtTest, WildCardsAndJokersCarryCornerIndices) {
    for (const QString& code : InstalledDecks()) {
        SCOPED_TRACE("deck " + code.toStdString());
        engine.LoadDeck(code);
        const QRect index = engine.IndexRect();
        // The index and what lies under it, clear of the wild picture.
        const QRect corner(index.left(), index.top(), index.width(), 2 * index.height());
        QImage wild[4];
        for (int suit = 0; suit < 4; ++suit) {
            wild[suit] = Draw(0, suit, false, true);
            const auto [ink, pixels] = MainInk(wild[suit], corner);
            EXPECT_EQ(ink, MainInk(Draw(0, suit), index).first) << "suit " << suit;
            EXPECT_GE(pixels, 12);
        }
        // Two deuces of one ink still differ: the suit is shown.
        EXPECT_NE(wild[0].copy(corner), wild[1].copy(corner));
        EXPECT_NE(wild[2].copy(corner), wild[3].copy(corner));
        const QImage joker = Draw(-1, -1, false, true);
        EXPECT_GE(MainInk(joker, corner).second, 12);
        EXPECT_GE(MainInk(joker, QRect(engine.CardWidth - 1 - corner.right(),
                                       engine.CardHeight - 1 - corner.bottom(), corner.width(),
                                       corner.height()))
                      .second,
                  12);
    }
}

// Jack, queen and king of a suit are different pictures, not one figure
// with another hat: a large share of the picture differs between any two.
TEST_F(DeckArtTest, CourtsOfOneSuitAreDifferentPictures) {
    for (const QString& code : InstalledDecks()) {
        engine.LoadDeck(code);
        for (int suit = 0; suit < 4; ++suit) {
            const QImage courts[3] = {Draw(9, suit), Draw(10, suit), Draw(11, suit)};
            for (int a = 0; a < 3; ++a)
                for (int b = a + 1; b < 3; ++b) {
                    int differing = 0, inked = 0;
                    for (int y = 0; y < engine.CardHeight; ++y)
                        for (int x = 0; x < engine.CardWidth; ++x) {
                            const QRgb p = courts[a].pixel(x, y), q = courts[b].pixel(x, y);
                            inked += p != qRgb(255, 255, 255) || q != qRgb(255, 255, 255);
                            const int distance = std::abs(qRed(p) - qRed(q)) +
                                                 std::abs(qGreen(p) - qGreen(q)) +
                                                 std::abs(qBlue(p) - qBlue(q));
                            differing += distance > 96;
                        }
                    EXPECT_GT(differing * 100, 30 * inked)
                        << "deck " << code.toStdString() << " suit " << suit << " ranks " << 9 + a
                        << ", " << 9 + b;
                }
        }
    }
}

} // namespace
} // namespace drawmentor
