#include "language/WordTable.h"

#include <QByteArray>

#include <algorithm>
#include <string_view>

namespace corvel {

std::optional<std::uint32_t> WordTable::find(const QString& word) const {
    for (const QChar c : word) {
        if (c.unicode() > 0xff)
            return std::nullopt;
    }
    const QByteArray latin = word.toLatin1();
    const std::string_view key(latin.constData(), std::size_t(latin.size()));
    const std::uint32_t* end = start + count;
    const char* words = text;
    const auto* found = std::lower_bound(start, end, key, [words](std::uint32_t at, auto k) {
        return std::string_view(words + at) < k;
    });
    if (found == end || std::string_view(text + *found) != key)
        return std::nullopt;
    return std::uint32_t(found - start);
}

} // namespace corvel
