#pragma once

#include <QString>

namespace corvel::wording {

// The texts of the settings and history screens that would name the Mac, said the way they are
// true on this system. Kept together so they can be reviewed in one place.

// Private developer connection.
inline QString keyStaysInKeyring() {
    return QStringLiteral("Your key stays in this computer’s keyring.");
}
inline QString deleteKeyTitle() {
    return QStringLiteral("Delete the API key from this computer?");
}

// Account card.
inline QString accountSubtitle() {
    return QStringLiteral("One account. Your interview copilot, ready on your computer.");
}
inline QString aiIncluded() {
    return QStringLiteral("AI is included. Your preparation stays on this computer.");
}
inline QString signOutHelp() {
    return QStringLiteral("Sign out on this computer");
}
inline QString accountPrivacy() {
    return QStringLiteral(
        "Your resume and interview history stay on this computer. Your account and usage sync "
        "securely.");
}

// Permission panel.
inline QString permissionsTitle() {
    return QStringLiteral("Computer permissions");
}
inline QString restricted() {
    return QStringLiteral("Not available on this computer");
}

// Settings page.
inline QString suggestShortcutManual() {
    return QStringLiteral(
        "Available with Call audio. With the microphone, confirm each question using Ctrl+↵.");
}
inline QString suggestShortcutAutomatic() {
    return QStringLiteral(
        "After a short pause in a recognized question. You can also request an answer with "
        "Ctrl+↵.");
}
inline QString dataStaysHere() {
    return QStringLiteral(
        "Your preparation, history and preferences stay on this computer. To suggest an answer, "
        "the question and your prepared interview details are sent securely to Corvel Interview "
        "and OpenAI.");
}
inline QString speechPrivacy() {
    return QStringLiteral(
        "Speech recognition runs on this computer. The app does not save audio files.");
}
inline QString systemName() {
    return QStringLiteral("Linux");
}

// History.
inline QString historySubtitle() {
    return QStringLiteral("Your questions and answers, saved on this computer.");
}
inline QString deleteInterviewMessage() {
    return QStringLiteral(
        "This interview and its answers will be deleted from this computer’s history.");
}

} // namespace corvel::wording
