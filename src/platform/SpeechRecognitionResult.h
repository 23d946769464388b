#pragma once

#include "platform/AudioRecognitionFailure.h"

#include <QString>

#include <optional>

namespace corvel {

// One callback of a recognition task: a transcription of the segment so far, or a failure.
struct SpeechRecognitionResult {
    std::optional<QString> text;
    bool isFinal = false;
    std::optional<AudioRecognitionFailure> failure;
};

} // namespace corvel
