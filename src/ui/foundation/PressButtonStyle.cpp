#include "ui/foundation/PressButtonStyle.h"

#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/RoundedCard.h"

#include <QAbstractButton>
#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {
constexpr qreal pressedOpacity = 0.82;
constexpr qreal pressedScale = 0.985;
constexpr int pressDurationMs = 120;
} // namespace

PressButtonStyle::PressButtonStyle(QAbstractButton* button,
                                   const AccessibilityPreferences* preferences)
    : QObject(button), m_button(button), m_preferences(preferences) {
    m_animation.setDuration(pressDurationMs);
    m_animation.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_progress = value.toReal();
        m_button->update();
    });
    connect(button, &QAbstractButton::pressed, this, [this] { pressChanged(true); });
    connect(button, &QAbstractButton::released, this, [this] { pressChanged(false); });
}

bool PressButtonStyle::reduceMotion() const {
    return m_preferences && m_preferences->reduceMotion();
}

void PressButtonStyle::pressChanged(bool pressed) {
    const qreal target = pressed ? 1.0 : 0.0;
    m_animation.stop();
    if (reduceMotion()) {
        m_progress = target;
        m_button->update();
        return;
    }
    m_animation.setStartValue(m_progress);
    m_animation.setEndValue(target);
    m_animation.start();
}

qreal PressButtonStyle::opacity() const {
    return 1.0 - (1.0 - pressedOpacity) * m_progress;
}

qreal PressButtonStyle::scale() const {
    return reduceMotion() ? 1.0 : 1.0 - (1.0 - pressedScale) * m_progress;
}

void PressButtonStyle::apply(QPainter& painter, const QRectF& rect) const {
    painter.setOpacity(painter.opacity() * opacity());
    const qreal factor = scale();
    if (factor == 1.0)
        return;
    const QPointF centre = rect.center();
    painter.translate(centre);
    painter.scale(factor, factor);
    painter.translate(-centre);
}

void PressButtonStyle::paintRoundedFill(QPainter& painter, qreal disabledOpacity, qreal radius,
                                        const QColor& fill) const {
    const QRectF bounds = m_button->rect();
    if (!m_button->isEnabled())
        painter.setOpacity(disabledOpacity);
    apply(painter, bounds);
    fillRounded(painter, bounds, radius, fill);
}

bool PressButtonStyle::roundedContains(const QPoint& pos, qreal radius) const {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(m_button->rect()), radius, radius);
    return shape.contains(QPointF(pos));
}

} // namespace corvel
