#include "ui/foundation/AppFont.h"

#include <QFontDatabase>

namespace corvel {

QFont appFont(qreal pixelSize, QFont::Weight weight) {
    return appFont(pixelSize, weight, FontRegistry::registeredFont());
}

QFont appFont(qreal pixelSize, QFont::Weight weight, const std::optional<RegisteredFont>& font) {
    QFont result =
        font ? QFont(font->family) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    // Sizes are points of a 1x display: pixel sizes here, whatever the screen's DPI.
    result.setPixelSize(qMax(1, qRound(pixelSize)));
    result.setWeight(weight);
    // Emoji and symbols in typed or transcribed text come from the colour emoji face.
    result.setFamilies({result.family(), QStringLiteral("Noto Color Emoji")});
    return result;
}

QFont tracked(QFont font, qreal tracking) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

} // namespace corvel
