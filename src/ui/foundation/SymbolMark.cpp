#include "ui/foundation/SymbolMark.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/SymbolImage.h"

#include <QPainter>

namespace corvel {

SymbolMark::SymbolMark(const QString& symbol, int side, const QColor& color, QWidget* parent)
    : QWidget(parent), m_symbol(symbol), m_color(color) {
    setFixedSize(side, side);
    hideFromAccessibility(this);
}

void SymbolMark::setSymbol(const QString& symbol) {
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void SymbolMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SymbolImage::paint(painter, m_symbol, QRectF(rect()), m_color);
}

} // namespace corvel
