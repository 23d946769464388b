#include "listening/PulseAudioInput.h"

#include <QPointer>

namespace corvel {

PulseAudioInput::PulseAudioInput(AudioSource source, SamplesHandler onSamples,
                                 FailureHandler onFailure)
    : m_source(source), m_onFailure(std::move(onFailure)),
      m_stream(source == AudioSource::system ? PulseRecordStream::Device::defaultSinkMonitor
                                             : PulseRecordStream::Device::defaultSource,
               {
                   [this] {
                       QMetaObject::invokeMethod(
                           this, [this] { m_started.fire(); }, Qt::QueuedConnection);
                   },
                   std::move(onSamples),
                   [this](PulseRecordStream::Failure failure, const QString& reason) {
                       QMetaObject::invokeMethod(
                           this, [this, failure, reason] { streamFailed(failure, reason); },
                           Qt::QueuedConnection);
                   },
               }) {}

PulseAudioInput::~PulseAudioInput() {
    stop();
}

QCoro::Task<> PulseAudioInput::start(CancelToken token) {
    QPointer self(this);
    Wakeup started = m_started;
    const auto registration = token.onCancel([started]() mutable { started.fireSoon(); });
    m_stream.start();
    co_await started;
    token.throwIfCancelled();
    if (!self || m_stopped)
        throw CancellationError();
    if (m_startFailure)
        throw *m_startFailure;
}

void PulseAudioInput::stop() {
    m_stopped = true;
    m_stream.stop();
    // A start still waiting ends as a cancellation.
    m_started.fireSoon();
}

void PulseAudioInput::streamFailed(PulseRecordStream::Failure failure, const QString& reason) {
    if (m_stopped)
        return;
    if (!m_started.hasFired()) {
        m_startFailure = startError(m_source, failure, reason);
        m_started.fire();
    } else if (m_onFailure) {
        using Failure = PulseRecordStream::Failure;
        // The handler may stop the engine, which destroys this input.
        const auto onFailure = m_onFailure;
        onFailure(failure == Failure::inputChanged ? CaptureError::inputChanged()
                  : failure == Failure::serverUnavailable
                      ? CaptureError::platform(CaptureError::soundServerUnavailable(reason))
                      : CaptureError::platform(CaptureError::recordingFailed(reason)));
    }
}

CaptureError PulseAudioInput::startError(AudioSource source, PulseRecordStream::Failure failure,
                                         const QString& reason) {
    using Failure = PulseRecordStream::Failure;
    if (failure == Failure::noDevice) {
        return source == AudioSource::microphone ? CaptureError::noMicrophone()
                                                 : CaptureError::systemAudioUnavailable(reason);
    }
    if (failure == Failure::serverUnavailable) {
        // For call audio, not reaching the server means nothing could be listed to record.
        const QString detail = CaptureError::soundServerUnavailable(reason);
        return source == AudioSource::system ? CaptureError::systemAudioUnavailable(detail)
                                             : CaptureError::platform(detail);
    }
    return CaptureError::platform(CaptureError::recordingFailed(reason));
}

} // namespace corvel
