#pragma once

#include "platform/UptimeClock.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace corvel {

class RedrawSchedule;

// The pixel speech bubble over each cloud of the conversation picture, 52 x 36: opaque with three
// hopping dots for the speaker, faded and still for the listener; redrawn at most 12 times a
// second, and only while its dots can move.
class ConversationSpeechBubble final : public QWidget {
    Q_OBJECT

public:
    ConversationSpeechBubble(const QColor& color, bool left, UptimeClock& clock,
                             QWidget* parent = nullptr);

    bool isSpeaking() const { return m_speaking; }
    void setSpeaking(bool speaking);
    bool isAnimated() const { return m_animated; }
    void setAnimated(bool animated);
    bool isRedrawing() const;

    // Draws a bubble at the painter's origin for `time` in seconds.
    static void draw(QPainter& painter, const QColor& color, bool speaking, bool left,
                     bool animated, double time);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    QColor m_color;
    bool m_left;
    bool m_speaking = false;
    bool m_animated = false;
    UptimeClock& m_clock;
    RedrawSchedule* m_schedule;
};

} // namespace corvel
