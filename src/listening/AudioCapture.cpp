#include "listening/AudioCapture.h"

#include "listening/AudioBufferRelay.h"
#include "listening/CaptureError.h"
#include "platform/PropertyAssign.h"
#include "platform/SpeechRecognizer.h"

#include <QPointer>

#include <cmath>

namespace corvel {

namespace {

// A failure this soon after a segment began, before any text, counts as a quick failure.
constexpr double quickFailureSeconds = 3.0;
constexpr int quickFailureLimit = 3;

QString assistantDomain() {
    return QStringLiteral("kAFAssistantErrorDomain");
}
QString localSpeechDomain() {
    return QStringLiteral("kLSRErrorDomain");
}

std::optional<QString> publishedMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const CancellationError&) {
        return std::nullopt;
    } catch (const CaptureError& captureError) {
        return captureError.message();
    } catch (const std::exception& other) {
        return QString::fromUtf8(other.what());
    } catch (...) {
        return QStringLiteral("Audio capture failed.");
    }
}

} // namespace

AudioCapture::AudioCapture(std::optional<AudioCaptureDriver> driver, AudioCapturePlatform platform,
                           UptimeClock& clock, QObject* parent)
    : QObject(parent), m_recognitionStartedAt(clock.now()), m_driver(std::move(driver)),
      m_platform(std::move(platform)), m_clock(clock) {}

AudioCapture::~AudioCapture() {
    // Stops the capture and recogniser threads before anything they call back into goes away.
    stop();
}

QCoro::Task<> AudioCapture::start(AudioSource source, QString localeIdentifier, CancelToken token) {
    stop();
    const QUuid session = QUuid::createUuid();
    m_sessionGeneration = session;
    // stop() cancels this source, so a superseded start wakes from whatever it awaits.
    m_sessionCancel = CancelSource();
    CancelSource sessionCancel = m_sessionCancel;
    const auto forwardCancel =
        token.onCancel([sessionCancel]() mutable { sessionCancel.cancel(); });

    setSource(source);
    setTranscript(QString());
    setError(std::nullopt);
    setHealth(AudioCaptureHealth::starting);

    QPointer self(this);
    std::exception_ptr failure;
    try {
        if (m_driver)
            co_await startDriver(source, localeIdentifier, session, sessionCancel.token());
        else
            co_await startPlatform(source, localeIdentifier, session, sessionCancel.token());
    } catch (...) {
        failure = std::current_exception();
    }
    if (!failure)
        co_return;
    if (self && m_sessionGeneration == session) {
        stop();
        if (auto message = publishedMessage(failure))
            setError(*message);
    }
    std::rethrow_exception(failure);
}

QCoro::Task<> AudioCapture::startDriver(AudioSource source, QString localeIdentifier, QUuid session,
                                        CancelToken token) {
    QPointer self(this);
    if (m_driver->observeFailure) {
        m_driver->observeFailure([self, session](const QString& message) {
            if (self)
                self->failCapture(message, session);
        });
    }
    if (m_driver->observeLevel) {
        m_driver->observeLevel([self, session](double level) {
            if (self)
                self->receiveAudioLevel(level, session);
        });
    }
    if (m_driver->observeTranscript) {
        m_driver->observeTranscript([self, session](const QString& text, bool isFinal) {
            if (self)
                self->receiveDriverTranscript(text, isFinal, session);
        });
    }
    co_await m_driver->start(source, localeIdentifier, token);
    token.throwIfCancelled();
    if (!self || m_sessionGeneration != session)
        throw CancellationError();
    setRunning(true);
    beginHealthMonitoring(session);
    if (m_onSegmentStart)
        m_onSegmentStart();
}

QCoro::Task<> AudioCapture::startPlatform(AudioSource source, QString localeIdentifier,
                                          QUuid session, CancelToken token) {
    QPointer self(this);
    // The system has no speech or audio permission to ask for: a missing model or device
    // shows up below as an unsupported language or a capture error.
    m_recognizer = m_platform.recognizer(localeIdentifier);
    if (!m_recognizer)
        throw CaptureError::unsupportedLanguage();
    if (!m_recognizer->isAvailable())
        throw CaptureError::speechUnavailable();
    m_recoveryPolicy = {m_recognizer->supportsOnDeviceRecognition(), 0};

    m_relay = std::make_shared<AudioBufferRelay>(
        [&clock = m_clock] { return clock.now(); },
        [this, session](double level) {
            QMetaObject::invokeMethod(
                this, [this, level, session] { receiveAudioLevel(level, session); },
                Qt::QueuedConnection);
        });
    m_input = m_platform.openInput(
        source,
        [relay = m_relay](const qint16* samples, std::size_t count) {
            relay->receive(samples, count);
        },
        [this, session](const CaptureError& error) { inputFailed(error, session); });

    beginRecognition(session);
    co_await m_input->start(token);
    token.throwIfCancelled();
    if (!self || m_sessionGeneration != session)
        throw CancellationError();
    setRunning(true);
    beginHealthMonitoring(session);
}

