#include "ui/foundation/PixelGlyphShape.h"
#include "ui/foundation/PixelGlyph.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace corvel;

namespace {

// One row of each bitmap as drawn in the design, to catch a transposed or shifted table.
struct Row {
    PixelGlyph::Kind kind;
    int index;
    const char* cells;
};

const Row sampleRows[] = {
    {PixelGlyph::Kind::spark, 4, "#########"},    {PixelGlyph::Kind::wave, 4, ".###.###."},
    {PixelGlyph::Kind::document, 2, ".#...###."}, {PixelGlyph::Kind::check, 1, ".......##"},
    {PixelGlyph::Kind::arrow, 3, "......##."},    {PixelGlyph::Kind::person, 4, "........."},
    {PixelGlyph::Kind::person, 6, ".#######."},
};

} // namespace

TEST(PixelGlyphShapeTest, CellsSitWhereTheBitmapPutsThem) {
    const QRectF square(0, 0, 18, 18);
    for (const Row& row : sampleRows) {
        const QPainterPath path = PixelGlyphShape::path(row.kind, square);
        for (int c = 0; c < 9; ++c) {
            const QPointF centre(c * 2 + 1, row.index * 2 + 1);
            EXPECT_EQ(path.contains(centre), row.cells[c] == '#')
                << "kind " << int(row.kind) << " row " << row.index << " column " << c;
        }
    }
}

TEST(PixelGlyphShapeTest, CellsComeFromTheShorterSideAndHugTheTopLeft) {
    // 30 x 18: 2-pixel cells, glyph against the left edge, not centred.
    const QPainterPath wide = PixelGlyphShape::path(PixelGlyph::Kind::spark, QRectF(0, 0, 30, 18));
    EXPECT_EQ(wide.boundingRect(), QRectF(0, 0, 18, 18));

    const QPainterPath offset =
        PixelGlyphShape::path(PixelGlyph::Kind::document, QRectF(10, 20, 27, 40));
    EXPECT_EQ(offset.boundingRect(), QRectF(13, 20, 21, 27));
    EXPECT_TRUE(offset.isEmpty() == false);
    EXPECT_TRUE(PixelGlyphShape::path(PixelGlyph::Kind::arrow, QRectF(0, 0, 0, 10))
                    .boundingRect()
                    .isEmpty());
}

TEST(PixelGlyphShapeTest, GlyphPaintsItsColourInTheCells) {
    PixelGlyph glyph(PixelGlyph::Kind::spark, Qt::red, 18);
    const QImage image = glyph.grab().toImage();
    ASSERT_EQ(image.size(), QSize(18, 18));
    EXPECT_EQ(image.pixelColor(9, 1), QColor(Qt::red)); // row 0, column 4
    EXPECT_EQ(image.pixelColor(1, 9), QColor(Qt::red)); // row 4, column 0
    EXPECT_NE(image.pixelColor(1, 1), QColor(Qt::red)); // row 0, column 0 is empty
}
