#pragma once

#include "core/AudioSource.h"
#include "listening/AudioCaptureDriver.h"
#include "listening/AudioCaptureHealth.h"
#include "listening/AudioCaptureHealthMonitor.h"
#include "listening/AudioCapturePlatform.h"
#include "listening/AudioRecognitionRecoveryPolicy.h"
#include "platform/AudioRecognitionFailure.h"
#include "platform/Cancellation.h"
#include "platform/TaskSlot.h"
#include "platform/UptimeClock.h"

#include <QCoroTask>
#include <QObject>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

namespace corvel {

class AudioBufferRelay;
class AudioInput;
class CaptureError;
class SpeechRecognitionTask;
class SpeechRecognizer;

// The one capture engine: call audio or the microphone, transcribed live in recognition
// segments. Everything here runs on the main thread; audio arrives on the capture thread and
// recognition runs on the recogniser's thread, and their results come back as queued calls.
class AudioCapture final : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isRunning READ isRunning NOTIFY isRunningChanged)
    Q_PROPERTY(QString transcript READ transcript NOTIFY transcriptChanged)
    Q_PROPERTY(double level READ level NOTIFY levelChanged)
    Q_PROPERTY(std::optional<QString> error READ error NOTIFY errorChanged)
    Q_PROPERTY(std::optional<corvel::AudioSource> source READ source NOTIFY sourceChanged)
    Q_PROPERTY(corvel::AudioCaptureHealth health READ health NOTIFY healthChanged)

public:
    using TranscriptCallback = std::function<void(const QString& text, bool isFinal)>;

    // Without a driver the engine runs the platform's capture and recognition itself.
    explicit AudioCapture(std::optional<AudioCaptureDriver> driver = std::nullopt,
                          AudioCapturePlatform platform = AudioCapturePlatform::system(),
                          UptimeClock& clock = systemUptimeClock(), QObject* parent = nullptr);
    ~AudioCapture() override;

    // Throws CaptureError (published as `error`) or CancellationError when a later start or
    // stop superseded it, or `token` was cancelled (published nowhere).
    QCoro::Task<> start(AudioSource source, QString localeIdentifier, CancelToken token = {});
    void stop();

    bool isRunning() const { return m_isRunning; }
    const QString& transcript() const { return m_transcript; }
    double level() const { return m_level; }
    const std::optional<QString>& error() const { return m_error; }
    std::optional<AudioSource> source() const { return m_source; }
    AudioCaptureHealth health() const { return m_health; }
    // Uptime of the last level reading above the audible threshold; none after stop().
    std::optional<double> lastAudibleUptime() const { return m_lastAudibleUptime; }

    void setOnTranscript(TranscriptCallback callback) { m_onTranscript = std::move(callback); }
    void setOnSegmentStart(std::function<void()> callback) {
        m_onSegmentStart = std::move(callback);
    }

    static constexpr double audibleLevel = AudioCaptureHealthMonitor::audibleLevel;
    static constexpr double healthPollSeconds = 0.5;
    static constexpr double renewalSeconds = 50;

Q_SIGNALS:
    void isRunningChanged();
    void transcriptChanged();
    void levelChanged();
    // Emitted on every assignment, even of the same text.
    void errorChanged();
    void sourceChanged();
    void healthChanged();

private:
    QCoro::Task<> startDriver(AudioSource source, QString localeIdentifier, QUuid session,
                              CancelToken token);
    QCoro::Task<> startPlatform(AudioSource source, QString localeIdentifier, QUuid session,
                                CancelToken token);
    void failCapture(const QString& message, QUuid session);
    void inputFailed(const CaptureError& error, QUuid session);
    void receiveAudioLevel(double level, QUuid session);
    void receiveDriverTranscript(const QString& text, bool isFinal, QUuid session);

    void beginRecognition(QUuid session);
    void receiveRecognition(const std::optional<QString>& text, bool isFinal,
                            const std::optional<AudioRecognitionFailure>& failure, QUuid session);
    void recover(const AudioRecognitionFailure& failure, QUuid session);
    void rotateRecognition(QUuid session, double delay, bool finalizeSegment);
    void stopWithError(const QString& message);
    QCoro::Task<> renewAfter(QUuid session, QUuid segment, CancelToken token);
    QCoro::Task<> retryAfter(QUuid session, double delay, CancelToken token);
    void endCurrentRequest();

    void beginHealthMonitoring(QUuid session);
    QCoro::Task<> pollHealth(QUuid session, CancelToken token);
    void recordHealthText();
    void refreshHealth();
    void resetHealth();

    void setRunning(bool running);
    void setTranscript(const QString& transcript);
    void setLevel(double level);
    void setError(std::optional<QString> error);
    void setSource(std::optional<AudioSource> source);
    void setHealth(AudioCaptureHealth health);

    bool m_isRunning = false;
    QString m_transcript;
    double m_level = 0;
    std::optional<QString> m_error;
    std::optional<AudioSource> m_source;
    AudioCaptureHealth m_health = AudioCaptureHealth::idle;

    std::optional<double> m_lastAudibleUptime;
    TranscriptCallback m_onTranscript;
    std::function<void()> m_onSegmentStart;

    std::unique_ptr<AudioInput> m_input;
    std::shared_ptr<AudioBufferRelay> m_relay;
    std::shared_ptr<SpeechRecognizer> m_recognizer;
    std::shared_ptr<SpeechRecognitionTask> m_recognitionTask;
    CancelSource m_sessionCancel;
    TaskSlot m_renewal;
    TaskSlot m_retry;
    TaskSlot m_healthPoll;
    AudioCaptureHealthMonitor m_healthMonitor;
    AudioRecognitionRecoveryPolicy m_recoveryPolicy;
    QUuid m_sessionGeneration = QUuid::createUuid();
    QUuid m_recognitionGeneration = QUuid::createUuid();
    QString m_segmentText;
    bool m_segmentFinalSent = false;
    double m_recognitionStartedAt = 0;

    std::optional<AudioCaptureDriver> m_driver;
    AudioCapturePlatform m_platform;
    UptimeClock& m_clock;
};

} // namespace corvel
