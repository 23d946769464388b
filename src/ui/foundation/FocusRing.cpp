#include "ui/foundation/FocusRing.h"

#include "ui/foundation/AccessibilityMarks.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/ScrollArea.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <utility>

namespace corvel {

// Draws one ring over the window, above the controls, and lets every click through.
class FocusRingOverlay final : public QWidget {
public:
    explicit FocusRingOverlay(QWidget* window) : QWidget(window) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hideFromAccessibility(this);
    }
    // `ring` is the ring's outer edge in this widget's coordinates.
    void setRing(const QRectF& ring, qreal radius) {
        if (ring == m_ring && radius == m_radius)
            return;
        m_ring = ring;
        m_radius = radius;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        const qreal ink = 2;
        const qreal white = FocusRing::reach - ink;
        const qreal outer = m_radius + FocusRing::reach;
        painter.setPen(QPen(Palette::ink(), ink));
        painter.drawRoundedRect(m_ring.adjusted(ink / 2, ink / 2, -ink / 2, -ink / 2),
                                outer - ink / 2, outer - ink / 2);
        const qreal inset = ink + white / 2;
        painter.setPen(QPen(Qt::white, white));
        painter.drawRoundedRect(m_ring.adjusted(inset, inset, -inset, -inset), outer - inset,
                                outer - inset);
    }

private:
    QRectF m_ring;
    qreal m_radius = 0;
};

namespace {

bool isReturnKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Whether `key`, typed into `widget`, is text there: Return in a multi-line field, Space in any
// field; held, it types again and again.
bool typesInto(const QKeyEvent* key, const QWidget* widget) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (const auto* edit = qobject_cast<const QTextEdit*>(widget))
        return !edit->isReadOnly();
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(widget))
        return !edit->isReadOnly();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return !edit->isReadOnly() && key->key() == Qt::Key_Space;
    return false;
}

// The kit's watch over the whole application's keyboard. Qt also moves the focus "as by Tab" when
// it hides the focused widget: a Tab focus reason is the keyboard's only while a Tab key press is
// handled, and focus passed on by hiding or disabling shows the ring only when the focus it came
// from showed one. A held Return, Enter or Space presses once.
class KeyboardWatch final : public QObject {
public:
    // One per application object, which owns it.
    static KeyboardWatch& instance() {
        static QPointer<KeyboardWatch> watch;
        if (!watch) {
            watch = new KeyboardWatch;
            qApp->installEventFilter(watch);
        }
        return *watch;
    }
    bool pressed() const { return m_pressed; }
    // Whether `window` was last activated holding no focus: Qt then gives the focus to its first
    // control, where nothing shows it.
    bool activatedEmpty(const QWidget* window) const { return m_activatedEmpty == window; }
    void setPassedFromRing(bool ring) { m_passedFromRing = ring; }
    // Whether the focus Qt passes on now comes from a control that showed the ring; asked once.
    bool takePassedFromRing() { return std::exchange(m_passedFromRing, false); }
    // Marks the next focus change of this turn of the event loop as the keyboard's.
    void markPressed() {
        if (m_pressed)
            return;
        m_pressed = true;
        QTimer::singleShot(0, this, [this] { m_pressed = false; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Taken here, a repeat reaches no shortcut; its key press then ends below.
            if (isHeldPress(event)) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            if (isHeldPress(event))
                return true;
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
                markPressed();
            else
                m_pressed = false;
            break;
        }
        case QEvent::KeyRelease:
            m_pressed = false;
            m_released = {static_cast<QKeyEvent*>(event)->key(),
                          static_cast<QKeyEvent*>(event)->timestamp()};
            break;
        case QEvent::MouseButtonPress:
            // A click ends keyboard use even where it moves no focus (a tab, the focused button
            // itself), so that the screen it opens rings nothing.
            m_pressed = false;
            if (FocusRing* ring = FocusRing::of(QApplication::focusWidget()))
                ring->endKeyboardFocus();
            break;
        case QEvent::FocusOut:
            // A ring's own filter, which runs next, tells whether this focus showed one. The
            // copy of a widget's focus-out that the style gets afterwards moved no focus.
            if (watched->isWidgetType())
                m_passedFromRing = false;
            break;
        case QEvent::WindowActivate:
            if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow())
                m_activatedEmpty = window->focusWidget() ? nullptr : window;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    KeyboardWatch() : QObject(qApp) {}

    // A held Return, Enter or Space comes again and again as a repeated key press, which a
    // shortcut, a dialog's default button, a line edit or a button would each take as a new
    // press, also once a new screen has replaced the one it was meant for. Only text fields want
    // the repeats, as new lines or spaces. X repeats a key as a release and a press at the same
    // instant, and Qt does not always mark the pair as a repeat: a press at the very instant the
    // same key was released is one too.
    bool isHeldPress(const QEvent* event) const {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (!isReturnKey(key) && key->key() != Qt::Key_Space)
            return false;
        const bool repeated =
            key->isAutoRepeat() || (key->timestamp() != 0 && key->key() == m_released.key &&
                                    key->timestamp() == m_released.timestamp);
        return repeated && !typesInto(key, QApplication::focusWidget());
    }

    bool m_pressed = false;
    // The last key released and when.
    struct {
        int key = 0;
        quint64 timestamp = 0;
    } m_released;
    bool m_passedFromRing = false;
    QPointer<QWidget> m_activatedEmpty;
};

// The part of the window a scroll area shows its content in: its viewport, and sideways the
// whole window when it does not scroll sideways.
std::optional<QRect> scrollView(const QWidget* widget, const QWidget* window) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
    if (!area || area->viewport() != widget)
        return std::nullopt;
    QRect view(widget->mapTo(window, QPoint()), widget->size());
    if (area->horizontalScrollBar()->maximum() == 0) {
        view.setLeft(0);
        view.setRight(window->width() - 1);
    }
    return view;
}

