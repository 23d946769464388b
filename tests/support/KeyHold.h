#pragma once

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace corvel::test {

// Holds `key` down over `widget`'s window as the window system delivers it: a press, then
// `repeats` repeated presses about 30 ms apart (each after a release, both marked as repeats),
// then the release. Each event goes to whatever has the focus then, so a press that changes the
// screen sends the next repeats to the new one.
inline void holdKey(QWidget* widget, Qt::Key key, int repeats = 40,
                    Qt::KeyboardModifiers modifiers = {}) {
    QWindow* window = widget->window()->windowHandle();
    const QString text =
        key == Qt::Key_Return || key == Qt::Key_Enter ? QStringLiteral("\r") : QString();
    const auto send = [&](QEvent::Type type, bool repeat) {
        qt_handleKeyEvent(window, type, key, modifiers, text, repeat);
        QCoreApplication::processEvents();
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        QTest::qWait(30);
        send(QEvent::KeyRelease, true);
        send(QEvent::KeyPress, true);
    }
    send(QEvent::KeyRelease, false);
}

} // namespace corvel::test
