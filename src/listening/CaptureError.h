#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

namespace corvel {

// The capture engine's failures; the message is what the user sees. Every text of the capture
// engine that names the platform lives in CaptureError.cpp.
class CaptureError final : public std::exception {
public:
    enum class Kind {
        systemAudioUnavailable,
        unsupportedLanguage,
        speechUnavailable,
        noMicrophone,
        inputChanged, // the microphone changed or went away while listening
        platform,     // a sound-server failure, carried as the server's own description
    };

    static CaptureError systemAudioUnavailable(const QString& detail);
    static CaptureError unsupportedLanguage();
    static CaptureError speechUnavailable();
    static CaptureError noMicrophone();
    static CaptureError inputChanged();
    static CaptureError platform(const QString& description);

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    // Texts published as `error` outside a failed start.
    static QString captureStopped(const QString& reason);
    static QString dictationDisabled();
    static QString speechNotAllowed();
    static QString transcriptionUnavailable(const QString& description);
    // Sound-server failures, as carried by systemAudioUnavailable or platform errors.
    static QString soundServerUnavailable(const QString& reason);
    static QString recordingFailed(const QString& reason);

private:
    CaptureError(Kind kind, QString message);
    Kind m_kind;
    QString m_message;
    QByteArray m_utf8;
};

} // namespace corvel