void AudioCapture::stop() {
    m_lastAudibleUptime.reset();
    m_sessionGeneration = QUuid::createUuid();
    m_recognitionGeneration = QUuid::createUuid();
    m_sessionCancel.cancel();
    setRunning(false);
    setSource(std::nullopt);
    setLevel(0);
    setTranscript(QString());
    resetHealth();
    m_renewal.cancel();
    m_retry.cancel();
    endCurrentRequest();
    if (m_recognitionTask) {
        m_recognitionTask->cancel();
        m_recognitionTask.reset();
    }
    m_recognizer.reset();
    // Joins the capture thread: nothing reaches the relay after this.
    if (m_input) {
        m_input->stop();
        m_input.reset();
    }
    m_relay.reset();
    if (m_driver && m_driver->stop)
        m_driver->stop();
}

void AudioCapture::failCapture(const QString& message, QUuid session) {
    if (session != m_sessionGeneration)
        return;
    stop();
    setError(CaptureError::captureStopped(message));
}

void AudioCapture::inputFailed(const CaptureError& error, QUuid session) {
    if (error.kind() != CaptureError::Kind::inputChanged) {
        failCapture(error.message(), session);
    } else if (session == m_sessionGeneration) {
        stopWithError(error.message());
    }
}

void AudioCapture::receiveAudioLevel(double level, QUuid session) {
    if (session != m_sessionGeneration || !m_isRunning || !std::isfinite(level))
        return;
    if (level > audibleLevel)
        m_lastAudibleUptime = m_clock.now();
    setLevel(std::clamp(level, 0.0, 1.0));
    m_healthMonitor.receive(m_level, m_clock.now());
    refreshHealth();
}

void AudioCapture::receiveDriverTranscript(const QString& text, bool isFinal, QUuid session) {
    if (session != m_sessionGeneration || !m_isRunning)
        return;
    setTranscript(text);
    recordHealthText();
    if (m_onTranscript)
        m_onTranscript(text, isFinal);
}

void AudioCapture::beginRecognition(QUuid session) {
    if (session != m_sessionGeneration || !m_recognizer || !m_relay)
        return;
    m_renewal.cancel();
    m_retry.cancel();
    const QUuid segment = QUuid::createUuid();
    m_recognitionGeneration = segment;
    m_segmentText.clear();
    m_segmentFinalSent = false;
    if (m_onSegmentStart)
        m_onSegmentStart();
    // The callback may have stopped the engine.
    if (session != m_sessionGeneration || segment != m_recognitionGeneration)
        return;
    m_recognitionStartedAt = m_clock.now();
    // The task is cancelled before this engine goes away, and cancel() waits for a running
    // handler, so `this` outlives every call of the handler.
    m_recognitionTask = m_recognizer->recognize(
        m_recoveryPolicy.usesOnDeviceRecognition,
        [this, session, segment](const SpeechRecognitionResult& result) {
            QMetaObject::invokeMethod(
                this,
                [this, session, segment, result] {
                    if (session == m_sessionGeneration && segment == m_recognitionGeneration)
                        receiveRecognition(result.text, result.isFinal, result.failure, session);
                },
                Qt::QueuedConnection);
        });
    if (auto replaced = m_relay->replaceRequest(m_recognitionTask))
        replaced->endAudio();
    renewAfter(session, segment, m_renewal.start());
}

QCoro::Task<> AudioCapture::renewAfter(QUuid session, QUuid segment, CancelToken token) {
    QPointer self(this);
    try {
        co_await m_clock.sleep(renewalSeconds, token);
    } catch (const CancellationError&) {
        co_return;
    }
    if (self && session == m_sessionGeneration && segment == m_recognitionGeneration)
        rotateRecognition(session, 0, true);
}

void AudioCapture::receiveRecognition(const std::optional<QString>& text, bool isFinal,
                                      const std::optional<AudioRecognitionFailure>& failure,
                                      QUuid session) {
    if (text && !text->trimmed().isEmpty()) {
        m_recoveryPolicy.consecutiveQuickFailures = 0;
        if (*text != m_segmentText || (isFinal && !m_segmentFinalSent)) {
            m_segmentText = *text;
            setTranscript(*text);
            recordHealthText();
            if (isFinal)
                m_segmentFinalSent = true;
            if (m_onTranscript)
                m_onTranscript(*text, isFinal);
        }
    }
    // The transcript callback may have stopped the engine.
    if (session != m_sessionGeneration)
        return;
    if (isFinal) {
        rotateRecognition(session, 0, true);
        return;
    }
    if (failure)
        recover(*failure, session);
}

