#include "ui/session/ColorSquare.h"

#include "ui/foundation/AccessibilityMarks.h"

#include <QPainter>

namespace corvel {

ColorSquare::ColorSquare(const QColor& color, int side, QWidget* parent)
    : QWidget(parent), m_color(color) {
    setFixedSize(side, side);
    hideFromAccessibility(this);
}

void ColorSquare::setColor(const QColor& color) {
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ColorSquare::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), m_color);
}

} // namespace corvel
