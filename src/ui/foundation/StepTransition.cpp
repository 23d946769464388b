#include "ui/foundation/StepTransition.h"

#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/FocusRing.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>

namespace corvel {

namespace {
constexpr qreal entryOffset = 12;
} // namespace

StepTransition::StepTransition(const AccessibilityPreferences* preferences, QWidget* parent)
    : QWidget(parent), m_preferences(preferences) {
    m_animation.setDuration(durationMs);
    m_animation.setEasingCurve(curve());
    m_animation.setStartValue(0.0);
    m_animation.setEndValue(1.0);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_progress = value.toReal();
        if (m_content)
            if (auto* effect = qobject_cast<QGraphicsOpacityEffect*>(m_content->graphicsEffect()))
                effect->setOpacity(m_progress);
        place();
        update();
    });
    connect(&m_animation, &QVariantAnimation::finished, this, &StepTransition::finish);
}

void StepTransition::setContent(QWidget* content) {
    m_animation.stop();
    const bool animate =
        m_content && isVisible() && !(m_preferences && m_preferences->reduceMotion());
    m_leaving = animate ? m_content->grab() : QPixmap();
    // A step left by keyboard hands the focus to the next step's first control, not (as Qt
    // would) to whatever follows in the window.
    const bool keyboard = m_content && hideWithoutPassingFocus(m_content);
    delete m_content;
    m_content = content;
    if (!content) {
        finish();
        return;
    }
    content->setParent(this);
    if (animate) {
        auto* effect = new QGraphicsOpacityEffect(content);
        effect->setOpacity(0);
        content->setGraphicsEffect(effect);
        m_progress = 0;
    } else {
        m_progress = 1;
    }
    place();
    content->show();
    if (keyboard)
        focusFirstControl(content);
    updateGeometry();
    if (animate)
        m_animation.start();
    else
        finish();
}

void StepTransition::finish() {
    m_progress = 1;
    m_leaving = QPixmap();
    if (m_content)
        m_content->setGraphicsEffect(nullptr);
    place();
    update();
}

void StepTransition::place() {
    if (m_content)
        m_content->setGeometry(rect().translated(0, qRound(entryOffset * (1 - m_progress))));
}

void StepTransition::resizeEvent(QResizeEvent*) {
    place();
}

void StepTransition::paintEvent(QPaintEvent*) {
    if (m_leaving.isNull())
        return;
    QPainter painter(this);
    painter.setOpacity(1 - m_progress);
    painter.drawPixmap(0, 0, m_leaving);
}

QSize StepTransition::sizeHint() const {
    return m_content ? m_content->sizeHint() : QSize();
}

QSize StepTransition::minimumSizeHint() const {
    return m_content ? m_content->minimumSizeHint() : QSize();
}

bool StepTransition::hasHeightForWidth() const {
    return m_content && m_content->hasHeightForWidth();
}

int StepTransition::heightForWidth(int width) const {
    return m_content ? m_content->heightForWidth(width) : -1;
}

} // namespace corvel
