#include "ui/foundation/PixelGlyphShape.h"

namespace corvel {

namespace {

using Bitmap = std::array<const char*, 9>;

constexpr Bitmap spark = {"....#....", "....#....", "...###...", "..#####..", "#########",
                          "..#####..", "...###...", "....#....", "....#...."};
constexpr Bitmap wave = {"...#.....", "...#..#..", ".#.#..#..", ".#.#.##..", ".###.###.",
                         ".#.#.##..", ".#.#..#..", "...#..#..", "...#....."};
constexpr Bitmap document = {".#####...", ".#...##..", ".#...###.", ".#.....#.", ".#.###.#.",
                             ".#.....#.", ".#.###.#.", ".#.....#.", ".#######."};
constexpr Bitmap check = {".........", ".......##", "......###", ".....###.", "##..###..",
                          "######...", ".####....", "..##.....", "........."};
constexpr Bitmap arrow = {"....#....", "....##...", ".....##..", "......##.", "#########",
                          "......##.", ".....##..", "....##...", "....#...."};
constexpr Bitmap person = {"...###...", "..#####..", "..#####..", "...###...", ".........",
                           "..#####..", ".#######.", ".#######.", ".#######."};

} // namespace

const std::array<const char*, 9>& PixelGlyphShape::bitmap(PixelGlyph::Kind kind) {
    switch (kind) {
    case PixelGlyph::Kind::spark:
        return spark;
    case PixelGlyph::Kind::wave:
        return wave;
    case PixelGlyph::Kind::document:
        return document;
    case PixelGlyph::Kind::check:
        return check;
    case PixelGlyph::Kind::arrow:
        return arrow;
    case PixelGlyph::Kind::person:
        break;
    }
    return person;
}

QPainterPath PixelGlyphShape::path(PixelGlyph::Kind kind, const QRectF& rect) {
    const qreal cell = qMin(rect.width(), rect.height()) / 9;
    QPainterPath result;
    result.setFillRule(Qt::WindingFill);
    const Bitmap& rows = bitmap(kind);
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            if (rows[r][c] == '#')
                result.addRect(rect.left() + c * cell, rect.top() + r * cell, cell, cell);
        }
    }
    return result;
}

} // namespace corvel
