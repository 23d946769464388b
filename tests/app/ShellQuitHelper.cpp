// Runs the application shell with a fake capture stack and a loopback answer service, answers one
// question in a live session, prints "ready" and waits to be told to quit.
#include "ShellHarness.h"
#include "platform/UptimeClock.h"
#include "ui/session/OverlayPanel.h"

#include <QApplication>

#include <cstdio>

using namespace corvel;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    int result = 0;
    {
        // The application opens the floating panel by itself, as the real one does.
        test::ShellHarness h(QString::fromLocal8Bit(argv[1]), true);
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
        std::printf("ready\n");
        std::fflush(stdout);
        result = application.exec();
    }
    finishCancelledTasks();
    return result;
}
