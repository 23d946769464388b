#include "ui/foundation/CloudConversationIllustration.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/CloudCompanionPainter.h"
#include "ui/foundation/ConversationSpeechBubble.h"
#include "ui/foundation/Palette.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace corvel {

namespace {

constexpr qreal cloudSize = 124;

// Two columns 124 wide between 16-point paddings: a 52 x 36 bubble centred over a 124 x 93
// companion, 3 points apart.
QRect bubbleRect(bool left) {
    return QRect(left ? 36 : 160, 16, 52, 36);
}

QRect cloudRect(bool left) {
    return QRect(left ? 0 : 124, 55, 124, 93);
}

const QColor& accent(bool left) {
    return left ? Palette::pink() : Palette::cyan();
}

CloudMood moodOf(bool speaking) {
    return speaking ? CloudMood::listening : CloudMood::welcome;
}

void paintCard(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(0, 0, 248, 164), 6, 6);
    painter.fillPath(card, Palette::skyLight());
    painter.restore();
}

} // namespace

CloudConversationIllustration::CloudConversationIllustration(
    bool animated, bool paused, const AccessibilityPreferences* preferences, UptimeClock& clock,
    QWidget* parent)
    : QWidget(parent), m_animated(animated), m_paused(paused), m_preferences(preferences),
      m_clock(clock) {
    setFixedSize(248, 164);
    hideFromAccessibility(this);
    m_leftBubble = new ConversationSpeechBubble(accent(true), true, clock, this);
    m_rightBubble = new ConversationSpeechBubble(accent(false), false, clock, this);
    m_leftCloud = new CloudCompanion(cloudSize, moodOf(true), false, 0, preferences, clock, this);
    m_rightCloud = new CloudCompanion(cloudSize, moodOf(false), false, 0, preferences, clock, this);
    for (bool left : {true, false}) {
        bubble(left)->setGeometry(bubbleRect(left));
        companion(left)->setGeometry(cloudRect(left));
    }
    if (preferences)
        connect(preferences, &AccessibilityPreferences::reduceMotionChanged, this,
                [this] { refresh(); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this] { refresh(); });
    refresh();
}

CloudConversationIllustration::~CloudConversationIllustration() {
    if (m_turns)
        m_turns->cancel();
}

void CloudConversationIllustration::setAnimated(bool animated) {
    if (m_animated == animated)
        return;
    m_animated = animated;
    refresh();
}

void CloudConversationIllustration::setPaused(bool paused) {
    if (m_paused == paused)
        return;
    m_paused = paused;
    refresh();
}

bool CloudConversationIllustration::canAnimate() const {
    return m_animated && !m_paused && !(m_preferences && m_preferences->reduceMotion()) &&
           m_visible && QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void CloudConversationIllustration::paint(QPainter& painter, bool leftSpeaking, bool animated,
                                          double time) {
    paintCard(painter);
    for (bool left : {true, false}) {
        const bool speaking = left == leftSpeaking;
        painter.save();
        painter.translate(bubbleRect(left).topLeft());
        ConversationSpeechBubble::draw(painter, accent(left), speaking, left, animated, time);
        painter.restore();
        painter.save();
        painter.translate(cloudRect(left).topLeft());
        CloudCompanionFrame frame;
        frame.mood = moodOf(speaking);
        frame.time = animated ? time : 0;
        CloudCompanionPainter::paint(painter, cloudSize, frame);
        painter.restore();
    }
}

void CloudConversationIllustration::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCard(painter);
}

void CloudConversationIllustration::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_visible = true;
    refresh();
}

void CloudConversationIllustration::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_visible = false;
    refresh();
}

void CloudConversationIllustration::showSpeaker() {
    for (bool left : {true, false}) {
        const bool speaking = left == m_leftSpeaking;
        bubble(left)->setSpeaking(speaking);
        companion(left)->setMood(moodOf(speaking));
    }
}

// Each change of canAnimate ends the running turn-taking and starts afresh, so a picture shown
// again waits a full turn before the speaker changes; the speaker itself is kept.
void CloudConversationIllustration::refresh() {
    const bool animating = canAnimate();
    for (bool left : {true, false}) {
        bubble(left)->setAnimated(animating);
        companion(left)->setAnimated(animating);
    }
    showSpeaker();
    if (animating == isTakingTurns())
        return;
    if (m_turns) {
        m_turns->cancel();
        m_turns.reset();
    }
    if (animating) {
        m_turns.emplace();
        takeTurns(m_turns->token());
    }
}

QCoro::Task<> CloudConversationIllustration::takeTurns(CancelToken token) {
    QPointer<CloudConversationIllustration> self(this);
    try {
        while (true) {
            co_await m_clock.sleep(turnSeconds, token);
            if (!self)
                co_return;
            m_leftSpeaking = !m_leftSpeaking;
            showSpeaker();
        }
    } catch (const CancellationError&) {
    }
}

} // namespace corvel
