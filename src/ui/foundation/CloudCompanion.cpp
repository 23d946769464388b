#include "ui/foundation/CloudCompanion.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/CloudCompanionPainter.h"
#include "ui/foundation/FocusRing.h"
#include "ui/foundation/RedrawSchedule.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

constexpr double redrawInterval = 1.0 / 30;
constexpr double pointerSampleInterval = 1.0 / 30;

bool sceneActive() {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

} // namespace

CloudCompanion::CloudCompanion(qreal size, CloudMood mood, bool animated, int reactionID,
                               const AccessibilityPreferences* preferences, UptimeClock& clock,
                               QWidget* parent)
    : QAbstractButton(parent), m_size(size), m_mood(mood), m_animated(animated),
      m_reactionID(reactionID), m_preferences(preferences), m_clock(clock),
      m_schedule(new RedrawSchedule(
          clock, redrawInterval, [this] { update(); }, this)),
      m_appearedAt(clock.now()) {
    setFixedSize(sizeHint());
    setMouseTracking(true);
    (new FocusRing(this))->setOutline({}, 6);
    setAccessibleName(QStringLiteral("Say hello to your cloud guide"));
    setAccessibleDescription(
        QStringLiteral("Your cloud guide welcomes you with a small animation."));
    connect(this, &QAbstractButton::clicked, this, &CloudCompanion::startGreeting);
    if (preferences)
        connect(preferences, &AccessibilityPreferences::reduceMotionChanged, this,
                [this] { refresh(); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this] { refresh(); });
    refresh();
}

void CloudCompanion::setMood(CloudMood mood) {
    if (m_mood == mood)
        return;
    m_mood = mood;
    update();
}

void CloudCompanion::setAnimated(bool animated) {
    if (m_animated == animated)
        return;
    m_animated = animated;
    refresh();
}

void CloudCompanion::setReactionID(int reactionID) {
    if (m_reactionID == reactionID)
        return;
    m_reactionID = reactionID;
    startGreeting();
}

bool CloudCompanion::reduceMotion() const {
    return m_preferences && m_preferences->reduceMotion();
}

bool CloudCompanion::canAnimate() const {
    return m_animated && m_visible && !reduceMotion() && sceneActive();
}

bool CloudCompanion::isRedrawing() const {
    return m_schedule->isRunning();
}

CloudCompanionFrame CloudCompanion::frame() const {
    CloudCompanionFrame result;
    result.mood = m_mood;
    if (!canAnimate())
        return result;
    const double now = m_clock.now();
    result.time = now - m_appearedAt;
    if (m_greetingStarted)
        result.greetingElapsed = now - *m_greetingStarted;
    result.pointer = m_pointer;
    result.hovering = m_hovering;
    return result;
}

QSize CloudCompanion::sizeHint() const {
    return QSize(int(std::ceil(m_size)), int(std::ceil(0.75 * m_size)));
}

void CloudCompanion::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    CloudCompanionPainter::paint(painter, m_size, frame());
}

void CloudCompanion::showEvent(QShowEvent* event) {
    QAbstractButton::showEvent(event);
    m_appearedAt = m_clock.now();
    m_visible = true;
    refresh();
}

void CloudCompanion::hideEvent(QHideEvent* event) {
    QAbstractButton::hideEvent(event);
    m_visible = false;
    refresh();
}

void CloudCompanion::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    samplePointer(event->position());
}

void CloudCompanion::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    m_hovering = false;
    m_pointer = QPointF();
}

void CloudCompanion::mouseMoveEvent(QMouseEvent* event) {
    QAbstractButton::mouseMoveEvent(event);
    if (QRectF(rect()).contains(event->position()))
        samplePointer(event->position());
}

void CloudCompanion::startGreeting() {
    if (canAnimate())
        m_greetingStarted = m_clock.now();
}

void CloudCompanion::samplePointer(const QPointF& position) {
    if (!canAnimate())
        return;
    const double now = m_clock.now();
    if (now - m_lastHoverUpdate < pointerSampleInterval)
        return;
    m_lastHoverUpdate = now;
    m_hovering = true;
    const qreal w = m_size > 1 ? m_size : 1;
    const qreal h = 0.75 * m_size > 1 ? 0.75 * m_size : 1;
    m_pointer = QPointF(std::clamp((position.x() / w - 0.5) * 2, -1.0, 1.0),
                        std::clamp((position.y() / h - 0.5) * 2, -1.0, 1.0));
}

void CloudCompanion::clearReaction() {
    m_greetingStarted.reset();
    m_pointer = QPointF();
    m_hovering = false;
}

// Called whenever an input of canAnimate changes: a companion that cannot animate forgets its
// greeting and pointer, stops redrawing and shows its still frame.
void CloudCompanion::refresh() {
    const bool interactive = m_animated && !reduceMotion();
    setAttribute(Qt::WA_TransparentForMouseEvents, !interactive);
    // A button only while it greets: the keyboard reaches it as the pointer does.
    setFocusPolicy(interactive ? Qt::TabFocus : Qt::NoFocus);
    hideFromAccessibility(this, !interactive);
    const bool animating = canAnimate();
    if (!animating)
        clearReaction();
    m_schedule->setRunning(animating);
    update();
}

} // namespace corvel
