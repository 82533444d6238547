#include "render/ButtonFace.h"
#include "render/CardPainter.h"
#include "render/Colors.h"
#include "render/CreditPlot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace drawmentor {
namespace {

TEST(Colors, ShiftColorClamps) {
    EXPECT_EQ(ShiftColor(QColor(250, 10, 128), 20), QColor(255, 30, 148));
    EXPECT_EQ(ShiftColor(QColor(250, 10, 128), -20), QColor(230, 0, 108));
}

TEST(Colors, GradientBandsAndRemainder) {
    QImage image(10, 25, QImage::Format_RGB32);
    QPainter painter(&image);
    FillGradient(painter, image.rect(), QColor(0, 0, 0), 20, 0, QColor(190, 95, 19));
    painter.end();
    // 20 bands of one pixel, then 5 pixels of the finish colour.
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(QColor(image.pixel(3, k)), QColor(10 * k, 5 * k, k)) << k;
    for (int y = 20; y < 25; ++y) EXPECT_EQ(QColor(image.pixel(3, y)), QColor(190, 95, 19));
    QPainter again(&image);
    FillGradient(again, image.rect(), QColor(1, 2, 3), 1, 0, QColor(200, 200, 200));
    again.end();
    EXPECT_EQ(QColor(image.pixel(9, 24)), QColor(1, 2, 3));
    QImage wide(30, 4, QImage::Format_RGB32);
    QPainter sideways(&wide);
    FillGradient(sideways, wide.rect(), QColor(0, 0, 0), 3, 3, QColor(90, 90, 90)); // right to left
    sideways.end();
    EXPECT_EQ(QColor(wide.pixel(0, 0)), QColor(90, 90, 90));
    EXPECT_EQ(QColor(wide.pixel(29, 0)), QColor(0, 0, 0));
}

TEST(ButtonFaces, NineWidthsReuseTheFirstSlotFromADonor) {
    TButtonHash cache(false);
    for (int i = 0; i < 8; ++i) cache.GetFace(60 + i, 30);
    EXPECT_EQ(cache.Origin(0), 'p');
    EXPECT_EQ(cache.Origin(1), 's'); // built from the first face of that height
    const QImage& ninth = cache.GetFace(100, 30);
    EXPECT_EQ(cache.LastUsed(), 0);
    EXPECT_EQ(cache.Origin(0), 's');
    EXPECT_EQ(ninth.width(), 100);
    const QImage& again = cache.GetFace(61, 30); // cached: the last slot does not move
    EXPECT_EQ(again.width(), 61);
    EXPECT_EQ(cache.LastUsed(), 0);
    // A stretched face keeps the rounded ends of its donor.
    QImage painted(100, 30, QImage::Format_RGB32);
    PaintButtonFace(painted, false);
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(ninth.pixel(0, y), painted.pixel(0, y)) << y;
        EXPECT_EQ(ninth.pixel(99, y), painted.pixel(99, y)) << y;
    }
}

TEST(ButtonFaces, PressedFacesAreWhiteAndSunken) {
    QImage face(40, 20, QImage::Format_RGB32);
    PaintButtonFace(face, true);
    EXPECT_EQ(face.pixel(20, 10), qRgb(255, 255, 255));
    EXPECT_NE(face.pixel(20, 1), qRgb(255, 255, 255)); // the dark inner edge
}

TEST(SmallCards, PainterAndLabels) {
    TCardPainter painter;
    painter.Init();
    // On white the face keeps no felt in its rounded corners.
    const QImage& onWhite = painter.Face(Qt::white);
    EXPECT_EQ(onWhite.size(), QSize(50, 68));
    for (const QPoint corner : {QPoint(0, 0), QPoint(46, 0), QPoint(0, 64), QPoint(46, 64)})
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const QColor c(onWhite.pixel(corner + QPoint(x, y)));
                EXPECT_LE(std::abs(c.green() - c.red()), 8) << x << "," << y;
            }
    EXPECT_EQ(painter.Ranks.size(), QSize(156, 24));
    QImage table(60, 80, QImage::Format_RGB32);
    table.fill(QColor(0, 96, 56));
    {
        QPainter p(&table);
        painter.DrawSmallCard(p, 5, 5, QColor(1, 2, 3), 12, 3, true, false, true);
    }
    EXPECT_EQ(QColor(table.pixel(5, 5)), QColor(1, 2, 3)); // the corner takes the background
    EXPECT_EQ(QColor(table.pixel(54, 72)), QColor(1, 2, 3));
    const QColor band(table.pixel(6 + 24, 5 + 38 + 1));
    EXPECT_GT(band.red(), 150); // the red HELD band
    const QColor second(table.pixel(6 + 2, 5 + 52 + 7));
    EXPECT_GT(second.green(), 100); // the green one under it

    const QImage ten = MakeCardLabel(painter, 8, 3, 0);
    const int suitWidth = painter.Suits2.width() / 4;
    const int textWidth = ten.width() - suitWidth;
    EXPECT_EQ(ten.height(), 13);
    int heart = 0, transparent = 0;
    for (int y = 0; y < ten.height(); ++y)
        for (int x = 0; x < ten.width(); ++x) {
            const QColor c = QColor::fromRgba(ten.pixel(x, y));
            if (c.alpha() == 0) ++transparent;
            if (x >= textWidth && c.red() > 150 && c.green() < 90) ++heart;
        }
    EXPECT_GT(heart, 10);
    EXPECT_GT(transparent, 40);
    const QImage joker = MakeCardLabel(painter, -1, -1, 0);
    for (int y = 0; y < joker.height(); ++y)
        for (int x = joker.width() - suitWidth + 3; x < joker.width() - 3; ++x)
            EXPECT_NE(QColor::fromRgba(joker.pixel(x, y)).red() > 150 &&
                          QColor::fromRgba(joker.pixel(x, y)).green() < 90,
                      true); // no heart or diamond for a joker
}

TEST(MiniChart, ScalesAndKeepsTheLast128Deals) {
    QImage image(130, 60, QImage::Format_RGB32);
    TCreditPlot chart(&image);
    chart.AddPoint(2500, 2495);
    EXPECT_EQ(chart.High, 2500);
    EXPECT_EQ(chart.Low, 2495);
    // Within 100 credits: a band 100 high centred on the history.
    EXPECT_FLOAT_EQ(chart.YOf((2500 + 2495) / 2), 60 - (50 * 54.0f / 100 + 3));
    EXPECT_EQ(QColor(image.pixel(0, 30)), QColor(Qt::black));     // the frame
    EXPECT_EQ(QColor(image.pixel(10, 2)), QColor(192, 192, 192)); // the dotted grid
    for (int i = 0; i < 200; ++i) chart.AddPoint(3000 + i * 10, 3000 - i * 10);
    EXPECT_EQ(chart.Count, 128);
    EXPECT_EQ(chart.Ideal[127], 3000 + 199 * 10);
    EXPECT_EQ(chart.Ideal[0], 3000 + 72 * 10);
    EXPECT_EQ(chart.High, 3000 + 199 * 10);
    EXPECT_EQ(chart.Low, 3000 - 199 * 10);
    EXPECT_NEAR(chart.YOf(chart.High), 3, 1e-3);
    EXPECT_NEAR(chart.YOf(chart.Low), 57, 1e-3);
    // The curves: teal for best play above blue for the player at the right end.
    EXPECT_EQ(QColor(image.pixel(127, 3)), QColor(0, 170, 170));
    EXPECT_EQ(QColor(image.pixel(127, 57)), QColor(0, 0, 223));
}

} // namespace
} // namespace drawmentor
