#include "listening/AudioBufferRelay.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {
constexpr double meterInterval = 0.08;
// Every 4th sample is enough for a level bar.
constexpr std::size_t meterStride = 4;
} // namespace

AudioBufferRelay::AudioBufferRelay(std::function<double()> now, std::function<void(double)> onLevel)
    : m_now(std::move(now)), m_onLevel(std::move(onLevel)) {}

void AudioBufferRelay::receive(const qint16* samples, std::size_t count) {
    if (count == 0)
        return;
    {
        std::lock_guard lock(m_mutex);
        if (m_request)
            m_request->append(samples, count);
        const double now = m_now();
        if (now - m_lastMeterUpdate < meterInterval)
            return;
        m_lastMeterUpdate = now;
    }
    double squareSum = 0;
    std::size_t measured = 0;
    for (std::size_t i = 0; i < count; i += meterStride) {
        const double sample = samples[i] / 32768.0;
        squareSum += sample * sample;
        ++measured;
    }
    if (m_onLevel)
        m_onLevel(meterLevel(squareSum, measured));
}

std::shared_ptr<SpeechRecognitionTask>
AudioBufferRelay::replaceRequest(std::shared_ptr<SpeechRecognitionTask> request) {
    std::lock_guard lock(m_mutex);
    std::swap(m_request, request);
    return request;
}

double AudioBufferRelay::meterLevel(double squareSum, std::size_t sampleCount) {
    if (sampleCount < 1 || !(squareSum > 0))
        return 0;
    const double rms = std::sqrt(squareSum / static_cast<double>(sampleCount));
    if (!std::isfinite(rms))
        return 0;
    return std::clamp((20 * std::log10(std::max(rms, 0.000001)) + 60) / 60, 0.0, 1.0);
}

} // namespace corvel
