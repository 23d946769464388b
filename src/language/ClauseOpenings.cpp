#include "language/ClauseOpenings.h"

#include "language/EnglishWords.h"

#include <QStringList>

#include <algorithm>

namespace corvel::openings {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;

// Spoken lead-ins before the clause that carries the question ("okay so could you…"), as
// words; the longest first where one opens another. Those that join may open a sentence after
// a complete one ("…below market so is that…"); the others may as well end it ("…sounds good",
// "…i'm not sure", "…thanks").
struct Discourse {
    QLatin1String phrase;
    bool joins;
};
constexpr Discourse discourse[] = {{"my next question is"_L1, true},
                                   {"the next question is"_L1, true},
                                   {"my question is"_L1, true},
                                   {"next question"_L1, true},
                                   {"next one"_L1, true},
                                   {"moving on"_L1, false},
                                   {"and then"_L1, true},
                                   {"all right"_L1, true},
                                   {"thank you"_L1, false},
                                   {"to start"_L1, true},
                                   {"to begin"_L1, true},
                                   {"go on"_L1, true},
                                   {"so"_L1, true},
                                   {"and"_L1, true},
                                   {"okay"_L1, true},
                                   {"ok"_L1, true},
                                   {"well"_L1, true},
                                   {"now"_L1, true},
                                   {"great"_L1, false},
                                   {"alright"_L1, true},
                                   {"right"_L1, true},
                                   {"thanks"_L1, false},
                                   {"then"_L1, true},
                                   {"also"_L1, false},
                                   {"but"_L1, true},
                                   {"oh"_L1, false},
                                   {"um"_L1, true},
                                   {"uh"_L1, true},
                                   {"er"_L1, true},
                                   {"erm"_L1, true},
                                   {"hmm"_L1, false},
                                   {"mm"_L1, false},
                                   {"yeah"_L1, false},
                                   {"yes"_L1, false},
                                   {"good"_L1, false},
                                   {"cool"_L1, false},
                                   {"perfect"_L1, false},
                                   {"sure"_L1, false},
                                   {"first"_L1, false},
                                   {"next"_L1, false},
                                   {"lastly"_L1, false},
                                   {"finally"_L1, false},
                                   {"interesting"_L1, false},
                                   {"excellent"_L1, false},
                                   {"wonderful"_L1, false},
                                   {"fine"_L1, false},
                                   {"hi"_L1, false},
                                   {"hello"_L1, false},
                                   {"hey"_L1, false},
                                   {"actually"_L1, false},
                                   {"anyway"_L1, true},
                                   {"nice"_L1, false}};

// The discourse phrases as words, split once.
const QList<std::pair<QStringList, bool>>& discoursePhrases() {
    static const QList<std::pair<QStringList, bool>> phrases = [] {
        QList<std::pair<QStringList, bool>> split;
        for (const Discourse& entry : discourse)
            split.append({QString(entry.phrase).split(u' '), entry.joins});
        return split;
    }();
    return phrases;
}

} // namespace

qsizetype afterDiscourse(const QList<EnglishTagger::Word>& words, qsizetype i, bool onlyJoining) {
    const qsizetype size = words.size();
    const auto text = [&](qsizetype k) { return k < size ? words[k].text : QString(); };
    for (bool skipped = true; skipped && i < size - 1;) {
        skipped = false;
        if (text(i) == "now"_L1 && text(i + 1) == "that"_L1)
            break;
        if (words[i].tag == Tag::uh && text(i) != "please"_L1) {
            ++i;
            skipped = true;
            continue;
        }
        for (const auto& [parts, joins] : discoursePhrases()) {
            if ((joins || !onlyJoining) && i + parts.size() < size &&
                parts.first().size() == words[i].text.size() &&
                std::equal(parts.begin(), parts.end(), words.begin() + i,
                           [](const QString& part, const EnglishTagger::Word& word) {
                               return part == word.text;
                           })) {
                i += parts.size();
                skipped = true;
                break;
            }
        }
    }
    return i;
}

bool joinsSentences(const QString& word) {
    return std::any_of(std::begin(discourse), std::end(discourse), [&word](const Discourse& entry) {
        return entry.joins && entry.phrase == word;
    });
}

qsizetype questionPhraseEnd(const QList<EnglishTagger::Word>& words, qsizetype i) {
    const qsizetype size = words.size();
    const auto text = [&](qsizetype k) { return k >= 0 && k < size ? words[k].text : QString(); };
    const auto tag = [&](qsizetype k) { return k >= 0 && k < size ? words[k].tag : Tag::punc; };
    const auto filler = [&](qsizetype k) { return isIn(text(k), fillers); };
    qsizetype p = i + 1;
    while (filler(p))
        ++p;
    // "what in the world", "why on earth"
    if (isIn(text(p), {"in"_L1, "on"_L1}) &&
        (text(p + 1) == "earth"_L1 || (text(p + 1) == "the"_L1 && text(p + 2) == "world"_L1)))
        p += text(p + 1) == "earth"_L1 ? 2 : 3;
    if (text(i) == "how"_L1) {
        // "how long", "how deprived", "how many people", "how big a team"
        if (!isOneOf(tag(p), {Tag::jj, Tag::rb, Tag::jjr, Tag::vbn}) || text(p) == "about"_L1)
            return p;
        const bool quantity = text(p) == "many"_L1 || text(p) == "much"_L1;
        const qsizetype first = p;
        ++p;
        // ("how much notice", the tagger reading "notice" as a verb; "how many calls a day")
        while (quantity && p < i + 5 &&
               (EnglishTagger::isNoun(tag(p)) || tag(p) == Tag::jj || filler(p) ||
                (p == first + 1 && canBeNoun(text(p))) ||
                (p > first + 1 && tag(p) == Tag::dt && EnglishTagger::isNoun(tag(p + 1))) ||
                (p == first + 1 && tag(p) == Tag::of))) // "how many of the residents"
            ++p;
        if (!quantity && isIn(text(p), {"a"_L1, "an"_L1}) && EnglishTagger::isNoun(tag(p + 1)))
            p += 2;
        return p;
    }
    if (isIn(text(i), {"who"_L1, "whom"_L1, "why"_L1, "where"_L1, "when"_L1}))
        return p + (text(p) == "else"_L1 ? 1 : 0);
    // "what your supervisor would say": a possessive opens the subject, not the phrase
    if (isIn(text(p), {"your"_L1, "my"_L1, "our"_L1, "their"_L1, "his"_L1, "her"_L1}))
        return p;
    while (p < size && p < i + 6 && !isIn(text(p), auxiliaries) && tag(p) != Tag::md &&
           (text(p) == "else"_L1 || filler(p) ||
            isOneOf(tag(p), {Tag::dt, Tag::jj, Tag::jjr, Tag::jjs, Tag::cd, Tag::of}) ||
            isIn(text(p), {"one"_L1, "that"_L1, "this"_L1, "those"_L1, "these"_L1}) ||
            (EnglishTagger::isNoun(tag(p)) &&
             !(EnglishTagger::isNoun(tag(p - 1)) &&
               (text(p).endsWith(u's') || tag(p - 1) == Tag::nns) && canBeVerb(text(p)) &&
               // ("what age groups | do you…": an auxiliary follows the phrase's noun)
               !isIn(text(p + 1), auxiliaries) && tag(p + 1) != Tag::md))))
        ++p;
    return p;
}

} // namespace corvel::openings
