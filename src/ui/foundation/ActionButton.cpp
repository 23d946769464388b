#include "ui/foundation/ActionButton.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PressButtonStyle.h"
#include "ui/foundation/SymbolImage.h"

#include <QPainter>

namespace corvel {

namespace {
constexpr qreal cornerRadius = 5;
constexpr int iconSpacing = 10;
constexpr int symbolSide = 13;
constexpr qreal disabledOpacity = 0.45;
} // namespace

ActionButton::ActionButton(const QString& title, const QString& icon, bool primary, bool compact,
                           std::optional<QColor> tint, const AccessibilityPreferences* preferences,
                           QWidget* parent)
    : QAbstractButton(parent), m_icon(icon), m_primary(primary), m_compact(compact),
      m_tint(std::move(tint)), m_press(new PressButtonStyle(this, preferences)),
      m_focusRing(new FocusRing(this)) {
    setText(title);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ActionButton::setTitle(const QString& title) {
    setText(title);
    updateGeometry();
}

void ActionButton::setIcon(const QString& icon) {
    m_icon = icon;
    updateGeometry();
    update();
}

bool ActionButton::hasIcon() const {
    return SymbolImage::exists(m_icon);
}

QFont ActionButton::titleFont() const {
    return appFont(m_compact ? 13 : 14, QFont::Medium);
}

QMargins ActionButton::padding() const {
    return m_compact ? QMargins(16, 12, 16, 12) : QMargins(24, 16, 24, 16);
}

QColor ActionButton::fillColor() const {
    if (hoveredLook())
        return Palette::pink();
    if (m_tint)
        return *m_tint;
    return m_primary ? Palette::ink() : Palette::surface();
}

QColor ActionButton::foregroundColor() const {
    return m_primary && !m_tint && !hoveredLook() ? QColor(Qt::white) : Palette::ink();
}

QSize ActionButton::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    int width = metrics.horizontalAdvance(text());
    int height = metrics.height();
    if (hasIcon()) {
        width += iconSpacing + symbolSide;
        height = qMax(height, symbolSide);
    }
    const QMargins pad = padding();
    return {width + pad.left() + pad.right(), height + pad.top() + pad.bottom()};
}

void ActionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_press->paintRoundedFill(painter, disabledOpacity, cornerRadius, fillColor());
    const QRectF bounds = rect();

    const QFont font = titleFont();
    const QFontMetrics metrics(font);
    const int textWidth = metrics.horizontalAdvance(text());
    const int contentWidth = textWidth + (hasIcon() ? iconSpacing + symbolSide : 0);
    const qreal left = bounds.center().x() - contentWidth / 2.0;
    painter.setFont(font);
    painter.setPen(foregroundColor());
    painter.drawText(QRectF(left, bounds.top(), textWidth, bounds.height()),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    if (hasIcon()) {
        const QRectF box(left + textWidth + iconSpacing, bounds.center().y() - symbolSide / 2.0,
                         symbolSide, symbolSide);
        SymbolImage::paint(painter, m_icon, box, foregroundColor());
    }
}

void ActionButton::enterEvent(QEnterEvent* event) {
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ActionButton::leaveEvent(QEvent* event) {
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

bool ActionButton::hitButton(const QPoint& pos) const {
    return m_press->roundedContains(pos, cornerRadius);
}

// Disabled by its own action (a check that runs), the button keeps the focus rather than Qt
// handing it to a neighbour that the next key would press; FocusRing gives it back.
bool ActionButton::focusNextPrevChild(bool next) {
    return isEnabled() && QAbstractButton::focusNextPrevChild(next);
}

} // namespace corvel