void AudioCapture::recover(const AudioRecognitionFailure& failure, QUuid session) {
    auto& policy = m_recoveryPolicy;
    const double elapsed = m_clock.now() - m_recognitionStartedAt;
    const bool available = m_recognizer && m_recognizer->isAvailable();
    if (failure.domain == assistantDomain() && failure.code == 1110) {
        policy.consecutiveQuickFailures = 0;
        rotateRecognition(session, 0.3, false);
    } else if (failure.domain == localSpeechDomain() && failure.code == 102 &&
               policy.usesOnDeviceRecognition) {
        policy.usesOnDeviceRecognition = false;
        policy.consecutiveQuickFailures = 0;
        rotateRecognition(session, 0.3, false);
    } else if (failure.domain == localSpeechDomain() && failure.code == 201) {
        stopWithError(CaptureError::dictationDisabled());
    } else if (failure.domain == assistantDomain() && failure.code == 1700) {
        stopWithError(CaptureError::speechNotAllowed());
    } else if (elapsed >= quickFailureSeconds || !m_segmentText.isEmpty()) {
        policy.consecutiveQuickFailures = 0;
        if (available)
            rotateRecognition(session, 0.15, false);
        else
            stopWithError(CaptureError::transcriptionUnavailable(failure.description));
    } else {
        ++policy.consecutiveQuickFailures;
        if (policy.consecutiveQuickFailures < quickFailureLimit && available)
            rotateRecognition(session, 0.8, false);
        else
            stopWithError(CaptureError::transcriptionUnavailable(failure.description));
    }
}

void AudioCapture::stopWithError(const QString& message) {
    stop();
    setError(message);
}

void AudioCapture::rotateRecognition(QUuid session, double delay, bool finalizeSegment) {
    if (session != m_sessionGeneration)
        return;
    if (finalizeSegment && !m_segmentText.isEmpty() && !m_segmentFinalSent) {
        m_segmentFinalSent = true;
        if (m_onTranscript)
            m_onTranscript(m_segmentText, true);
    }
    if (session != m_sessionGeneration)
        return;
    m_recognitionGeneration = QUuid::createUuid();
    m_renewal.cancel();
    // An immediate rotation leaves the request in place until the next one replaces it, so the
    // recogniser hands the audio of the hand-over to the next segment instead of losing it.
    if (delay > 0)
        endCurrentRequest();
    if (m_recognitionTask) {
        m_recognitionTask->cancel();
        m_recognitionTask.reset();
    }
    if (delay == 0) {
        beginRecognition(session);
        return;
    }
    retryAfter(session, delay, m_retry.start());
}

QCoro::Task<> AudioCapture::retryAfter(QUuid session, double delay, CancelToken token) {
    QPointer self(this);
    try {
        co_await m_clock.sleep(delay, token);
    } catch (const CancellationError&) {
        co_return;
    }
    if (self && session == m_sessionGeneration)
        beginRecognition(session);
}

void AudioCapture::endCurrentRequest() {
    if (!m_relay)
        return;
    if (auto request = m_relay->replaceRequest(nullptr))
        request->endAudio();
}

void AudioCapture::beginHealthMonitoring(QUuid session) {
    const double now = m_clock.now();
    m_healthMonitor = AudioCaptureHealthMonitor::startedAtUptime(now);
    if (!m_transcript.trimmed().isEmpty())
        m_healthMonitor.receiveText(now);
    refreshHealth();
    pollHealth(session, m_healthPoll.start());
}

QCoro::Task<> AudioCapture::pollHealth(QUuid session, CancelToken token) {
    QPointer self(this);
    for (;;) {
        try {
            co_await m_clock.sleep(healthPollSeconds, token);
        } catch (const CancellationError&) {
            co_return;
        }
        if (!self || session != m_sessionGeneration || !m_isRunning)
            co_return;
        refreshHealth();
    }
}

void AudioCapture::recordHealthText() {
    m_healthMonitor.receiveText(m_clock.now());
    refreshHealth();
}

void AudioCapture::refreshHealth() {
    setHealth(m_healthMonitor.health(m_clock.now()));
}

void AudioCapture::resetHealth() {
    m_healthPoll.cancel();
    m_healthMonitor = {};
    setHealth(AudioCaptureHealth::idle);
}

void AudioCapture::setRunning(bool running) {
    assign(*this, m_isRunning, running, &AudioCapture::isRunningChanged);
}

void AudioCapture::setTranscript(const QString& transcript) {
    assign(*this, m_transcript, transcript, &AudioCapture::transcriptChanged);
}

void AudioCapture::setLevel(double level) {
    assign(*this, m_level, level, &AudioCapture::levelChanged);
}

void AudioCapture::setError(std::optional<QString> error) {
    m_error = std::move(error);
    Q_EMIT errorChanged();
}

void AudioCapture::setHealth(AudioCaptureHealth health) {
    assign(*this, m_health, health, &AudioCapture::healthChanged);
}

void AudioCapture::setSource(std::optional<AudioSource> source) {
    assign(*this, m_source, source, &AudioCapture::sourceChanged);
}

} // namespace corvel
