#pragma once

#include "core/AudioSource.h"
#include "listening/AudioInput.h"
#include "listening/CaptureError.h"
#include "platform/PulseRecordStream.h"
#include "platform/Wakeup.h"

#include <QObject>

#include <optional>

namespace corvel {

// Call audio (the monitor of the default output) or the microphone (the default input) from the
// sound server. The stream's outcome crosses from its thread to the main thread as queued calls.
class PulseAudioInput final : public QObject, public AudioInput {
    Q_OBJECT
public:
    PulseAudioInput(AudioSource source, SamplesHandler onSamples, FailureHandler onFailure);
    ~PulseAudioInput() override;

    QCoro::Task<> start(CancelToken token) override;
    void stop() override;

    // What a start that failed throws: only not finding the server or an output to record gets
    // the call-audio advice; a failing stream carries the server's own reason.
    static CaptureError startError(AudioSource source, PulseRecordStream::Failure failure,
                                   const QString& reason);

private:
    void streamFailed(PulseRecordStream::Failure failure, const QString& reason);

    AudioSource m_source;
    FailureHandler m_onFailure;
    PulseRecordStream m_stream;
    Wakeup m_started;
    std::optional<CaptureError> m_startFailure;
    bool m_stopped = false;
};

} // namespace corvel
