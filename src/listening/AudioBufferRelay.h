#pragma once

#include "platform/SpeechRecognitionTask.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

namespace corvel {

// Carries samples from the capture thread to the current recognition request, and meters them.
// The request is swapped under the same lock the capture thread appends under.
class AudioBufferRelay final {
public:
    // `now` gives seconds of uptime and `onLevel` receives readings, both on the capture thread.
    AudioBufferRelay(std::function<double()> now, std::function<void(double level)> onLevel);

    void receive(const qint16* samples, std::size_t count);
    // Installs the next request (or none) and returns the one it replaces.
    std::shared_ptr<SpeechRecognitionTask>
    replaceRequest(std::shared_ptr<SpeechRecognitionTask> request);

    // -60 dB and quieter reads 0, full scale reads 1.
    static double meterLevel(double squareSum, std::size_t sampleCount);

private:
    std::function<double()> m_now;
    std::function<void(double)> m_onLevel;
    std::mutex m_mutex;
    std::shared_ptr<SpeechRecognitionTask> m_request;
    double m_lastMeterUpdate = 0;
};

} // namespace corvel
