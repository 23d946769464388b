#include "ui/foundation/FocusRing.h"

#include "ui/foundation/Palette.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>
#include <QWidget>

namespace corvel {

FocusRing::FocusRing(QWidget* focused, QWidget* painted)
    : QObject(focused), m_focused(focused), m_painted(painted ? painted : focused) {
    focused->installEventFilter(this);
}

bool FocusRing::visible() const {
    // Qt marks the window once the Tab key (or a mnemonic) has moved the focus in it.
    return m_fromKeyboard && m_focused->hasFocus() &&
           m_focused->window()->testAttribute(Qt::WA_KeyboardFocusChange);
}

void FocusRing::paint(QPainter& painter, const QRectF& outline, qreal radius) const {
    if (!visible())
        return;
    painter.save();
    painter.setOpacity(1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::ink(), 2));
    painter.drawRoundedRect(outline.adjusted(1, 1, -1, -1), radius, radius);
    painter.setPen(QPen(Qt::white, 1.5));
    const qreal inner = qMax<qreal>(radius - 2, 0);
    painter.drawRoundedRect(outline.adjusted(2.75, 2.75, -2.75, -2.75), inner, inner);
    painter.restore();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
            reason == Qt::ShortcutFocusReason) {
            m_fromKeyboard = true;
        } else if (reason == Qt::MouseFocusReason) {
            // A click starts over: the ring waits for the next Tab, even in a window where the
            // keyboard was used before.
            m_fromKeyboard = false;
            m_focused->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
        }
        // Other reasons (the window activated again, a popup closed, the focus given back after
        // re-enabling) keep how the focus came.
        m_lostByDisabling = false;
        break;
    }
    case QEvent::FocusOut:
        m_lostByDisabling = !m_focused->isEnabled();
        break;
    case QEvent::EnabledChange:
        if (m_lostByDisabling && m_focused->isEnabled() && m_focused->isVisible() &&
            !m_focused->window()->focusWidget())
            m_focused->setFocus(Qt::OtherFocusReason);
        break;
    default:
        return QObject::eventFilter(watched, event);
    }
    if (m_painted)
        m_painted->update();
    return QObject::eventFilter(watched, event);
}

void hideWithoutPassingFocus(QWidget* widget) {
    if (QWidget* focused = QApplication::focusWidget(); widget->isAncestorOf(focused))
        focused->clearFocus();
    widget->hide();
}

} // namespace corvel
