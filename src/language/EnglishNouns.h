#pragma once

#include <QString>

namespace corvel {

// English nouns as WordNet files them: whether a noun names a concrete thing or a span of time
// ("screen", "glass", "seconds") rather than an act, an idea or a message ("example", "mistake").
class EnglishNouns final {
public:
    EnglishNouns() = delete;

    // `word` lower case, singular or a regular plural; false for a word WordNet lacks.
    static bool isConcrete(const QString& word);
};

} // namespace corvel
