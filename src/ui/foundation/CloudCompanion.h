#pragma once

#include "platform/UptimeClock.h"
#include "ui/foundation/CloudCompanionFrame.h"

#include <QAbstractButton>
#include <QPointer>

namespace corvel {

class AccessibilityPreferences;
class RedrawSchedule;

// The pixel-art cloud mascot, `size` wide and 0.75 x `size` high. While it may animate (the caller
// allows it, it is shown, Reduce Motion is off and the application is active) it bobs, breathes,
// blinks, follows the pointer with its eyes and greets when clicked or when `reactionID` changes,
// redrawn at most 30 times a second. Otherwise it is the still frame of its mood, takes no mouse
// hits (when it cannot animate at all) and runs nothing.
class CloudCompanion final : public QAbstractButton {
    Q_OBJECT

public:
    CloudCompanion(qreal size, CloudMood mood, bool animated = true, int reactionID = 0,
                   const AccessibilityPreferences* preferences = nullptr,
                   UptimeClock& clock = systemUptimeClock(), QWidget* parent = nullptr);

    CloudMood mood() const { return m_mood; }
    void setMood(CloudMood mood);
    bool isAnimated() const { return m_animated; }
    void setAnimated(bool animated);
    int reactionID() const { return m_reactionID; }
    // Any change greets.
    void setReactionID(int reactionID);

    bool canAnimate() const;
    bool isRedrawing() const;
    // The picture for the clock's current time.
    CloudCompanionFrame frame() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool reduceMotion() const;
    void startGreeting();
    void samplePointer(const QPointF& position);
    void clearReaction();
    void refresh();

    qreal m_size;
    CloudMood m_mood;
    bool m_animated;
    int m_reactionID;
    QPointer<const AccessibilityPreferences> m_preferences;
    UptimeClock& m_clock;
    RedrawSchedule* m_schedule;

    bool m_visible = false;
    QPointF m_pointer;
    bool m_hovering = false;
    double m_lastHoverUpdate = 0;
    std::optional<double> m_greetingStarted;
    double m_appearedAt;
};

} // namespace corvel
