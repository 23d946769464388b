#include "platform/SpeechLevels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace corvel;

namespace {

// 20 ms slices of a tone over uniform noise: the tone's power is amplitude² / 2, the noise's / 3.
void feed(SpeechLevels& levels, int slices, double tone, double noise, bool inSpeech) {
    static std::uint32_t seed = 1;
    std::vector<qint16> samples(320);
    for (int n = 0; n < slices; ++n) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            seed = seed * 1664525u + 1013904223u;
            const double white = double(seed >> 8) / double(1u << 23) - 1;
            samples[i] = qint16(std::lround(tone * std::sin(double(i) * 0.3) + noise * white));
        }
        levels.add(samples.data(), samples.size(), inSpeech);
    }
}

} // namespace

TEST(SpeechLevels, MeasuresSpeechAgainstTheNoiseAroundIt) {
    SpeechLevels levels;
    feed(levels, 25, 0, 0, false);
    feed(levels, 10, 3000, 0, true);
    EXPECT_FALSE(levels.signalToNoise()) << "speech still going on has no level yet";
    feed(levels, 25, 0, 0, false);
    EXPECT_GT(levels.signalToNoise().value_or(0), 60);

    const double noise = std::sqrt(3 * 3000.0 * 3000.0 / 2 / 100); // 20 dB below the tone
    levels.reset();
    feed(levels, 25, 0, noise, false);
    feed(levels, 50, 3000, noise, true);
    feed(levels, 25, 0, noise, false);
    EXPECT_NEAR(levels.signalToNoise().value_or(0), 20.4, 1.0);
    // The start of speech the decoder had not yet taken for speech leaves the noise as it was.
    feed(levels, 5, 3000, noise, false);
    EXPECT_NEAR(levels.signalToNoise().value_or(0), 20.4, 1.5);
}
