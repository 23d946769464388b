#pragma once

#include <cstdint>

// The tables of EnglishVerbs, written at build time from WordNet 3.0 (resources/wordnet).
namespace corvel::englishVerbs {

// The verbs, lower case, ASCII, in byte order, each ending in a zero; verb i starts at
// verbStart[i].
extern const std::uint32_t verbCount;
extern const char verbText[];
extern const std::uint32_t verbStart[];
extern const bool takesObject[];
// Whether the verb is mostly one of saying, thinking or making ("tell", "choose", "sketch").
extern const bool speaks[];
// Whether the verb mostly stands without an object ("leave", "grow", "cope").
extern const bool standsAlone[];
// Irregular forms ("went", "led", "planned"), in the same layout, each with its verb's index.
extern const std::uint32_t irregularCount;
extern const char irregularText[];
extern const std::uint32_t irregularStart[];
extern const std::uint32_t irregularVerb[];

} // namespace corvel::englishVerbs
