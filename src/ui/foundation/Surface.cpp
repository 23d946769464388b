#include "ui/foundation/Surface.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace corvel {

Surface::Surface(QWidget* content, int padding, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(content);
}

void Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), 6, 6);
    painter.fillPath(shape, Qt::white);
}

} // namespace corvel
