#pragma once

#include <cstdint>

// The noun table of the English reading, written at build time from WordNet 3.0
// (resources/wordnet).
namespace corvel::englishNouns {

// Nouns of concrete things and spans of time ("screen", "second"), lower case, ASCII, in byte
// order, each ending in a zero; noun i starts at concreteStart[i].
extern const std::uint32_t concreteCount;
extern const char concreteText[];
extern const std::uint32_t concreteStart[];

} // namespace corvel::englishNouns
