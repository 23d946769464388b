#include "ui/foundation/PixelGlyphShape.h"
#include "ui/foundation/PixelGlyph.h"

#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

using namespace corvel;

// Every cell of every glyph's path against its bitmap: a transposed or shifted drawing fails,
// whatever the bitmaps hold.
TEST(PixelGlyphShapeTest, CellsSitWhereTheBitmapPutsThem) {
    const QRectF square(0, 0, 18, 18);
    QSet<QString> distinct;
    for (const auto kind :
         {PixelGlyph::Kind::spark, PixelGlyph::Kind::wave, PixelGlyph::Kind::document,
          PixelGlyph::Kind::check, PixelGlyph::Kind::arrow, PixelGlyph::Kind::person}) {
        const auto& rows = PixelGlyphShape::bitmap(kind);
        const QPainterPath path = PixelGlyphShape::path(kind, square);
        QString cells;
        for (int r = 0; r < 9; ++r) {
            cells += QLatin1String(rows[r]);
            for (int c = 0; c < 9; ++c)
                EXPECT_EQ(path.contains(QPointF(c * 2 + 1, r * 2 + 1)), rows[r][c] == '#')
                    << "kind " << int(kind) << " row " << r << " column " << c;
        }
        distinct.insert(cells);
    }
    EXPECT_EQ(distinct.size(), 6) << "each kind has its own bitmap";
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
