#include "platform/SpeechLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace corvel;

namespace {

constexpr std::size_t slice = 320;

// A tone of the given amplitude over white noise of the given amplitude, one 20 ms slice.
std::vector<qint16> piece(double tone, double noise, std::uint32_t& seed) {
    std::vector<qint16> samples(slice);
    for (std::size_t i = 0; i < slice; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = (double(seed >> 8) / double(1u << 24)) * 2 - 1;
        samples[i] = qint16(std::lround(tone * std::sin(double(i) * 0.3) + noise * white));
    }
    return samples;
}

// Feeds half a second outside speech, one second of speech, half a second outside again.
void utterance(SpeechLevels& levels, double tone, double noise, std::uint32_t& seed) {
    for (int i = 0; i < 100; ++i) {
        const bool inSpeech = i >= 25 && i < 75;
        const auto samples = piece(inSpeech ? tone : 0, noise, seed);
        levels.add(samples.data(), samples.size(), inSpeech);
    }
}

} // namespace

TEST(SpeechLevels, MeasuresSpeechAgainstTheNoiseAroundIt) {
    std::uint32_t seed = 1;
    SpeechLevels levels;
    EXPECT_FALSE(levels.signalToNoise());
    // Speech still going on has no level yet.
    for (int i = 0; i < 10; ++i) {
        const auto samples = piece(3000, 0, seed);
        levels.add(samples.data(), samples.size(), true);
    }
    EXPECT_FALSE(levels.signalToNoise());

    levels.reset();
    utterance(levels, 3000, 0, seed);
    ASSERT_TRUE(levels.signalToNoise());
    EXPECT_GT(*levels.signalToNoise(), 60);

    // Noise 20 dB below the tone (a tone's power is half its amplitude squared, uniform noise's a
    // third).
    const double tonePower = 3000.0 * 3000.0 / 2;
    const double noise = std::sqrt(3 * tonePower / 100);
    levels.reset();
    utterance(levels, 3000, noise, seed);
    ASSERT_TRUE(levels.signalToNoise());
    EXPECT_NEAR(*levels.signalToNoise(), 20.4, 1.0);

    // A few loud pieces the decoder had not yet taken for speech leave the noise as it was.
    for (int i = 0; i < 5; ++i) {
        const auto samples = piece(3000, noise, seed);
        levels.add(samples.data(), samples.size(), false);
    }
    EXPECT_NEAR(*levels.signalToNoise(), 20.4, 1.5);
}
