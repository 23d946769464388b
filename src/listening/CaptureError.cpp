#include "listening/CaptureError.h"

namespace corvel {

CaptureError::CaptureError(Kind kind, QString message)
    : m_kind(kind), m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

CaptureError CaptureError::systemAudioUnavailable(const QString& detail) {
    return {Kind::systemAudioUnavailable,
            QStringLiteral("Could not capture call audio. Check that the sound server is running "
                           "and your speakers or headphones are selected. ") +
                detail};
}

CaptureError CaptureError::unsupportedLanguage() {
    return {Kind::unsupportedLanguage,
            QStringLiteral("Speech recognition does not support this language on your computer.")};
}

CaptureError CaptureError::speechUnavailable() {
    return {Kind::speechUnavailable,
            QStringLiteral("Speech recognition is temporarily unavailable. Check your connection, "
                           "then try again.")};
}

CaptureError CaptureError::noMicrophone() {
    return {Kind::noMicrophone, QStringLiteral("No usable microphone was found. Check your audio "
                                               "input in Settings \u2192 Sound.")};
}

CaptureError CaptureError::inputChanged() {
    return {Kind::inputChanged,
            QStringLiteral("The audio input has changed. Check your microphone, "
                           "then restart listening.")};
}

CaptureError CaptureError::platform(const QString& description) {
    return {Kind::platform, description};
}

QString CaptureError::captureStopped(const QString& reason) {
    return QStringLiteral("Audio capture has stopped. ") + reason;
}

QString CaptureError::dictationDisabled() {
    return QStringLiteral("Enable Dictation in Settings \u2192 Keyboard, then restart listening.");
}

QString CaptureError::speechNotAllowed() {
    return QStringLiteral(
        "Allow Speech Recognition in Settings \u2192 Privacy & Security, then restart listening.");
}

QString CaptureError::transcriptionUnavailable(const QString& description) {
    return QStringLiteral("Transcription is unavailable. Check your connection, then try again. ") +
           description;
}

QString CaptureError::soundServerUnavailable(const QString& reason) {
    return QStringLiteral("The sound server is not available (%1).").arg(reason);
}

QString CaptureError::recordingFailed(const QString& reason) {
    return QStringLiteral("The sound server stopped the recording (%1).").arg(reason);
}

} // namespace corvel
