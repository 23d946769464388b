#include "ui/foundation/LinkButton.h"

#include "ui/foundation/FocusRing.h"
#include "ui/foundation/SymbolImage.h"

#include <QPainter>

namespace corvel {

namespace {
constexpr int symbolSpacing = 6;
constexpr qreal pressedOpacity = 0.6;
constexpr qreal disabledOpacity = 0.45;
constexpr int ringAir = 3;
} // namespace

LinkButton::LinkButton(const QString& text, const QString& symbol, const QFont& font,
                       const QColor& color, QWidget* parent)
    : QAbstractButton(parent), m_symbol(symbol), m_font(font), m_color(color),
      m_focusRing(new FocusRing(this)) {
    setText(text);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (!text.isEmpty())
        setAccessibleName(text);
    // The ring keeps a little air around a text that has no padding of its own; it lies outside
    // the button, so that air takes no layout room either.
    m_focusRing->setOutline(
        [this] {
            const auto air = [](int padding) { return qMax(ringAir - padding, 0); };
            return QRectF(rect()).marginsAdded(
                QMarginsF(air(m_padding.left()), air(m_padding.top()), air(m_padding.right()),
                          air(m_padding.bottom())));
        },
        5);
}

void LinkButton::setSymbol(const QString& symbol) {
    m_symbol = symbol;
    updateGeometry();
    update();
}

void LinkButton::setColor(const QColor& color) {
    m_color = color;
    update();
}

void LinkButton::setPadding(const QMargins& padding) {
    m_padding = padding;
    updateGeometry();
}

void LinkButton::setSymbolSize(int side) {
    m_symbolSide = side;
    updateGeometry();
}

bool LinkButton::hasSymbol() const {
    return SymbolImage::exists(m_symbol);
}

int LinkButton::symbolSide() const {
    return m_symbolSide > 0 ? m_symbolSide : qRound(QFontMetricsF(m_font).capHeight() * 1.25);
}

QSize LinkButton::sizeHint() const {
    const QFontMetrics metrics(m_font);
    int width = text().isEmpty() ? 0 : metrics.horizontalAdvance(text());
    int height = text().isEmpty() ? 0 : metrics.height();
    if (hasSymbol()) {
        width += symbolSide() + (text().isEmpty() ? 0 : symbolSpacing);
        height = qMax(height, symbolSide());
    }
    return {width + m_padding.left() + m_padding.right(),
            height + m_padding.top() + m_padding.bottom()};
}

void LinkButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);
    else if (isDown())
        painter.setOpacity(pressedOpacity);
    const QRectF content = QRectF(rect()).marginsRemoved(m_padding.toMarginsF());
    qreal x = content.left();
    if (hasSymbol()) {
        const int side = symbolSide();
        SymbolImage::paint(painter, m_symbol,
                           QRectF(x, content.center().y() - side / 2.0, side, side), m_color);
        x += side + symbolSpacing;
    }
    if (!text().isEmpty()) {
        painter.setFont(m_font);
        painter.setPen(m_color);
        painter.drawText(QRectF(x, content.top(), content.right() - x, content.height()),
                         Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    }
}

// Disabled while focused, the button keeps the focus rather than handing it to a neighbour.
bool LinkButton::focusNextPrevChild(bool next) {
    return isEnabled() && QAbstractButton::focusNextPrevChild(next);
}

} // namespace corvel
