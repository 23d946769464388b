#include "language/SentenceEnding.h"

#include "language/EnglishClause.h"
#include "language/EnglishVerbs.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;

} // namespace

SentenceEnd SentenceEnding::ending(qsizetype start) const {
    const qsizetype last = size() - 1;
    const QString& word = text(last);
    // "what do you mean by liberal um": the filler holds the place of more
    if (isIn(word, fillers) && last > start) {
        const SentenceEnd before = SentenceEnding(SentenceWords(m_words.first(last))).ending(start);
        return before == SentenceEnd::whole ? SentenceEnd::open : before;
    }
    const bool dangling =
        isIn(word, {"the"_L1, "a"_L1, "an"_L1, "my"_L1, "your"_L1, "our"_L1, "their"_L1, "his"_L1,
                    "its"_L1, "every"_L1, "and"_L1, "but"_L1, "if"_L1, "because"_L1, "whether"_L1,
                    "unless"_L1, "although"_L1}) ||
        isIn(word, fillers) || (word == "so"_L1 && text(last - 1) == "just"_L1);
    if (dangling || endsAwaitingVerb(start, last))
        return SentenceEnd::cutOff;
    return isOpen(start) ? SentenceEnd::open : SentenceEnd::whole;
}

bool SentenceEnding::isOpen(qsizetype start) const {
    const qsizetype last = size() - 1;
    const QString& word = text(last);
    const qsizetype first = afterDiscourse(start);
    // "would you prefer the morning slot or"
    const bool trailsOff = word == "or"_L1 && last > first + 1 &&
                           EnglishClause::readFrom(m_words.first(last), first).asks;
    // "you can explain me…", "i'm going to…"
    const bool toldWhat = isIn(word, {"me"_L1, "us"_L1}) && EnglishVerbs::speaks(text(last - 1));
    const bool infinitive =
        word == "to"_L1 && isOneOf(tag(last - 1), {Tag::vbg, Tag::vb, Tag::vbp, Tag::vbd});
    if (trailsOff || endsOnSubject(start) || toldWhat || infinitive || endsQuestionPhrase(last) ||
        (endsOpenClause(last) && !asksWhyOf(first)) || topicAwaitsVerb(start))
        return true;
    // A lead-in without its main clause: "since you've worked"
    return m_leadIn.leadInAt(start) == SentenceLeadIn::Kind::clause &&
           isIn(text(first),
                {"if"_L1, "when"_L1, "since"_L1, "once"_L1, "before"_L1, "after"_L1, "given"_L1,
                 "assuming"_L1, "considering"_L1, "suppose"_L1, "supposing"_L1, "imagine"_L1}) &&
           !EnglishClause::readFrom(m_words, first).asks;
}

bool SentenceEnding::endsOnSubject(qsizetype start) const {
    const qsizetype last = size() - 1;
    qsizetype subject = last;
    while (subject > start && subject > last - 3 &&
           (EnglishTagger::isNoun(tag(subject)) || isOneOf(tag(subject), {Tag::dt, Tag::jj})))
        --subject;
    if (tag(last) == Tag::prp || isIn(text(last), demonstratives))
        subject = last - 1;
    const bool opens =
        subject == afterDiscourse(start) || isIn(text(subject - 1), {"or"_L1, "and"_L1});
    const bool afterQuestion =
        isIn(text(subject - 1), questionWords) || endsQuestionPhrase(subject - 1);
    const bool be = isIn(text(subject), beForms);
    return subject < last && subject >= start &&
           (EnglishTagger::isNoun(tag(last)) || tag(last) == Tag::prp ||
            isIn(text(last), demonstratives)) &&
           (((tag(subject) == Tag::md || isIn(text(subject), doForms) ||
              isIn(text(subject), haveForms)) &&
             (opens || afterQuestion)) ||
            (be && opens));
}

