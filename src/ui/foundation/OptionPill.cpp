#include "ui/foundation/OptionPill.h"

#include "ui/foundation/AppFont.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PressButtonStyle.h"

#include <QPainter>

namespace corvel {

namespace {
constexpr qreal disabledOpacity = 0.55;
} // namespace

OptionPill::OptionPill(const QString& title, Style style,
                       const AccessibilityPreferences* preferences, QWidget* parent)
    : QAbstractButton(parent), m_style(style), m_press(new PressButtonStyle(this, preferences)),
      m_focusRing(new FocusRing(this)) {
    setText(title);
    setCheckable(true);
    setAccessibleName(title);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(style == Style::segment ? QSizePolicy::Expanding : QSizePolicy::Fixed,
                  QSizePolicy::Fixed);
    m_focusRing->setOutline({}, radius());
}

void OptionPill::setSelected(bool selected) {
    if (selected == isChecked())
        return;
    setChecked(selected);
    setAccessibleDescription(selected ? QStringLiteral("Selected") : QString());
    updateGeometry();
    update();
}

QFont OptionPill::titleFont() const {
    if (m_style == Style::segment)
        return appFont(12, QFont::Medium);
    return appFont(13, isChecked() ? QFont::Medium : QFont::Normal);
}

QMargins OptionPill::padding() const {
    return m_style == Style::segment ? QMargins(8, 10, 8, 10) : QMargins(18, 12, 18, 12);
}

qreal OptionPill::radius() const {
    return m_style == Style::segment ? 3 : 4;
}

QSize OptionPill::sizeHint() const {
    const QFontMetrics metrics(titleFont());
    const QMargins pad = padding();
    return {metrics.horizontalAdvance(text()) + pad.left() + pad.right(),
            metrics.height() + pad.top() + pad.bottom()};
}

QSize OptionPill::minimumSizeHint() const {
    return m_style == Style::segment ? QSize(0, sizeHint().height()) : sizeHint();
}

void OptionPill::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_press->paintRoundedFill(painter, disabledOpacity, radius(),
                              isChecked() ? Palette::ink() : Palette::surface());
    const QRectF bounds = rect();
    painter.setFont(titleFont());
    painter.setPen(isChecked() ? QColor(Qt::white) : Palette::ink());
    painter.drawText(bounds, Qt::AlignCenter | Qt::TextSingleLine, text());
}

bool OptionPill::hitButton(const QPoint& pos) const {
    return m_press->roundedContains(pos, radius());
}

// Disabled while focused, the pill keeps the focus rather than handing it to a neighbour.
bool OptionPill::focusNextPrevChild(bool next) {
    return isEnabled() && QAbstractButton::focusNextPrevChild(next);
}

} // namespace corvel
