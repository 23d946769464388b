#pragma once

#include <QString>

#include <vector>

namespace corvel {

// The permissions listening needs: speech recognition, call audio and the microphone.
enum class MacPermissionKind { speech, callAudio, microphone };

// "speech", "callAudio", "microphone"; also the kind's identifier.
QString rawValue(MacPermissionKind kind);
const std::vector<MacPermissionKind>& allMacPermissionKinds();

} // namespace corvel
