#pragma once

#include <QString>

namespace corvel::ComputerTexts {

// Every text of these screens that would name the Mac, macOS or System Settings, said as the
// Linux truth, kept together so they are reviewed in one place.

inline QString setUpButton() {
    return QStringLiteral("Set up my computer");
}
inline QString welcomeTitle() {
    return QStringLiteral("Let’s get your\ncomputer ready.");
}
inline QString madeFor() {
    return QStringLiteral("Made for your computer.");
}
inline QString readySentence() {
    return QStringLiteral("Your computer is ready. Let’s tell your story.");
}
inline QString readyTitle() {
    return QStringLiteral("Your computer is ready.\nNow, your story.");
}
inline QString permissionPrefix() {
    return QStringLiteral("System permission · ");
}
inline QString speechSettingName() {
    return QStringLiteral("Speech model");
}
inline QString callAudioSettingName() {
    return QStringLiteral("Sound server");
}
inline QString waitingForSystem() {
    return QStringLiteral("Waiting for the system…");
}
inline QString openSettings() {
    return QStringLiteral("Open Settings");
}
inline QString restrictedHint() {
    return QStringLiteral("This is not available on this computer yet. Check with the person who "
                          "manages it. You can still prepare your interview.");
}
inline QString speechDeniedHint() {
    return QStringLiteral(
        "Install the speech model for your interview language, then return here.");
}
inline QString speechNeedsAccessHint() {
    return QStringLiteral("Speech recognition runs on this computer. Install the speech model for "
                          "your interview language.");
}
inline QString callAudioDeniedHint() {
    return QStringLiteral("Check in Settings → Sound that your speakers or headphones are selected "
                          "and the sound server is running. If it still fails, quit and reopen "
                          "the app.");
}
inline QString callAudioNeedsAccessHint() {
    return QStringLiteral("Call audio is what your computer plays, read from the sound server. "
                          "Corvel Interview uses it for call audio and does not save audio or "
                          "video files.");
}
inline QString savedOn() {
    return QStringLiteral("Saved on your computer");
}
inline QString callAudioHint() {
    return QStringLiteral("Start your session, then join your call. I’ll listen to the call audio "
                          "on this computer.");
}

// Shown when no settings program could be started, so the button never does nothing silently;
// each says what that step needs, since no settings page installs a speech model.
inline QString speechSettingsUnavailable() {
    return QStringLiteral("Settings could not be opened on this computer. Install the speech model "
                          "for your interview language, then choose Check again.");
}
inline QString callAudioSettingsUnavailable() {
    return QStringLiteral("Settings could not be opened on this computer. Open your sound "
                          "settings yourself, then choose Check again.");
}
inline QString microphoneSettingsUnavailable() {
    return QStringLiteral("Settings could not be opened on this computer. Open your sound "
                          "settings yourself and check that a microphone is connected.");
}

} // namespace corvel::ComputerTexts
