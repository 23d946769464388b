#include "ui/foundation/Surface.h"
#include "ui/foundation/RoundedCard.h"

#include <QPainter>
#include <QVBoxLayout>

namespace corvel {

Surface::Surface(QWidget* content, int padding, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->addWidget(content);
}

void Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    fillRounded(painter, rect(), 6, Qt::white);
}

} // namespace corvel
