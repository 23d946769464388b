#include "listening/SystemMacPermissionProvider.h"

#include "platform/SpeechRecognizer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace corvel {

SystemMacPermissionProvider::System SystemMacPermissionProvider::System::host() {
    return {
        [] { return probePulseServer(); },
        [] { return SpeechRecognizer::installedLocales(); },
        [](const QString& program) { return QStandardPaths::findExecutable(program); },
        [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
        },
        [](const QString& url) {
            const QString mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
            if (mime.isEmpty())
                return false;
            QProcess query;
            query.start(mime, {QStringLiteral("query"), QStringLiteral("default"),
                               QStringLiteral("x-scheme-handler/") + QUrl(url).scheme()});
            // xdg-mime answers at once; the bound keeps a broken desktop from freezing the app.
            return query.waitForFinished(3000) && query.exitCode() == 0 &&
                   !query.readAllStandardOutput().trimmed().isEmpty();
        },
    };
}

SystemMacPermissionProvider::SystemMacPermissionProvider(System system)
    : m_system(std::move(system)) {}

MacPermissionStatus SystemMacPermissionProvider::status(MacPermissionKind kind) {
    switch (kind) {
    case MacPermissionKind::speech:
        return m_system.installedSpeechLocales().isEmpty() ? MacPermissionStatus::restricted
                                                           : MacPermissionStatus::allowed;
    case MacPermissionKind::callAudio: {
        const auto server = m_system.probeSoundServer();
        return server.reachable && server.defaultSinkHasMonitor ? MacPermissionStatus::allowed
                                                                : MacPermissionStatus::needsAccess;
    }
    case MacPermissionKind::microphone:
        return m_system.probeSoundServer().hasMicrophone ? MacPermissionStatus::allowed
                                                         : MacPermissionStatus::denied;
    }
    return MacPermissionStatus::needsAccess;
}

QCoro::Task<> SystemMacPermissionProvider::request(MacPermissionKind, CancelToken token) {
    // There is no prompt to show: the store's refresh after the request re-checks the system.
    token.throwIfCancelled();
    co_return;
}

bool SystemMacPermissionProvider::openSettings(MacPermissionKind kind) {
    const auto launched = [this](const QString& program, const QStringList& arguments) {
        const QString path = m_system.findProgram(program);
        return !path.isEmpty() && m_system.launch(path, arguments);
    };
    // pavucontrol counts its tabs from 1: 3 is output devices, 4 is input devices.
    const QString tab = kind == MacPermissionKind::microphone ? QStringLiteral("--tab=4")
                                                              : QStringLiteral("--tab=3");
    if (launched(QStringLiteral("pavucontrol"), {tab}) ||
        launched(QStringLiteral("gnome-control-center"), {QStringLiteral("sound")}))
        return true;
    // The desktop-neutral settings link that settings apps may register.
    const QString url = QStringLiteral("settings://sound");
    return m_system.canOpen(url) && launched(QStringLiteral("xdg-open"), {url});
}

} // namespace corvel
