#pragma once

#include <QString>

namespace corvel {

// Every text of the live screens that names the computer, its system, its settings or a shortcut
// key, in one place so the wording for this desktop is easy to review.
struct SystemWording {
    SystemWording() = delete;

    static inline const QString errorCardHint =
        QStringLiteral("Check the connection and permissions in your computer’s settings.");
    static inline const QString suggestShortcutHint = QStringLiteral("Ctrl+↵ to suggest an answer");
    static inline const QString preparingHeadline = QStringLiteral("Allow the system permissions.");
    static inline const QString preparingExplanation =
        QStringLiteral("The system may ask for access to speech recognition and call audio.");
    static inline const QString microphoneHelpHint =
        QStringLiteral("If you are speaking and the bars stay still, check the microphone "
                       "selected in the system Sound settings.");
    static inline const QString callAudioHelpHint =
        QStringLiteral("The other person’s voice must play on this computer. If they are speaking "
                       "and the bars stay still, check the call’s audio output.");
    static inline const QString preparingHint =
        QStringLiteral("Approve the permissions requested by the system.");
    static inline const QString manualModeHint =
        QStringLiteral("Confirm the interviewer’s question in the app or with Ctrl+↵. Your own "
                       "speech does not trigger automatic answers.");
};

} // namespace corvel
