// A later launch of the app, reduced to its hand-over: forwards its arguments to the running
// instance of the user and exits 0 when that instance took them, 1 otherwise.
#include "platform/SingleInstance.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const corvel::SingleInstance instance(
        corvel::SingleInstance::serverName(QStringLiteral("corvel-interview")));
    return instance.forward(arguments) ? 0 : 1;
}
