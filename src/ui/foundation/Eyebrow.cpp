#include "ui/foundation/Eyebrow.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"

namespace corvel {

namespace {
QFont eyebrowFont() {
    QFont font = appFont(11, QFont::Medium);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.15);
    return font;
}
} // namespace

Eyebrow::Eyebrow(const QString& text, QWidget* parent)
    : PlainLabel(text.toUpper(), eyebrowFont(), Palette::secondary(), parent) {}

} // namespace corvel
