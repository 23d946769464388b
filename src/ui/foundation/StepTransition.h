#pragma once

#include <QPixmap>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

namespace corvel {

class AccessibilityPreferences;

// Holds one content widget and replaces it on each step change. The new content enters by
// moving up from 12 px below while fading in, and the old one fades out, over 0.28 s; with
// Reduce Motion on the new content simply replaces the old.
class StepTransition final : public QWidget {
    Q_OBJECT

public:
    explicit StepTransition(const AccessibilityPreferences* preferences = nullptr,
                            QWidget* parent = nullptr);

    // What else changes with the step cross-fades with the same timing.
    static constexpr int durationMs = 280;
    static QEasingCurve curve() { return QEasingCurve::InOutQuad; }

    // Takes ownership of `content` and deletes the previous content.
    void setContent(QWidget* content);
    QWidget* content() const { return m_content; }
    bool isAnimating() const { return m_animation.state() == QAbstractAnimation::Running; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();
    void finish();

    QPointer<const AccessibilityPreferences> m_preferences;
    QWidget* m_content = nullptr;
    QPixmap m_leaving;
    QVariantAnimation m_animation;
    qreal m_progress = 1;
};

} // namespace corvel
