#include "language/EnglishNouns.h"

#include "language/EnglishNounTables.h"
#include "language/WordTable.h"

#include <QLatin1String>

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
namespace tables = englishNouns;

// WordNet's endings of noun plurals and what replaces them, tried after the word itself.
struct Ending {
    QLatin1String form;
    QLatin1String base;
};
constexpr Ending endings[] = {{"s"_L1, ""_L1}, {"ies"_L1, "y"_L1}, {"es"_L1, ""_L1}};

} // namespace

bool EnglishNouns::isConcrete(const QString& word) {
    const WordTable concrete{tables::concreteText, tables::concreteStart, tables::concreteCount};
    if (concrete.find(word))
        return true;
    for (const Ending& ending : endings) {
        if (word.size() > ending.form.size() + 1 && word.endsWith(ending.form) &&
            concrete.find(word.chopped(ending.form.size()) + ending.base))
            return true;
    }
    return false;
}

} // namespace corvel
