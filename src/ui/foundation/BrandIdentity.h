#pragma once

#include <QPainterPath>

namespace corvel {

// The brand mark: a speech bubble with two quotation marks cut out (even-odd fill), designed in a
// 256 x 176 box.
class BrandIdentity final {
public:
    BrandIdentity() = delete;

    static const QPainterPath& compoundPath();
    // The design box fitted inside `rect`, aspect kept, centred.
    static QPainterPath path(const QRectF& rect);
};

} // namespace corvel
