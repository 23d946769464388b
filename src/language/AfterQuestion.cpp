#include "language/AfterQuestion.h"

#include "language/EnglishClause.h"
#include "language/EnglishVerbs.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;
using Form = EnglishClause::Form;

// Nouns a clause about them follows without "that" or "when": "a time you helped…".
constexpr QLatin1String adverbialHeads[] = {
    "time"_L1, "times"_L1,  "moment"_L1, "occasion"_L1,  "occasions"_L1, "day"_L1,
    "way"_L1,  "reason"_L1, "place"_L1,  "situation"_L1, "point"_L1};

} // namespace

bool AfterQuestion::answersQuestion(qsizetype start, qsizetype j) const {
    const qsizetype asked = afterDiscourse(start);
    // (or "it's…", "it means…" after one: "where's head office it's in leeds")
    const bool fragment =
        isIn(text(asked), questionWords) &&
        (EnglishTagger::isNoun(tag(j - 1)) || tag(j - 1) == Tag::rb ||
         (tag(j - 1) == Tag::vb && text(j - 2) != "to"_L1)) &&
        (isFragmentAt(j) || (isIn(text(j), {"it"_L1, "they"_L1}) && isFiniteAt(j + 1))) &&
        std::none_of(m_words.begin() + start, m_words.begin() + j,
                     [](const Word& w) { return isIn(w.text, secondPerson); });
    // ("do you think we do it | because…" goes on: "because" answers only a why)
    const bool why = std::any_of(m_words.begin() + asked, m_words.begin() + j,
                                 [](const Word& w) { return w.text == "why"_L1; }) ||
                     (text(asked) == "how"_L1 && text(asked + 1) == "come"_L1);
    if (!fragment && !(opensAnswer({text(j), text(j + 1)}) && (text(j) != "because"_L1 || why)))
        return false;
    return EnglishClause::readFrom(m_words, asked).form == Form::interrogative;
}

bool AfterQuestion::isFragmentAt(qsizetype i) const {
    // "about forty", "mostly client calls", "half six"
    // (a number after "about": "about our company" goes on with the question)
    const bool approximate =
        isIn(text(i), {"about"_L1, "around"_L1, "roughly"_L1}) || tag(i) == Tag::pdt;
    const bool mostly = isIn(text(i), {"mostly"_L1, "mainly"_L1});
    if (approximate || mostly)
        ++i;
    if (approximate ? tag(i) != Tag::cd
                    : !(isOneOf(tag(i), {Tag::cd, Tag::nnp, Tag::dt}) ||
                        (mostly && EnglishTagger::isNoun(tag(i))) ||
                        isIn(text(i), {"mine"_L1, "ours"_L1, "theirs"_L1})))
        return false;
    qsizetype end = i + 1;
    while (end < size() && end < i + 4 &&
           (EnglishTagger::isNoun(tag(end)) || isOneOf(tag(end), {Tag::jj, Tag::cd})))
        ++end;
    // (an article needs its noun: not "the only")
    if (tag(i) == Tag::dt && !EnglishTagger::isNoun(tag(end - 1)))
        return false;
    return !isFinite(tag(end)) && !isAuxiliary(end) && tag(end) != Tag::pos;
}

bool AfterQuestion::clarifiesQuestion(qsizetype start, qsizetype j) const {
    return !goesOnWithQuestion(start, j) && isWholeClauseAt(j) &&
           EnglishClause::readFrom(m_words, afterDiscourse(start)).form == Form::interrogative;
}

bool AfterQuestion::goesOnWithQuestion(qsizetype start, qsizetype j) const {
    // "what you'd bring that's different": "that" after a verb or a noun is about it
    if (text(j) == "that"_L1 && (isVerbWord(j - 1) || EnglishTagger::isNoun(tag(j - 1))))
        return true;
    // "what made you…", "a time you helped…", "any clients you couldn't win round", "how many
    // coffees we sell": the question is not over
    for (qsizetype i = std::max<qsizetype>(start, j - 4); i < j; ++i) {
        if (isIn(text(i), questionWords) && i > afterDiscourse(start))
            return true;
    }
    const bool objectAsked = isIn(text(afterDiscourse(start)), {"what"_L1, "which"_L1, "whose"_L1});
    return (isVerbWord(j - 1) && !objectAsked &&
            EnglishVerbs::takesObject(text(j - 1)).value_or(false)) ||
           isIn(text(j - 1), adverbialHeads) ||
           (EnglishTagger::isNoun(tag(j - 1)) && isIn(text(j), {"you"_L1, "i"_L1}));
}

bool AfterQuestion::isWholeClauseAt(qsizetype j) const {
    // Its subject: a pronoun, or a noun phrase before "is"
    qsizetype verb = j;
    if (isIn(text(j), subjectPronouns) || isIn(text(j), demonstratives) ||
        (tag(j) == Tag::rb && isIn(text(j + 1), beForms))) { // "roughly is fine"
        verb = j + 1;
    } else {
        if (tag(verb) == Tag::dt)
            ++verb;
        while (verb < size() && verb < j + 4 &&
               isOneOf(tag(verb), {Tag::jj, Tag::nn, Tag::nns, Tag::cd, Tag::pos}))
            ++verb;
        if (verb == j || !isIn(text(verb), beForms))
            return false;
    }
    // Its verb: auxiliaries, "not" and adverbs, then the verb that takes its complement
    qsizetype main = -1;
    qsizetype i = verb;
    for (; i < size() && (isAuxiliary(i) || tag(i) == Tag::rb || isVerb(tag(i)) ||
                          isOneOf(tag(i), {Tag::vbn, Tag::vbg}));
         ++i) {
        if (tag(i) != Tag::rb)
            main = i;
    }
    if (main < 0 || i >= size())
        return false;
    // A preposition without its object has it in the noun before ("you've worked with")
    for (qsizetype p = i; p < size() && !isOneOf(tag(p), {Tag::cc, Tag::wrb, Tag::wdt, Tag::wp}) &&
                          !isIn(text(p), leadInSubordinators);
         ++p) {
        if (isPreposition(tag(p)) && (p + 1 == size() || isPreposition(tag(p + 1))))
            return false;
    }
    // After "be" what it says of the subject, not a preposition ("you are on now")
    const bool complement = (isIn(text(main), beForms) || isIn(text(main), {"be"_L1, "been"_L1})) &&
                            !isPreposition(tag(i));
    const bool object =
        EnglishTagger::isNoun(tag(i)) || isOneOf(tag(i), {Tag::prp, Tag::dt, Tag::cd, Tag::jj});
    return complement || (EnglishVerbs::takesObject(text(main)).value_or(false) && object);
}

} // namespace corvel
