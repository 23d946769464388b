#pragma once

#include "listening/MacPermissionProvider.h"
#include "platform/PulseServerProbe.h"

#include <QStringList>

#include <functional>

namespace corvel {

// Linux has no privacy prompts for listening; the permissions stand for what really decides
// whether listening can work: an installed speech model, a sound server whose default output can
// be recorded, and a real input device. Settings open the sound settings: the PulseAudio mixer on
// the page of the kind's devices, else the desktop's own sound settings.
class SystemMacPermissionProvider final : public MacPermissionProvider {
public:
    struct System {
        std::function<PulseServerState()> probeSoundServer;
        std::function<QStringList()> installedSpeechLocales;
        std::function<QString(const QString& program)> findProgram; // full path, or empty
        std::function<bool(const QString& program, const QStringList& arguments)> launch;
        // Whether the desktop has a handler for the URL's scheme.
        std::function<bool(const QString& url)> canOpen;

        static System host();
    };

    explicit SystemMacPermissionProvider(System system = System::host());

    MacPermissionStatus status(MacPermissionKind kind) override;
    QCoro::Task<> request(MacPermissionKind kind, CancelToken token) override;
    bool openSettings(MacPermissionKind kind) override;

private:
    System m_system;
};

} // namespace corvel
