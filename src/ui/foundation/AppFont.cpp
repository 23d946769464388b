#include "ui/foundation/AppFont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace corvel {

namespace {

// The system's general font is often an alias ("Sans Serif"). Leading a family list, an alias
// is not matched as one face, and digits, "/" and spaces then come from whichever listed face
// has them: the emoji face. The family the alias resolves to is a real face.
const QString& systemTextFamily() {
    static const QString family =
        QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    return family;
}

} // namespace

QFont appFont(qreal pixelSize, QFont::Weight weight) {
    return appFont(pixelSize, weight, FontRegistry::registeredFont());
}

QFont appFont(qreal pixelSize, QFont::Weight weight, const std::optional<RegisteredFont>& font) {
    QFont result(font ? font->family : systemTextFamily());
    // Sizes are points of a 1x display: pixel sizes here, whatever the screen's DPI.
    result.setPixelSize(qMax(1, qRound(pixelSize)));
    result.setWeight(weight);
    // Emoji and symbols the text face lacks come from the colour emoji face.
    result.setFamilies({result.family(), QStringLiteral("Noto Color Emoji")});
    return result;
}

QFont tracked(QFont font, qreal tracking) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, tracking);
    return font;
}

} // namespace corvel
