#include "listening/EnglishVerbs.h"

#include "listening/EnglishVerbTables.h"

#include <QByteArray>
#include <QLatin1String>

#include <algorithm>
#include <string_view>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
namespace tables = englishVerbs;

// The index of `key` among `count` zero-ended words of `text`, or none.
std::optional<std::uint32_t> find(std::string_view key, const char* text,
                                  const std::uint32_t* start, std::uint32_t count) {
    const std::uint32_t* end = start + count;
    const auto* found = std::lower_bound(start, end, key, [text](std::uint32_t at, auto k) {
        return std::string_view(text + at) < k;
    });
    if (found == end || std::string_view(text + *found) != key)
        return std::nullopt;
    return std::uint32_t(found - start);
}

std::optional<std::uint32_t> verb(const QByteArray& word) {
    return find(std::string_view(word.constData(), std::size_t(word.size())), tables::verbText,
                tables::verbStart, tables::verbCount);
}

// WordNet's endings of verb forms and what replaces them, tried in order.
struct Ending {
    QLatin1String form;
    QLatin1String base;
};
constexpr Ending endings[] = {{"s"_L1, ""_L1},    {"ies"_L1, "y"_L1}, {"es"_L1, "e"_L1},
                              {"es"_L1, ""_L1},   {"ed"_L1, "e"_L1},  {"ed"_L1, ""_L1},
                              {"ing"_L1, "e"_L1}, {"ing"_L1, ""_L1}};

std::optional<std::uint32_t> verbOf(const QString& word) {
    for (const QChar c : word) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    const QByteArray ascii = word.toLatin1();
    if (const auto irregular =
            find(std::string_view(ascii.constData(), std::size_t(ascii.size())),
                 tables::irregularText, tables::irregularStart, tables::irregularCount))
        return tables::irregularVerb[*irregular];
    if (const auto base = verb(ascii))
        return base;
    for (const Ending& ending : endings) {
        if (word.size() > ending.form.size() && word.endsWith(ending.form)) {
            if (const auto base = verb(ascii.chopped(ending.form.size()) + ending.base.latin1()))
                return base;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<bool> EnglishVerbs::takesObject(const QString& word) {
    const auto index = verbOf(word);
    if (!index)
        return std::nullopt;
    return tables::takesObject[*index];
}

} // namespace corvel
