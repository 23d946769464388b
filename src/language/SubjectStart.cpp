#include "language/SubjectStart.h"

#include "language/EnglishVerbs.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;

// Nouns of time, after which a new subject begins a clause of its own ("…last year it took six
// months") rather than one about them ("the team you joined").
constexpr QLatin1String timeNouns[] = {
    "year"_L1,    "years"_L1,   "month"_L1,    "months"_L1,    "week"_L1,      "weeks"_L1,
    "day"_L1,     "days"_L1,    "morning"_L1,  "afternoon"_L1, "evening"_L1,   "night"_L1,
    "tonight"_L1, "today"_L1,   "quarter"_L1,  "summer"_L1,    "winter"_L1,    "spring"_L1,
    "autumn"_L1,  "weekend"_L1, "weekends"_L1, "ago"_L1,       "yesterday"_L1, "tomorrow"_L1};
// Closing tags with a subject and verb of their own.
constexpr QLatin1String tagPhrases[] = {"i take it"_L1, "you said"_L1, "i think"_L1,
                                        "i guess"_L1,   "i assume"_L1, "i suppose"_L1,
                                        "i imagine"_L1, "i believe"_L1};

} // namespace

bool SubjectStart::subjectStartsAt(qsizetype j, bool afterPhrase, qsizetype start) const {
    const qsizetype last = j - 1;
    const QString& before = text(last);
    // "anything else you'd like to add", "i'm sure you will", "fair to say you…"
    if (isIn(before, clauseAdjectives) || isIndefinite(before) ||
        (isVerbWord(last) && EnglishVerbs::speaks(before)) ||
        (text(j) == "that"_L1 && EnglishTagger::isNoun(tag(last))))
        return false;
    if (m_afterQuestion.clarifiesQuestion(start, j))
        return true;
    const QString& first = text(j);
    // ("work in it have you…": "it" is the object of "in")
    const bool pronoun = isIn(first, subjectPronouns) && !(isIn(first, {"it"_L1, "you"_L1}) &&
                                                           isOneOf(tag(j - 1), {Tag::in, Tag::rp}));
    // ("on that were there…": "that" is the object of "on")
    const bool demonstrative = isIn(first, demonstratives) && isIn(text(j + 1), beForms) &&
                               !isOneOf(tag(j - 1), {Tag::in, Tag::rp}) && !isVerbWord(j - 1);
    // "…from the head chef | his question is…": a possessive's noun opens no clause about the
    // noun before
    if (isIn(first, {"his"_L1, "her"_L1, "my"_L1, "our"_L1, "their"_L1}) &&
        EnglishTagger::isNoun(tag(j + 1)) && isIn(text(j + 2), beForms) &&
        (EnglishTagger::isNoun(tag(last)) || !EnglishTagger::knows(before)))
        return true;
    if ((!pronoun && !demonstrative) || isTagPhrase(j))
        return false;
    qsizetype verb = j + 1;
    while (verb < size() && tag(verb) == Tag::rb)
        ++verb;
    // After a verb its object, but "i", "we", "they", "he" and "she" are no object: "what did
    // you fix i still do that"
    const bool nominative = isIn(first, {"i"_L1, "we"_L1, "they"_L1, "he"_L1, "she"_L1});
    if (verb >= size() || !(isFinite(tag(verb)) || isIn(text(verb), auxiliaries)) ||
        (isVerbWord(last) && !nominative))
        return false;
    // A word the lexicon lacks is most often a name or a noun ("stakeholder")
    const bool noun = EnglishTagger::isNoun(tag(last)) || !EnglishTagger::knows(before);
    // "was it thursday | we said for…": a clause whose verb lacks its object is about the
    // noun before it
    if (noun && EnglishVerbs::takesObject(text(verb)).value_or(false) &&
        !EnglishVerbs::standsAlone(text(verb)).value_or(true) &&
        (verb + 1 == size() || isPreposition(tag(verb + 1))))
        return false;
    // ("last year it took…", not "the first year they…"; "the earliest you could…")
    const bool adverbialTime =
        isIn(before, timeNouns) &&
        !(text(last - 1) == "the"_L1 || tag(last - 1) == Tag::jjs ||
          isIn(text(last - 1), {"first"_L1, "second"_L1, "third"_L1, "same"_L1, "only"_L1}));
    if (tag(last) == Tag::jjs)
        return false;
    return afterPhrase || !noun || adverbialTime || isOneOf(tag(last), {Tag::nnp, Tag::cd});
}

bool SubjectStart::isTagPhrase(qsizetype j) const {
    QStringList rest;
    for (qsizetype i = j; i < size(); ++i)
        rest.append(text(i));
    return isIn(rest.join(u' '), tagPhrases);
}

} // namespace corvel
