#include "app/TessaroyApp.h"
#include "platform/SingleInstance.h"
#include "platform/UptimeClock.h"
#include "ui/foundation/FontRegistry.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <cstdio>

using namespace corvel;

int main(int argc, char** argv) {
    // The floating window needs stay-on-top, which only X11 (XWayland too) honours.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    // QSettings keeps the app's preferences under these names.
    QApplication::setOrganizationName(QStringLiteral("Tessaroy"));
    QApplication::setApplicationName(QStringLiteral("Corvel Interview"));
    QApplication::setDesktopFileName(QStringLiteral("corvel-interview"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());

    SingleInstance instance(SingleInstance::serverName(QStringLiteral("corvel-interview")));
    const QStringList arguments = QApplication::arguments().mid(1);
    if (instance.forward(arguments))
        return 0;
    if (!instance.listen())
        std::fprintf(stderr, "corvel-interview: sign-in callbacks from the browser will not reach "
                             "this window (the per-user socket could not be opened)\n");

    FontRegistry::registeredFont();
    int result = 0;
    {
        TessaroyApp app;
        QObject::connect(&instance, &SingleInstance::messageReceived, &app,
                         &TessaroyApp::handleArguments);
        app.handleArguments(arguments);
        result = application.exec();
    }
    finishCancelledTasks();
    return result;
}
