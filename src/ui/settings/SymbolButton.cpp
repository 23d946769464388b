#include "ui/settings/SymbolButton.h"

#include "ui/foundation/SymbolImage.h"

#include <QPainter>

namespace corvel {

SymbolButton::SymbolButton(const QString& symbol, int symbolSize, const QColor& color, int padding,
                           const QString& accessibleName, QWidget* parent)
    : QAbstractButton(parent), m_symbol(symbol), m_symbolSize(symbolSize), m_color(color),
      m_padding(padding) {
    setAccessibleName(accessibleName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SymbolButton::sizeHint() const {
    const int side = m_symbolSize + 2 * m_padding;
    return {side, side};
}

void SymbolButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown())
        painter.setOpacity(0.82);
    const QRectF box(QPointF(width() - m_symbolSize, height() - m_symbolSize) / 2.0,
                     QSizeF(m_symbolSize, m_symbolSize));
    SymbolImage::paint(painter, m_symbol, box, m_color);
}

} // namespace corvel
