#include "language/WordTable.h"

#include <algorithm>

namespace corvel {

std::optional<std::uint32_t> WordTable::find(const QString& word) const {
    for (const QChar c : word) {
        if (c.unicode() > 0xff)
            return std::nullopt;
    }
    const std::uint32_t* end = start + count;
    const char* words = text;
    const auto* found =
        std::lower_bound(start, end, word, [words](std::uint32_t at, const QString& w) {
            return QLatin1StringView(words + at).compare(w) < 0;
        });
    if (found == end || QLatin1StringView(text + *found) != word)
        return std::nullopt;
    return std::uint32_t(found - start);
}

} // namespace corvel
