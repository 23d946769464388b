#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace corvel::test {

// How the window system hands over a held key's repeats: marked as repeats, or, as X sometimes
// does through Qt, as an unmarked release and press at the same instant.
enum class Repeats { marked, unmarked };

// Holds `key` down as the window system delivers it: a press, then `repeats` repeated presses
// about 30 ms apart (each after a release), then the release. Each event goes to whatever has
// the focus then (else to `widget`'s window), through the shortcuts first, so a press that
// changes the screen sends the next repeats to the new one.
inline void holdKey(QWidget* widget, Qt::Key key, int repeats = 40,
                    Qt::KeyboardModifiers modifiers = {}, Repeats as = Repeats::marked) {
    static quint64 time = 1;
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Space)
        text = QStringLiteral(" ");
    const auto send = [&](QEvent::Type type, bool repeat) {
        QWidget* target =
            QApplication::focusWidget() ? QApplication::focusWidget() : widget->window();
        const bool marked = repeat && as == Repeats::marked;
        if (type == QEvent::KeyPress &&
            qt_sendShortcutOverrideEvent(target, time, key, modifiers, text, marked)) {
            QCoreApplication::processEvents();
            return;
        }
        QKeyEvent event(type, key, modifiers, text, marked);
        event.setTimestamp(time);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::sendEvent(target, &event);
        QCoreApplication::processEvents();
    };
    time += 1000;
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        QTest::qWait(30);
        time += 30;
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    time += 30;
    send(QEvent::KeyRelease, false);
}

} // namespace corvel::test
