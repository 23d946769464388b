#include "ui/foundation/PixelGlyph.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/PixelGlyphShape.h"

#include <QPainter>

namespace corvel {

PixelGlyph::PixelGlyph(Kind kind, const QColor& color, int size, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_color(color) {
    setFixedSize(size, size);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hideFromAccessibility(this);
}

void PixelGlyph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(PixelGlyphShape::path(m_kind, QRectF(rect())), m_color);
}

} // namespace corvel
