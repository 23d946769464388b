#include "ui/foundation/ConversationSpeechBubble.h"

#include "ui/foundation/RedrawSchedule.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {
constexpr double redrawInterval = 1.0 / 12;
constexpr qreal listenerOpacity = 0.38;
} // namespace

ConversationSpeechBubble::ConversationSpeechBubble(const QColor& color, bool left,
                                                   UptimeClock& clock, QWidget* parent)
    : QWidget(parent), m_color(color), m_left(left), m_clock(clock),
      m_schedule(new RedrawSchedule(
          clock, redrawInterval, [this] { update(); }, this)) {
    setFixedSize(52, 36);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ConversationSpeechBubble::setSpeaking(bool speaking) {
    if (m_speaking == speaking)
        return;
    m_speaking = speaking;
    refresh();
}

void ConversationSpeechBubble::setAnimated(bool animated) {
    if (m_animated == animated)
        return;
    m_animated = animated;
    refresh();
}

bool ConversationSpeechBubble::isRedrawing() const {
    return m_schedule->isRunning();
}

// The listener's bubble looks the same on every frame, so only the speaker's is redrawn.
void ConversationSpeechBubble::refresh() {
    m_schedule->setRunning(m_animated && m_speaking);
    update();
}

void ConversationSpeechBubble::draw(QPainter& painter, const QColor& color, bool speaking,
                                    bool left, bool animated, double time) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(speaking ? 1.0 : listenerOpacity);

    QPainterPath bubble;
    bubble.setFillRule(Qt::WindingFill);
    bubble.addRect(4, 0, 44, 28);
    bubble.addRect(0, 4, 52, 20);
    const qreal tail = left ? 8 : 36;
    bubble.addRect(tail, 28, 8, 4);
    bubble.addRect(left ? tail : tail + 4, 32, 4, 4);
    QColor fill(Qt::white);
    fill.setAlphaF(0.9f);
    painter.fillPath(bubble, fill);

    const double phases[] = {0, 0.85, 1.7};
    const qreal columns[] = {14, 24, 34};
    for (int k = 0; k < 3; ++k) {
        qreal top = 12;
        if (speaking && animated)
            top -= std::round(2 * std::max(0.0, std::sin(3.2 * time - phases[k])));
        painter.fillRect(QRectF(columns[k], top, 4, 4), color);
    }
    painter.restore();
}

void ConversationSpeechBubble::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, m_color, m_speaking, m_left, m_animated, m_animated ? m_clock.now() : 0);
}

} // namespace corvel
