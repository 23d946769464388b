#include "platform/SpeechLevels.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

double decibels(double power) {
    return 10 * std::log10(1 + power);
}

} // namespace

void SpeechLevels::add(const qint16* samples, std::size_t count, bool inSpeech) {
    if (count == 0)
        return;
    double power = 0;
    for (std::size_t i = 0; i < count; ++i)
        power += double(samples[i]) * samples[i];
    power /= double(count);
    if (inSpeech) {
        m_speechPower += power;
        ++m_speechPieces;
        return;
    }
    if (m_speechPieces > 0) {
        m_lastSpeech = decibels(m_speechPower / double(m_speechPieces));
        m_speechPower = 0;
        m_speechPieces = 0;
    }
    m_noise[m_noiseCount++ % noisePieces] = decibels(power);
}

std::optional<double> SpeechLevels::signalToNoise() const {
    if (!m_lastSpeech || m_noiseCount == 0)
        return std::nullopt;
    std::array<double, noisePieces> noise = m_noise;
    const auto end = noise.begin() + std::ptrdiff_t(std::min(m_noiseCount, noisePieces));
    const auto middle = noise.begin() + (end - noise.begin()) / 2;
    std::nth_element(noise.begin(), middle, end);
    return *m_lastSpeech - *middle;
}

} // namespace corvel
