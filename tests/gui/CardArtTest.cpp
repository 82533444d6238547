#include "ui/common/CardImage.h"
#include "ui/common/SvgFaces.h"
#include "ui/main/TableSize.h"

#include "support/TempFolders.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace drawmentor {
namespace {

// The converted SVG decks bring their drawing; its faces come at the pixels
// asked for, kept while the size stays.
TEST(SvgFacesTest, ConvertedDecksDrawTheirFacesAtAnySize) {
    const testing::TTempFolders folders(QStringLiteral(DRAWMENTOR_RUNTIME_DIR));
    TSvgFaces faces;
    for (const char* code : {"003", "004"}) {
        faces.Use(QString::fromLatin1(code));
        ASSERT_TRUE(faces.HasDrawing()) << code;
        const QImage ace = faces.Face(0, 12, {300, 405});
        ASSERT_EQ(ace.size(), QSize(300, 405)) << code;
        EXPECT_EQ(qAlpha(ace.pixel(150, 200)), 255) << "the face is opaque inside";
        EXPECT_EQ(faces.Face(0, 12, {300, 405}).cacheKey(), ace.cacheKey()) << "kept";
        EXPECT_NE(faces.Face(0, 12, {200, 270}).size(), ace.size());
    }
    EXPECT_TRUE(faces.Face(4, 0, {100, 135}).isNull());
    faces.Use(QStringLiteral("001")); // a bitmap deck has no drawing
    EXPECT_FALSE(faces.HasDrawing());
    EXPECT_TRUE(faces.Face(0, 0, {100, 135}).isNull());
}

TEST(SvgFacesTest, ADamagedDrawingLeavesTheBitmaps) {
    const testing::TTempFolders folders;
    folders.WriteProgramFile(QStringLiteral("data/faces.003.svgz"), "\x1f\x8b not really");
    TSvgFaces faces;
    faces.Use(QStringLiteral("003"));
    EXPECT_FALSE(faces.HasDrawing());
}

class CardArtWindowTest : public testing::TWindowFixture {};

// Every card of the table is painted for the place it has, at every size.
TEST_F(CardArtWindowTest, CardsArePaintedAtTheSizeTheyAreShown) {
    window->DealOrDraw();
    for (const auto& [size, at] :
         {std::pair{TTableSize::Standard, QSize(676, 483)}, std::pair{TTableSize::Large, QSize()},
          std::pair{TTableSize::Fit, QSize(1600, 1000)}}) {
        window->Sizer().SetSize(size, true);
        window->showNormal();
        if (at.isValid()) window->resize(at);
        QApplication::processEvents();
        for (int i = 1; i <= 5; ++i) {
            const auto* card = Find<TCardImage>(QStringLiteral("Card%1").arg(i).toLatin1());
            EXPECT_EQ(card->Image().deviceIndependentSize().toSize(), card->size());
        }
    }
}

} // namespace
} // namespace drawmentor
