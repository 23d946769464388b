#include "listening/MacPermissionKind.h"

namespace corvel {

QString rawValue(MacPermissionKind kind) {
    switch (kind) {
    case MacPermissionKind::speech:
        return QStringLiteral("speech");
    case MacPermissionKind::callAudio:
        return QStringLiteral("callAudio");
    case MacPermissionKind::microphone:
        return QStringLiteral("microphone");
    }
    return {};
}

const std::vector<MacPermissionKind>& allMacPermissionKinds() {
    static const std::vector<MacPermissionKind> kinds{
        MacPermissionKind::speech, MacPermissionKind::callAudio, MacPermissionKind::microphone};
    return kinds;
}

} // namespace corvel
