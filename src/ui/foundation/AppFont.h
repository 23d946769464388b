#pragma once

#include "ui/foundation/FontRegistry.h"

#include <QFont>

#include <optional>

namespace corvel {

// The text-style rule: the app font at `pixelSize` and `weight`, or the system font at the same
// size and weight when the app font is not available.
QFont appFont(qreal pixelSize, QFont::Weight weight);
QFont appFont(qreal pixelSize, QFont::Weight weight, const std::optional<RegisteredFont>& font);
// `font` with `tracking` pixels between letters.
QFont tracked(QFont font, qreal tracking);

} // namespace corvel
