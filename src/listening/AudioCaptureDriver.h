#pragma once

#include "core/AudioSource.h"
#include "platform/Cancellation.h"

#include <QCoroTask>
#include <QString>

#include <functional>

namespace corvel {

// Replaces the whole capture stack (capture and recognition) of an AudioCapture. Callbacks are
// called on the main thread. The token of `start` is cancelled when the engine stops.
struct AudioCaptureDriver {
    using FailureCallback = std::function<void(const QString& message)>;
    using LevelCallback = std::function<void(double level)>;
    using TranscriptCallback = std::function<void(const QString& text, bool isFinal)>;

    std::function<QCoro::Task<>(AudioSource source, QString localeIdentifier, CancelToken token)>
        start;
    std::function<void()> stop;
    std::function<void(FailureCallback)> observeFailure;
    std::function<void(LevelCallback)> observeLevel;
    std::function<void(TranscriptCallback)> observeTranscript;
};

} // namespace corvel
