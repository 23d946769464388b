#pragma once

#include <QObject>
#include <QPointer>

class QPainter;
class QRectF;
class QWidget;

namespace corvel {

// The kit's one keyboard-focus indication: a two-tone ring (ink outside, white inside, so it
// shows on light surfaces and on dark fills alike) along a control's outline. It is drawn while
// the control holds focus that the keyboard gave it, never after a click gave it.
//
// It also returns the focus to a control that lost it by being disabled (Qt would hand it to a
// neighbour, which the next key press would then trigger; the kit's controls refuse that in their
// focusNextPrevChild) once the control is enabled again and nothing else took the focus.
class FocusRing final : public QObject {
    Q_OBJECT

public:
    // Watches `focused` (the widget that takes the focus) and repaints `painted` (the control
    // that draws the ring; `focused` when absent).
    explicit FocusRing(QWidget* focused, QWidget* painted = nullptr);

    bool visible() const;
    // Draws the ring inside `outline`, whose corners have `radius`, when it is visible.
    void paint(QPainter& painter, const QRectF& outline, qreal radius) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_focused;
    QPointer<QWidget> m_painted;
    bool m_fromKeyboard = false;
    bool m_lostByDisabling = false;
};

// Hides `widget`. When the focus is inside it, the focus is cleared rather than passed on, as Qt
// would pass it, to the next control as if by Tab (a navigation tab that would then show a ring
// after a shortcut swapped the page).
void hideWithoutPassingFocus(QWidget* widget);

} // namespace corvel