bool SentenceEnding::asksWhyOf(qsizetype first) const {
    return text(first) == "why"_L1 &&
           std::none_of(m_words.begin() + first + 1, m_words.end(),
                        [](const Word& w) {
                            return isVerb(w.tag) || isIn(w.text, auxiliaries) ||
                                   isOneOf(w.tag, {Tag::vbn, Tag::vbg});
                        }) &&
           EnglishClause::readFrom(m_words, first).asks;
}

bool SentenceEnding::topicAwaitsVerb(qsizetype start) const {
    if (m_leadIn.leadInAt(start) != SentenceLeadIn::Kind::topic)
        return false;
    qsizetype i = afterDiscourse(start);
    while (i < size() && !isFiniteAt(i))
        ++i;
    // The clause's own verbs, then nothing with a tense
    while (i < size() && (isFiniteAt(i) || isAuxiliary(i) || tag(i) == Tag::rb ||
                          isOneOf(tag(i), {Tag::vb, Tag::vbn, Tag::vbg, Tag::to})))
        ++i;
    for (; i < size(); ++i) {
        // ("… that came up when we were going through them": a clause of its own)
        if (isIn(text(i), leadInSubordinators) &&
            (isIn(text(i + 1), subjectPronouns) || tag(i + 1) == Tag::dt))
            return true;
        if (isFiniteAt(i) || isAuxiliary(i) || isIn(text(i), clauseMarkers))
            return false;
    }
    return true;
}

bool SentenceEnding::endsAwaitingVerb(qsizetype start, qsizetype last) const {
    qsizetype end = last;
    while (end > start && ((isIn(text(end), verbAdverbs) && text(end) != "actually"_L1) ||
                           isIn(text(end), {"each"_L1, "all"_L1, "both"_L1, "n't"_L1})))
        --end;
    const auto opensClause = [this, start](qsizetype aux) {
        qsizetype before = aux - 1;
        while (before >= start && openings::joinsSentences(text(before)))
            --before;
        return before < start || isIn(text(before), questionWords) || endsQuestionPhrase(before) ||
               isIn(text(before), {"or"_L1, "and"_L1});
    };
    if (isAuxiliary(end) && tag(end) != Tag::pos) {
        if (end < last)
            return true;
        // ("how many were" is whole: the question phrase is what "be" says of its subject)
        const bool be = isIn(text(end), beForms) || isIn(text(end), {"be"_L1, "been"_L1});
        // ("how you would", not "what you did", where "did" is the verb itself)
        if (!be && (endsQuestionPhrase(end - 1) || opensClause(end) ||
                    (tag(end) == Tag::md && tag(end - 1) == Tag::prp &&
                     isIn(text(end - 2), questionWords))))
            return true;
        if (!isIn(text(end), beForms))
            return false;
        // "the students who were", "the gap … was", not "what your notice period is"
        if (isIn(text(end - 1), {"who"_L1, "which"_L1, "that"_L1}))
            return true;
        qsizetype phrase = end - 1;
        while (phrase > start && (EnglishTagger::isNoun(tag(phrase)) ||
                                  isOneOf(tag(phrase), {Tag::dt, Tag::jj, Tag::pos})))
            --phrase;
        return EnglishTagger::isNoun(tag(end - 1)) && !isIn(text(phrase), questionWords);
    }
    // The auxiliary, then its subject: "have you", "why would the competitor" may end a
    // question or go on
    qsizetype subject = end;
    if (end == last)
        return false;
    if (tag(subject) != Tag::prp) {
        while (subject > end - 3 && subject > start &&
               (EnglishTagger::isNoun(tag(subject)) ||
                isOneOf(tag(subject), {Tag::dt, Tag::jj, Tag::pos})))
            --subject;
        if (subject == end || !EnglishTagger::isNoun(tag(end)))
            return false;
    } else {
        --subject;
    }
    return (tag(subject) == Tag::md || isIn(text(subject), doForms) ||
            isIn(text(subject), haveForms)) &&
           opensClause(subject);
}

} // namespace corvel
