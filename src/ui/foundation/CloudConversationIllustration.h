#pragma once

#include "platform/Cancellation.h"
#include "platform/UptimeClock.h"

#include <QPointer>
#include <QWidget>

#include <optional>

class QPainter;

namespace corvel {

class AccessibilityPreferences;
class CloudCompanion;
class ConversationSpeechBubble;

// Two cloud companions taking turns under speech bubbles on a light-blue card, 248 x 164. While it
// may animate (allowed, not paused, shown, Reduce Motion off, application active) the other cloud
// becomes the speaker every 3 s of the uptime clock; otherwise everything holds still and the
// current speaker stays. Decorative: hidden from accessibility.
class CloudConversationIllustration final : public QWidget {
    Q_OBJECT

public:
    static constexpr double turnSeconds = 3.0;

    CloudConversationIllustration(bool animated, bool paused,
                                  const AccessibilityPreferences* preferences = nullptr,
                                  UptimeClock& clock = systemUptimeClock(),
                                  QWidget* parent = nullptr);
    ~CloudConversationIllustration() override;

    bool isAnimated() const { return m_animated; }
    void setAnimated(bool animated);
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);

    bool canAnimate() const;
    bool leftSpeaking() const { return m_leftSpeaking; }
    bool isTakingTurns() const { return m_turns.has_value(); }
    CloudCompanion* companion(bool left) const { return left ? m_leftCloud : m_rightCloud; }
    ConversationSpeechBubble* bubble(bool left) const {
        return left ? m_leftBubble : m_rightBubble;
    }

    // Draws the whole picture at the painter's origin: both bubbles at `time`, both companions
    // at `time` since they appeared.
    static void paint(QPainter& painter, bool leftSpeaking, bool animated, double time);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void refresh();
    void showSpeaker();
    QCoro::Task<> takeTurns(CancelToken token);

    bool m_animated;
    bool m_paused;
    QPointer<const AccessibilityPreferences> m_preferences;
    UptimeClock& m_clock;
    bool m_visible = false;
    bool m_leftSpeaking = true;
    std::optional<CancelSource> m_turns;
    ConversationSpeechBubble* m_leftBubble;
    ConversationSpeechBubble* m_rightBubble;
    CloudCompanion* m_leftCloud;
    CloudCompanion* m_rightCloud;
};

} // namespace corvel
