#pragma once

#include "listening/CaptureError.h"
#include "platform/Cancellation.h"

#include <QCoroTask>
#include <QString>

#include <cstddef>
#include <functional>

namespace corvel {

// One source of 16 kHz mono samples for the capture engine.
class AudioInput {
public:
    // Called on the capture thread.
    using SamplesHandler = std::function<void(const qint16* samples, std::size_t count)>;
    // Called on the main thread when audio stops after a successful start: inputChanged when
    // the microphone changed, else a platform error carrying the sound server's reason.
    using FailureHandler = std::function<void(const CaptureError& error)>;

    virtual ~AudioInput() = default;
    // Completes once audio flows; throws CaptureError, or CancellationError once the token is
    // cancelled or the input is stopped meanwhile.
    virtual QCoro::Task<> start(CancelToken token) = 0;
    // No handler runs once it returns.
    virtual void stop() = 0;
};

} // namespace corvel