// The room Qt leaves around a control that Tab scrolls to.
constexpr int revealMargin = 50;

// Brings `control` into view in each page around it once the layout has placed it.
void revealInPages(QWidget* control) {
    for (QWidget* ancestor = control->parentWidget(); ancestor;
         ancestor = ancestor->parentWidget()) {
        if (auto* page = qobject_cast<QScrollArea*>(ancestor))
            revealOnNextTurn(page, control, revealMargin);
    }
}

// The same for a control that each page around it holds wholly out of view; one partly in view
// leaves the page where it is.
void revealIfOutOfView(QWidget* control) {
    QTimer::singleShot(0, control, [control] {
        for (QWidget* ancestor = control->parentWidget(); ancestor;
             ancestor = ancestor->parentWidget()) {
            auto* page = qobject_cast<QScrollArea*>(ancestor);
            if (!page)
                continue;
            const QRect shown(control->mapTo(page->viewport(), QPoint()), control->size());
            if (!page->viewport()->rect().intersects(shown))
                page->ensureWidgetVisible(control, 0, revealMargin);
        }
    });
}

bool takesTabFocus(const QWidget* widget, const QWidget* window) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy() &&
           widget->isEnabled() && widget->isVisibleTo(window);
}

} // namespace

FocusRing::FocusRing(QWidget* focused, QWidget* painted)
    : QObject(focused), m_focused(focused), m_painted(painted ? painted : focused) {
    KeyboardWatch::instance();
    focused->installEventFilter(this);
}

FocusRing::~FocusRing() {
    delete m_overlay;
}

void FocusRing::setOutline(std::function<QRectF()> outline, qreal radius) {
    m_outline = std::move(outline);
    m_radius = radius;
    place();
}

