#include "ui/foundation/ActivitySpinner.h"

#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/Palette.h"

#include <QPainter>

namespace corvel {

namespace {
constexpr int spokes = 8;
constexpr int stepMs = 100;
} // namespace

ActivitySpinner::ActivitySpinner(const AccessibilityPreferences* preferences, int side,
                                 QWidget* parent)
    : QWidget(parent), m_preferences(preferences), m_side(side), m_color(Palette::secondary()) {
    setFixedSize(side, side);
    setAccessibleName(QStringLiteral("In progress"));
    m_timer.setInterval(stepMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % spokes;
        update();
    });
    if (preferences)
        connect(preferences, &AccessibilityPreferences::reduceMotionChanged, this,
                &ActivitySpinner::updateTimer);
}

void ActivitySpinner::setColor(const QColor& color) {
    m_color = color;
    update();
}

void ActivitySpinner::updateTimer() {
    const bool still = m_preferences && m_preferences->reduceMotion();
    if (isVisible() && !still)
        m_timer.start();
    else
        m_timer.stop();
    update();
}

void ActivitySpinner::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateTimer();
}

void ActivitySpinner::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_timer.stop();
}

void ActivitySpinner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal outer = side / 2;
    const qreal inner = outer * 0.45;
    for (int i = 0; i < spokes; ++i) {
        // The leading spoke is darkest; the ones behind it fade.
        const int age = (m_step - i + spokes) % spokes;
        painter.setPen(QPen(Palette::withOpacity(m_color, 1.0 - age * 0.1), qMax(1.5, side / 9),
                            Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -inner), QPointF(0, -outer + 1));
        painter.rotate(360.0 / spokes);
    }
}

} // namespace corvel
