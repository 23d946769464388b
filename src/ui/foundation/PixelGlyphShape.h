#pragma once

#include "ui/foundation/PixelGlyph.h"

#include <QPainterPath>

#include <array>

namespace corvel {

class PixelGlyphShape final {
public:
    PixelGlyphShape() = delete;

    // Cells of min(width, height) / 9, anchored at the rect's top-left corner, one square per "#"
    // of the kind's bitmap.
    static QPainterPath path(PixelGlyph::Kind kind, const QRectF& rect);
    // The kind's nine rows, row 0 (top) first.
    static const std::array<const char*, 9>& bitmap(PixelGlyph::Kind kind);
};

} // namespace corvel
