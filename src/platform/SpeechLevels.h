#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <optional>

namespace corvel {

// How far speech stands above the noise around it, from the audio a recogniser decodes and its
// word on which of it is speech. Clean speech needs little help from a language model of its
// own; speech over a noisy call leans on it.
class SpeechLevels final {
public:
    void add(const qint16* samples, std::size_t count, bool inSpeech);
    // Decibels between the last utterance's speech and the noise heard outside speech; none
    // before both were heard.
    std::optional<double> signalToNoise() const;
    void reset() { *this = {}; }

private:
    // The noise is the median of the last second of audio outside speech: the decoder notices
    // speech only after it began, so a few of those pieces hold its start.
    static constexpr std::size_t noisePieces = 50;
    std::array<double, noisePieces> m_noise{};
    std::size_t m_noiseCount = 0;
    double m_speechPower = 0;
    std::size_t m_speechPieces = 0;
    std::optional<double> m_lastSpeech;
};

} // namespace corvel
