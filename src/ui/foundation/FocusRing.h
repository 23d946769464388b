#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>

#include <functional>

class QKeyEvent;
class QWidget;

namespace corvel {

class FocusRingOverlay;

// The kit's one keyboard-focus indication: a two-tone ring (white next to the control, ink
// outside it, so it shows on light surfaces and beside dark fills alike) around a control's
// outline. It is drawn while the control holds focus that the Tab key gave it, never after a
// click gave it. Focus that Qt passes on from a control that hides (a card that goes once its
// button did its work) is drawn only when the hidden control's was, and then the page scrolls
// the control into view.
//
// A button that shows the ring is pressed by Return and Enter as by Space, before a window-wide
// shortcut for those keys (a default action) takes them; one that shows none (a click elsewhere
// ended the ring while it kept the focus) is pressed by no key. Anywhere in the application, a
// held Return, Enter or Space presses once: its repeats reach no shortcut, button, dialog or
// line edit, only the text fields they type into (Return a multi-line one, Space any).
//
// The ring lies outside the outline and is painted by a small overlay over the window, so it
// takes no layout room: the control's size and every gap around it are those of its layout.
//
// It also returns the focus to a control that lost it by being disabled (Qt would hand it to a
// neighbour, which the next key press would then trigger; the kit's controls refuse that in their
// focusNextPrevChild) once the control is enabled again and nothing else took the focus.
class FocusRing final : public QObject {
    Q_OBJECT

public:
    // How far the ring reaches outside the outline.
    static constexpr qreal reach = 3.5;

    // Watches `focused` (the widget that takes the focus) and rings `painted` (the control whose
    // outline it follows; `focused` when absent).
    explicit FocusRing(QWidget* focused, QWidget* painted = nullptr);
    ~FocusRing() override;

    // The outline, in the painted control's coordinates, and its corner radius; by default the
    // control's rectangle with a radius of 5.
    void setOutline(std::function<QRectF()> outline, qreal radius);

    bool visible() const;
    // The ring's outer edge in the window's coordinates while it shows, else empty.
    QRectF ringRect() const;
    // The ring of `widget` (the focused widget it watches), if the kit gave it one.
    static FocusRing* of(const QWidget* widget);
    // Whether `widget` shows its keyboard ring now (it holds focus the Tab key gave it).
    static bool shownOn(const QWidget* widget);
    // Counts the focus as not given by the keyboard any more, as a mouse press anywhere does: the
    // ring hides until the next Tab, and a screen that replaces this one focuses nothing.
    void endKeyboardFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The outline in the window's coordinates; needs the painted control.
    QRectF outlineInWindow() const;
    void place();
    void watchAncestors(bool watch);

    QWidget* m_focused;
    QPointer<QWidget> m_painted;
    std::function<QRectF()> m_outline;
    qreal m_radius = 5;
    QPointer<FocusRingOverlay> m_overlay;
    QList<QPointer<QWidget>> m_watched;
    bool m_fromKeyboard = false;
    bool m_lostByDisabling = false;
};

// Gives `widget` the focus as the Tab key would, ring included.
void focusByKeyboard(QWidget* widget);

// Hides `widget`. When the focus is inside it, the focus is cleared rather than passed on, as Qt
// would pass it, to the next control as if by Tab (a navigation tab after a shortcut swapped the
// page). Returns whether that focus showed the keyboard ring, so the caller can give the focus
// to a control of what replaces `widget` (see focusFirstControl).
bool hideWithoutPassingFocus(QWidget* widget);

// Puts everything inside `moved` after everything inside `before` in the Tab order, keeping its
// own order: Qt orders by creation, so a part rebuilt later (a step's content) would otherwise
// come after neighbours it stands before on screen.
void orderFocusAfter(QWidget* before, QWidget* moved);

// Whether `key` is Return or Enter with no modifier but the keypad's: what presses a focused
// button besides Space, and makes a new line in a multi-line field.
bool isPlainReturn(const QKeyEvent* key);

// Gives the focus, as the Tab key would, to the first control under `widget` that Tab reaches
// (`widget` itself when it takes it). Returns false when there is none.
bool focusFirstControl(QWidget* widget);

} // namespace corvel
