#include "ui/settings/SymbolLabel.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/SymbolImage.h"

#include <QPainter>

namespace corvel {

SymbolLabel::SymbolLabel(const QString& symbol, int side, const QColor& color, QWidget* parent)
    : QWidget(parent), m_symbol(symbol), m_color(color) {
    setFixedSize(side, side);
    hideFromAccessibility(this);
}

void SymbolLabel::setSymbol(const QString& symbol) {
    m_symbol = symbol;
    update();
}

void SymbolLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    SymbolImage::paint(painter, m_symbol, QRectF(rect()), m_color);
}

} // namespace corvel
