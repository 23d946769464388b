#pragma once

#include <QObject>
#include <QPointer>
#include <QVariantAnimation>

class QAbstractButton;
class QColor;
class QPainter;
class QPoint;
class QRectF;

namespace corvel {

class AccessibilityPreferences;

// Press feedback for a plain button: the button dims to 0.82 while pressed and, unless Reduce
// Motion is on, shrinks to 0.985 about its centre; the change eases out over 0.12 s, or is
// immediate with Reduce Motion. The button calls apply() before painting itself.
class PressButtonStyle final : public QObject {
    Q_OBJECT

public:
    PressButtonStyle(QAbstractButton* button, const AccessibilityPreferences* preferences);

    qreal opacity() const;
    qreal scale() const;
    // Sets the painter's opacity and scales it about `rect`'s centre.
    void apply(QPainter& painter, const QRectF& rect) const;
    // The start of a rounded button's paint: dimmed to `disabledOpacity` when disabled, the press
    // feedback, then the button's rect filled with `fill`.
    void paintRoundedFill(QPainter& painter, qreal disabledOpacity, qreal radius,
                          const QColor& fill) const;
    // Whether `pos` lies in the button's rect with corners of `radius`.
    bool roundedContains(const QPoint& pos, qreal radius) const;

private:
    void pressChanged(bool pressed);
    bool reduceMotion() const;

    QAbstractButton* m_button;
    QPointer<const AccessibilityPreferences> m_preferences;
    QVariantAnimation m_animation;
    qreal m_progress = 0.0;
};

} // namespace corvel
