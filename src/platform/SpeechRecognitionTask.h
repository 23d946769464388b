#pragma once

#include <cstddef>

#include <QtGlobal>

namespace corvel {

// One recognition segment: audio goes in from the capture thread, results come out through the
// handler given to SpeechRecognizer::recognize.
class SpeechRecognitionTask {
public:
    static constexpr int sampleRate = 16000;

    virtual ~SpeechRecognitionTask() = default;
    // 16 kHz mono samples; any thread; ignored once the audio has ended or the task is over.
    virtual void append(const qint16* samples, std::size_t count) = 0;
    // Any thread; what was heard so far comes back as a final result.
    virtual void endAudio() = 0;
    // No result is delivered once this returns.
    virtual void cancel() = 0;
};

} // namespace corvel
