#include "language/EnglishVerbs.h"

#include "language/EnglishVerbTables.h"
#include "language/WordTable.h"

#include <QLatin1String>
#include <QRegularExpression>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
namespace tables = englishVerbs;

WordTable verbs() {
    return {tables::verbText, tables::verbStart, tables::verbCount};
}

WordTable irregularForms() {
    return {tables::irregularText, tables::irregularStart, tables::irregularCount};
}

// WordNet's endings of verb forms and what replaces them, tried in order.
struct Ending {
    QLatin1String form;
    QLatin1String base;
};
constexpr Ending endings[] = {{"s"_L1, ""_L1},    {"ies"_L1, "y"_L1}, {"es"_L1, "e"_L1},
                              {"es"_L1, ""_L1},   {"ed"_L1, "e"_L1},  {"ed"_L1, ""_L1},
                              {"ing"_L1, "e"_L1}, {"ing"_L1, ""_L1}};

// WordNet spells "-ize" where British English has "-ise": "organise" is "organize".
QString americanSpelling(const QString& word) {
    static const QRegularExpression ise(QStringLiteral("is(e|es|ed|ing)$"));
    QString spelled = word;
    return spelled.replace(ise, QStringLiteral("iz\\1"));
}

std::optional<std::uint32_t> verbOfSpelling(const QString& word);

std::optional<std::uint32_t> verbOf(const QString& word) {
    if (const auto verb = verbOfSpelling(word))
        return verb;
    const QString american = americanSpelling(word);
    return american != word ? verbOfSpelling(american) : std::nullopt;
}

std::optional<std::uint32_t> verbOfSpelling(const QString& word) {
    if (const auto irregular = irregularForms().find(word))
        return tables::irregularVerb[*irregular];
    if (const auto base = verbs().find(word))
        return base;
    for (const Ending& ending : endings) {
        if (word.size() > ending.form.size() && word.endsWith(ending.form)) {
            if (const auto base = verbs().find(word.chopped(ending.form.size()) + ending.base))
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

std::optional<bool> EnglishVerbs::standsAlone(const QString& word) {
    const auto index = verbOf(word);
    if (!index)
        return std::nullopt;
    return tables::standsAlone[*index];
}

bool EnglishVerbs::speaks(const QString& word) {
    const auto index = verbOf(word);
    return index && tables::speaks[*index];
}

} // namespace corvel
