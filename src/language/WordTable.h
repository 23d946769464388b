#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace corvel {

// A list of words the build writes into a table: lower case, Latin-1, in byte order, each
// ending in a zero; word i starts at start[i].
struct WordTable {
    const char* text;
    const std::uint32_t* start;
    std::uint32_t count;

    // The index of `word`, or none; a word outside Latin-1 is in no table.
    std::optional<std::uint32_t> find(const QString& word) const;
};

} // namespace corvel
