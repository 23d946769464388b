#include "ui/foundation/SwitchToggle.h"

#include "ui/foundation/FocusRing.h"
#include "ui/foundation/Palette.h"

#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {
constexpr QSize trackSize(34, 20);
constexpr qreal knobInset = 2;
constexpr qreal disabledOpacity = 0.45;
} // namespace

SwitchToggle::SwitchToggle(const QColor& tint, QWidget* parent)
    : QAbstractButton(parent), m_tint(tint), m_focusRing(new FocusRing(this)) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_focusRing->setOutline([this] { return track(); }, trackSize.height() / 2.0);
}

QRectF SwitchToggle::track() const {
    return QRectF(QPointF(0, 0), QSizeF(trackSize))
        .translated((width() - trackSize.width()) / 2.0, (height() - trackSize.height()) / 2.0);
}

QSize SwitchToggle::sizeHint() const {
    return trackSize;
}

void SwitchToggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(disabledOpacity);
    const QRectF track = this->track();
    const qreal radius = track.height() / 2;
    QPainterPath shape;
    shape.addRoundedRect(track, radius, radius);
    painter.fillPath(shape,
                     isChecked() ? m_tint : Palette::withOpacity(Palette::secondary(), 0.25));
    const qreal knob = track.height() - 2 * knobInset;
    const qreal x = isChecked() ? track.right() - knobInset - knob : track.left() + knobInset;
    painter.setPen(QPen(Palette::withOpacity(Palette::ink(), 0.12), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + knobInset, knob, knob));
}

// Disabled while focused, the switch keeps the focus rather than handing it to a neighbour.
bool SwitchToggle::focusNextPrevChild(bool next) {
    return isEnabled() && QAbstractButton::focusNextPrevChild(next);
}

} // namespace corvel
