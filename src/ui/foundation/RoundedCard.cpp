#include "ui/foundation/RoundedCard.h"

#include <QPainter>
#include <QPainterPath>

namespace corvel {

RoundedCard::RoundedCard(const QColor& fill, QWidget* parent) : QWidget(parent), m_fill(fill) {}

void RoundedCard::setFill(const QColor& fill) {
    if (fill == m_fill)
        return;
    m_fill = fill;
    update();
}

void RoundedCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), 6, m_fill);
}

void fillRounded(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill) {
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    painter.fillPath(shape, fill);
}

void fillBackground(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette colors = widget->palette();
    colors.setColor(QPalette::Window, color);
    widget->setPalette(colors);
}

} // namespace corvel
