#include "language/WordTable.h"

#include <algorithm>

namespace corvel {

namespace {

// Compares a table's zero-terminated Latin-1 word with `word`, as bytes, without converting it.
int compare(const char* entry, const QString& word) {
    const qsizetype size = word.size();
    qsizetype i = 0;
    for (; i < size && entry[i] != 0; ++i) {
        const auto a = uchar(entry[i]);
        const auto b = word[i].unicode();
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (i == size)
        return entry[i] == 0 ? 0 : 1;
    return -1;
}

} // namespace

std::optional<std::uint32_t> WordTable::find(const QString& word) const {
    for (const QChar c : word) {
        if (c.unicode() > 0xff)
            return std::nullopt;
    }
    const std::uint32_t* end = start + count;
    const char* words = text;
    const auto* found =
        std::lower_bound(start, end, word, [words](std::uint32_t at, const QString& w) {
            return compare(words + at, w) < 0;
        });
    if (found == end || compare(text + *found, word) != 0)
        return std::nullopt;
    return std::uint32_t(found - start);
}

} // namespace corvel
