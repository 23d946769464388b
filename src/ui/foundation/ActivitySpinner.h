#pragma once

#include <QColor>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace corvel {

class AccessibilityPreferences;

// The small indeterminate progress indicator: eight spokes whose brightness turns while the
// spinner is visible. With Reduce Motion on it stands still; hidden, it holds no running timer.
class ActivitySpinner final : public QWidget {
    Q_OBJECT

public:
    explicit ActivitySpinner(const AccessibilityPreferences* preferences = nullptr, int side = 16,
                             QWidget* parent = nullptr);

    bool isTurning() const { return m_timer.isActive(); }
    void setColor(const QColor& color);

    QSize sizeHint() const override { return {m_side, m_side}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateTimer();

    QPointer<const AccessibilityPreferences> m_preferences;
    int m_side;
    QColor m_color;
    QTimer m_timer;
    int m_step = 0;
};

} // namespace corvel
