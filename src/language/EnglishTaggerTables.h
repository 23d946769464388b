#pragma once

#include <cstdint>

// The tables of EnglishTagger, written at build time from Festival's part-of-speech lexicon and
// tag trigram (resources/tagger).
namespace corvel::englishTagger {

constexpr int tagCount = 38;

struct Emission {
    std::uint8_t tag;
    // log P(word | tag)
    float logProbability;
};

// log P(c | a, b) at (a * tagCount + b) * tagCount + c.
extern const float transitions[tagCount * tagCount * tagCount];
// log P(tag)
extern const float tagPriors[tagCount];
// The lexicon's words, lower case, Latin-1, in byte order, each ending in a zero; word i starts
// at wordStart[i] and has the emissions from emissionStart[i] to emissionStart[i + 1].
extern const std::uint32_t wordCount;
extern const char wordText[];
extern const std::uint32_t wordStart[];
extern const std::uint32_t emissionStart[];
extern const Emission emissions[];

} // namespace corvel::englishTagger
