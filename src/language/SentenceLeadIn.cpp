#include "language/SentenceLeadIn.h"

#include "language/EnglishClause.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;
using Form = EnglishClause::Form;

} // namespace

SentenceLeadIn::Kind SentenceLeadIn::leadInAt(qsizetype i) const {
    i = afterDiscourse(i);
    // "sorry, before we start…"
    while (i + 1 < size() && isIn(text(i), replyWords) && isIn(text(i + 1), leadInSubordinators))
        ++i;
    while (i + 1 < size() && tag(i) == Tag::rb && !isIn(text(i), leadInSubordinators))
        ++i; // "so hypothetically if…"
    // "let's say…", "bearing in mind…"
    const bool scene = (text(i) == "let"_L1 && text(i + 1) == "'s"_L1) ||
                       isIn(text(i), {"bearing"_L1, "knowing"_L1, "remembering"_L1});
    if (scene || (isIn(text(i), leadInSubordinators) &&
                  EnglishClause::readFrom(m_words, i).form != Form::interrogative))
        return Kind::clause;
    if (isOneOf(tag(i), {Tag::vbg, Tag::in, Tag::of, Tag::to}))
        return Kind::phrase;
    // "the thing i always ask", "something the partners want to know": a noun phrase, then
    // a clause about it with its own subject
    const bool indefinite =
        (isIndefinite(text(i)) && tag(i) != Tag::dt && !isIn(text(i), questionWords)) ||
        (text(i) == "one"_L1 && EnglishTagger::isNoun(tag(i + 1))); // "one thing that…"
    qsizetype noun = i + 1;
    while (!indefinite && noun < size() &&
           (EnglishTagger::isNoun(tag(noun)) || isOneOf(tag(noun), {Tag::dt, Tag::jj})))
        ++noun;
    qsizetype verb = noun + 1;
    if (text(i) == "one"_L1 && !isIn(text(noun), subjectPronouns))
        noun = i + 2;
    if (isIn(text(noun), {"that"_L1, "who"_L1, "which"_L1})) {
        verb = noun + 1; // "one thing that came up"
    } else if (!isIn(text(noun), subjectPronouns)) {
        verb = noun;
        if (tag(verb) == Tag::dt)
            ++verb;
        while (verb < size() && EnglishTagger::isNoun(tag(verb)))
            ++verb;
        if (verb == noun || tag(noun) != Tag::dt)
            return Kind::none;
    }
    while (verb < size() && tag(verb) == Tag::rb)
        ++verb;
    const bool topic =
        (tag(i) == Tag::dt || indefinite) && noun > i && noun < size() && isFiniteAt(verb);
    return topic ? Kind::topic : Kind::none;
}

} // namespace corvel
