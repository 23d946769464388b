#pragma once

#include "core/AudioSource.h"
#include "listening/AudioInput.h"
#include "platform/SpeechRecognizer.h"

#include <functional>
#include <memory>

namespace corvel {

// The system components the capture engine drives itself when it has no driver: where audio comes
// from and which recogniser hears it. Tests replace them with fakes.
struct AudioCapturePlatform {
    std::function<std::unique_ptr<AudioInput>(AudioSource source, AudioInput::SamplesHandler,
                                              AudioInput::FailureHandler)>
        openInput;
    // Null when no recogniser supports the locale.
    std::function<std::shared_ptr<SpeechRecognizer>(const QString& localeIdentifier)> recognizer;

    // The sound server, and the installed recognisers; a recogniser is made once per locale
    // and kept for every later session of the same engine.
    static AudioCapturePlatform system();
};

} // namespace corvel
