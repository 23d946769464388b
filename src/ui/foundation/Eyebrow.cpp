#include "ui/foundation/Eyebrow.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/Palette.h"

namespace corvel {

namespace {
QFont eyebrowFont() {
    return tracked(appFont(11, QFont::Medium), 1.15);
}
} // namespace

Eyebrow::Eyebrow(const QString& text, QWidget* parent)
    : PlainLabel(text.toUpper(), eyebrowFont(), Palette::secondary(), parent) {}

} // namespace corvel
