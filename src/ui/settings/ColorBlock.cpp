#include "ui/settings/ColorBlock.h"

#include "ui/foundation/AccessibilityMarks.h"

#include <QPainter>

namespace corvel {

ColorBlock::ColorBlock(const QColor& color, QSize size, QWidget* parent)
    : QWidget(parent), m_color(color) {
    setFixedSize(size);
    hideFromAccessibility(this);
}

void ColorBlock::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), m_color);
}

} // namespace corvel
