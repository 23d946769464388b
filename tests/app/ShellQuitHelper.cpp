// Runs the application shell with a fake capture stack and a loopback answer service, answers one
// question in a live session, starts a slow save, prints "ready" and waits to be told to quit.
#include "ShellHarness.h"
#include "platform/UptimeClock.h"
#include "ui/session/OverlayPanel.h"

#include <QApplication>

#include <cstdio>
#include <thread>

using namespace corvel;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    int result = 0;
    {
        // The application opens the floating panel by itself, as the real one does. The disk is
        // slow, so the signal arrives while a save is still being written.
        test::ShellHarness h(QString::fromLocal8Bit(argv[1]), true, false,
                             [](const QByteArray& bytes, const QString& path,
                                const std::optional<FileStamp>& expected) {
                                 std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                 return WorkspaceStorage::write(bytes, path, expected);
                             });
        h.server.enqueue(test::StoreHarness::answer({"An answer kept at quit."}));
        h.app->showWindow();
        if (!h.startSession())
            return 3;
        AppStore& store = h.app->store();
        h.capture.transcript(QStringLiteral("Tell me about your last project?"), true);
        if (!QTest::qWaitFor(
                [&] { return !store.isGenerating() && !store.sessionEntries().empty(); }, 10000))
            return 4;
        // An open floating panel must not hold the quit back.
        if (!store.showOverlay() || !dynamic_cast<OverlayPanel&>(*store.panel()).isVisible())
            return 5;
        store.save();
        std::printf("ready\n");
        std::fflush(stdout);
        result = application.exec();
    }
    finishCancelledTasks();
    return result;
}