FocusRing* FocusRing::of(const QWidget* widget) {
    return widget ? widget->findChild<FocusRing*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool FocusRing::visible() const {
    // Qt marks the window once the Tab key (or a mnemonic) has moved the focus in it.
    return m_fromKeyboard && m_focused->hasFocus() &&
           m_focused->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

bool FocusRing::shownOn(const QWidget* widget) {
    const FocusRing* ring = of(widget);
    return ring && ring->visible();
}

// The ring waits for the next Tab, even in a window where the keyboard was used before.
void FocusRing::endKeyboardFocus() {
    m_fromKeyboard = false;
    m_focused->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
    place();
}

QRectF FocusRing::outlineInWindow() const {
    const QRectF outline = m_outline ? m_outline() : QRectF(m_painted->rect());
    return outline.translated(m_painted->mapTo(m_painted->window(), QPoint()));
}

QRectF FocusRing::ringRect() const {
    if (!m_overlay || m_overlay->isHidden() || !m_painted)
        return {};
    return outlineInWindow().adjusted(-reach, -reach, reach, reach);
}

// Puts the overlay over the outline. A control that shows whole shows its whole ring, even on
// the edge of a page; one partly scrolled out of view has its ring cut where the page cuts it.
void FocusRing::place() {
    QWidget* painted = m_painted;
    if (!visible() || !painted || !painted->isVisible()) {
        if (m_overlay)
            m_overlay->hide();
        watchAncestors(false);
        return;
    }
    QWidget* window = painted->window();
    if (!m_overlay)
        m_overlay = new FocusRingOverlay(window);
    else if (m_overlay->parentWidget() != window)
        m_overlay->setParent(window);
    watchAncestors(true);

    const QRectF outline = outlineInWindow();
    const QRectF ring = outline.adjusted(-reach, -reach, reach, reach);
    QRect area = ring.toAlignedRect() & window->rect();
    for (QWidget* ancestor = painted->parentWidget(); ancestor && ancestor != window;
         ancestor = ancestor->parentWidget()) {
        const std::optional<QRect> view = scrollView(ancestor, window);
        if (view && !QRectF(*view).contains(outline))
            area &= *view;
    }
    if (area.isEmpty()) {
        m_overlay->hide();
        return;
    }
    m_overlay->setGeometry(area);
    m_overlay->setRing(ring.translated(-area.topLeft()), m_radius);
    m_overlay->show();
    m_overlay->raise();
}

// While the ring shows, every move or resize of the control or of a widget around it (a page
// that scrolls, a layout that changes) moves the ring along.
void FocusRing::watchAncestors(bool watch) {
    if (!watch) {
        for (const QPointer<QWidget>& widget : std::as_const(m_watched)) {
            if (widget && widget != m_focused)
                widget->removeEventFilter(this);
        }
        m_watched.clear();
        return;
    }
    QList<QPointer<QWidget>> chain;
    for (QWidget* widget = m_painted; widget && !widget->isWindow();
         widget = widget->parentWidget())
        chain.append(widget);
    if (chain == m_watched)
        return;
    watchAncestors(false);
    for (const QPointer<QWidget>& widget : std::as_const(chain)) {
        if (widget != m_focused)
            widget->installEventFilter(this);
    }
    m_watched = chain;
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        if (visible() || (m_overlay && !m_overlay->isHidden()))
            place();
        return QObject::eventFilter(watched, event);
    default:
        break;
    }
    if (watched != m_focused)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            KeyboardWatch& watch = KeyboardWatch::instance();
            const bool handedOn = watch.takePassedFromRing() && !watch.pressed();
            m_fromKeyboard = watch.pressed() || handedOn;
            // Qt scrolls a page to a control only when the Tab key moved the focus within it, not
            // when it was handed on or came from outside the page (the top bar); a keyboard user
            // must still see where the focus went.
            if (handedOn && m_painted)
                revealInPages(m_painted);
            else if (m_fromKeyboard && m_painted)
                revealIfOutOfView(m_painted);
        } else if (reason == Qt::ShortcutFocusReason) {
            m_fromKeyboard = true;
        } else if (reason == Qt::MouseFocusReason) {
            endKeyboardFocus();
        } else if (reason == Qt::ActiveWindowFocusReason && !m_fromKeyboard &&
                   KeyboardWatch::instance().activatedEmpty(m_focused->window())) {
            // A window opened with nothing focused keeps nothing focused: the first Tab starts
            // at its first control, and no key presses an unmarked one.
            QTimer::singleShot(0, this, [this] {
                if (m_focused->hasFocus() && !visible())
                    m_focused->clearFocus();
            });
        }
        // Other reasons (the window activated again, a popup closed, the focus given back after
        // re-enabling) keep how the focus came.
        m_lostByDisabling = false;
        place();
        break;
    }
    case QEvent::FocusOut: {
        KeyboardWatch::instance().setPassedFromRing(
            m_fromKeyboard && m_focused->window()->testAttribute(Qt::WA_KeyboardFocusChange));
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)
            m_fromKeyboard = false;
        m_lostByDisabling = !m_focused->isEnabled();
        place();
        break;
    }
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* button = qobject_cast<QAbstractButton*>(m_focused);
        if (!button)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        // A button that shows the ring takes Return and Enter, before a window's shortcut for
        // them (a default action) does. A held key never gets here again (isHeldPress).
        if (isPlainReturn(key) && visible()) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                button->click();
            return true;
        }
        // A button still focused after a click elsewhere hid its ring would be pressed unseen
        // by a space typed for a field. Its release stays, so a press begun ringed ends.
        if (event->type() == QEvent::KeyPress && !visible() &&
            (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select))
            return true;
        break;
    }
    case QEvent::EnabledChange:
        if (m_lostByDisabling && m_focused->isEnabled() && m_focused->isVisible() &&
            !m_focused->window()->focusWidget())
            m_focused->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool isPlainReturn(const QKeyEvent* key) {
    return isReturnKey(key) && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void focusByKeyboard(QWidget* widget) {
    // Focus the window gave on activation comes again, now as the keyboard's.
    if (widget->hasFocus())
        widget->clearFocus();
    KeyboardWatch::instance().markPressed();
    widget->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    widget->setFocus(Qt::TabFocusReason);
}

bool hideWithoutPassingFocus(QWidget* widget) {
    bool keyboard = false;
    if (QWidget* focused = QApplication::focusWidget(); widget->isAncestorOf(focused)) {
        keyboard = FocusRing::shownOn(focused);
        focused->clearFocus();
    }
    widget->hide();
    return keyboard;
}

namespace {
// Whether `widget` is part of a compound control under `container` (a text area whose editor is
// its focus proxy): Qt moves a compound as one, from its outer widget.
bool insideCompound(const QWidget* widget, const QWidget* container) {
    for (const QWidget* outer = widget->parentWidget(); outer && outer != container->parentWidget();
         outer = outer->parentWidget()) {
        if (outer->focusProxy() && outer->focusPolicy() != Qt::NoFocus)
            return true;
    }
    return false;
}

// The widgets of `container` that can take the focus, in the window's Tab order (Qt reorders
// only those), compounds by their outer widget.
QList<QWidget*> chainInside(const QWidget* container) {
    QList<QWidget*> chain;
    QWidget* window = container->window();
    for (QWidget* widget = window->nextInFocusChain(); widget && widget != window;
         widget = widget->nextInFocusChain()) {
        if ((widget == container || container->isAncestorOf(widget)) &&
            widget->focusPolicy() != Qt::NoFocus && !insideCompound(widget, container))
            chain.append(widget);
    }
    return chain;
}
} // namespace

void orderFocusAfter(QWidget* before, QWidget* moved) {
    const QList<QWidget*> anchors = chainInside(before);
    if (anchors.isEmpty() || before->window() != moved->window())
        return;
    QWidget* last = anchors.last();
    for (QWidget* widget : chainInside(moved)) {
        QWidget::setTabOrder(last, widget);
        last = widget;
    }
}

bool focusFirstControl(QWidget* widget) {
    const QWidget* window = widget->window();
    QWidget* candidate = widget;
    do {
        if ((candidate == widget || widget->isAncestorOf(candidate)) &&
            takesTabFocus(candidate, window)) {
            focusByKeyboard(candidate);
            return true;
        }
        candidate = candidate->nextInFocusChain();
    } while (candidate && candidate != widget);
    return false;
}

} // namespace corvel
