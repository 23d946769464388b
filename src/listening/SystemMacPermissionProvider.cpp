#include "listening/SystemMacPermissionProvider.h"

#include "platform/SpeechRecognizer.h"

#include <QProcess>
#include <QStandardPaths>

namespace corvel {

SystemMacPermissionProvider::System SystemMacPermissionProvider::System::host() {
    return {
        [] { return probePulseServer(); },
        [] { return SpeechRecognizer::installedLocales(); },
        [](const QString& program) { return QStandardPaths::findExecutable(program); },
        [](const QString& program, const QStringList& arguments) {
            return QProcess::startDetached(program, arguments);
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
    // pavucontrol's tabs: 2 is recording streams, 4 is input devices.
    const QString mixer = m_system.findProgram(QStringLiteral("pavucontrol"));
    if (!mixer.isEmpty()) {
        const QString tab = kind == MacPermissionKind::microphone ? QStringLiteral("--tab=4")
                                                                  : QStringLiteral("--tab=2");
        if (m_system.launch(mixer, {tab}))
            return true;
    }
    const QString settings = m_system.findProgram(QStringLiteral("gnome-control-center"));
    return !settings.isEmpty() && m_system.launch(settings, {QStringLiteral("sound")});
}

} // namespace corvel
