#include "language/QuestionStart.h"

#include "language/EnglishClause.h"
#include "language/EnglishVerbs.h"
#include "language/ReportedSpeech.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;
using Form = EnglishClause::Form;

} // namespace

bool QuestionStart::questionStartsAt(qsizetype j) const {
    // "…refits now have you…": the sentence ends after "now"
    if (isIn(text(j), clauseEnds) && (text(j) != "right"_L1 || text(j + 1) == "now"_L1))
        return false;
    const qsizetype k = afterDiscourse(j);
    const QString& first = text(k);
    if (isIn(first, questionWords))
        return questionWordStartsAt(j, k);
    // "…for a while now since when", "…took to you in what way", "…now differently how"
    // (not "and get even | with who")
    if (isShortFollowUp(k) && isOneOf(tag(k), {Tag::in, Tag::rb}) && !isVerbWord(j - 1) &&
        (tag(j - 1) != Tag::rb || isIn(text(j - 1), clauseEnds)))
        return true;
    if (isAuxiliary(k))
        return invertedStartsAt(j, k);
    // The speaker wanting to know: "i'd love for you to…", "it would help to…"
    if (isIn(first, {"i"_L1, "we"_L1, "it"_L1}))
        return EnglishClause::readFrom(m_words, k).form == Form::indirectRequest &&
               (k != j || !isVerbWord(j - 1));
    // "let me think": the verb belongs to "let"
    if (text(j - 2) == "let"_L1)
        return false;
    return requestStartsAt(j, k);
}

bool QuestionStart::questionWordStartsAt(qsizetype j, qsizetype k) const {
    const bool adjacent = k == j;
    const Tag before = tag(j - 1);
    const QString& first = text(k);
    // After a noun a clause about it, after a verb or an adjective its object: only an
    // inverted one is a question of its own.
    // "which of those…" opens no clause about the noun before it
    // ("why" only after "reason")
    const bool relative = (EnglishTagger::isNoun(before) || before == Tag::prp) &&
                          isIn(first, relativeWords) && text(k + 1) != "of"_L1 &&
                          (first != "why"_L1 || text(j - 1).startsWith("reason"_L1));
    const bool preposition =
        (isOneOf(before, {Tag::rp, Tag::in}) || isLikelyPreposition(text(j - 1))) &&
        text(j - 1) != "that"_L1;
    // ("remember offhand what time", "explain me how you…"; not "her maternity leave")
    qsizetype verb = j - 1;
    while (verb > 0 && (tag(verb) == Tag::rb || isIn(text(verb), objectPronouns)))
        --verb;
    // ("remember offhand what time")
    if ((tag(verb) == Tag::jj || EnglishTagger::isNoun(tag(verb))) && isVerbWord(verb - 1) &&
        !isIn(text(verb - 1), auxiliaries) &&
        EnglishVerbs::takesObject(text(verb - 1)).value_or(false) &&
        EnglishVerbs::speaks(text(verb - 1)))
        --verb;
    const bool compound =
        EnglishTagger::isNoun(tag(verb - 1)) && canBeNoun(text(verb)) && isShortFollowUp(k);
    const bool embedded = adjacent && ((isVerbWord(verb) && !compound) || preposition ||
                                       isIn(text(j - 1), clauseAdjectives) || relative);
    // After a noun "who has autism" is about it: a question inverts before a pronoun;
    // "which ones" ends a result as a follow-up
    if (adjacent && relative)
        return (m_inversion.whInverted(k) && (isIn(text(whPhraseEnd(k) + 1), subjectPronouns) ||
                                              isIn(text(whPhraseEnd(k) + 1), demonstratives))) ||
               isShortFollowUp(k);
    if (m_inversion.whInverted(k) || (!embedded && m_inversion.whSubject(k)))
        return true;
    // Without inversion, as casual speakers ask ("…mostly nights how you feel about
    // it"), or a short follow-up ending the result ("…after six months how come")
    if (embedded || (adjacent && relative))
        return false;
    const Form form = EnglishClause::readFrom(m_words, k).form;
    // (not "… and what you did", a clause joined to the one before)
    return isShortFollowUp(k) || form == Form::followUp ||
           (form == Form::interrogative && !isIn(text(k - 1), {"and"_L1, "or"_L1}) &&
            text(whPhraseEnd(k)).startsWith("you"_L1));
}

bool QuestionStart::invertedStartsAt(qsizetype j, qsizetype k) const {
    const bool adjacent = k == j;
    const Tag before = tag(j - 1);
    // After a noun "is" is more likely its verb, unless a pronoun follows: "…below market is
    // that going…", not "…the trial period is a conversation…"
    // …or a noun phrase with a verb or an adjective after it ("…fortnight is a rotating
    // pattern going to work"); "is that i find…" opens a clause
    const bool nounBefore = adjacent && (EnglishTagger::isNoun(before) || before == Tag::prp);
    const bool pronounNext = (tag(k + 1) == Tag::prp && !isIndefinite(text(k + 1))) ||
                             (isIn(text(k + 1), demonstratives) && !opensClause(k + 2));
    // ("you said you were…": the verb of the pronoun before it)
    return m_inversion.subjectAfter(k) && !m_inversion.isClosingTag(k) &&
           !(adjacent && pronounBefore(j) &&
             !isOneOf(tag(j - 2), {Tag::in, Tag::to, Tag::vb, Tag::vbp, Tag::vbd}) &&
             text(j - 2) != "about"_L1) &&
           !(nounBefore && isIn(text(k), beForms) && !pronounNext &&
             !predicateAfterPhrase(k + 1)) &&
           !(isIn(text(k + 1), demonstratives) && !pronounNext) &&
           EnglishClause::readFrom(m_words, k).form == Form::interrogative;
}

bool QuestionStart::requestStartsAt(qsizetype j, qsizetype k) const {
    // A request opens on a verb of saying or one that goes through something, read as a verb
    // where it stands, or on a softener: not "click and collect how…"
    qsizetype verb = k;
    while (isIn(text(verb), softeners))
        ++verb;
    if (!isOneOf(tag(verb), {Tag::vb, Tag::vbp}) ||
        !(EnglishVerbs::speaks(text(verb)) || text(verb + 2) == "through"_L1))
        return false;
    const EnglishClause::Reading reading = EnglishClause::readFrom(m_words, k);
    if (reading.form != Form::imperative || !reading.asks)
        return false;
    // "the nurses tell me…", "they usually describe…": the words before are its subject; a
    // request follows a place or time ("…a lot here walk me through…")
    return k != j || !(isIn(text(j - 1), subjectPronouns) || text(j - 1) == "n't"_L1 ||
                       (tag(j - 1) == Tag::nns &&
                        !(isObjectPhrase(j - 1) && isIn(text(verb + 1), {"me"_L1, "us"_L1}))) ||
                       isIn(text(j - 1), verbAdverbs));
}

bool QuestionStart::followsPraise(qsizetype start, qsizetype j) const {
    return std::all_of(m_words.begin() + start, m_words.begin() + j,
                       [](const Word& w) {
                           return isIn(w.text, replyWords) || w.tag == Tag::jj ||
                                  openings::joinsSentences(w.text);
                       }) &&
           EnglishClause::readFrom(m_words, afterDiscourse(j)).form == Form::followUp;
}

bool QuestionStart::quoteStartsAt(qsizetype j) const {
    if (!reportsSpeech(m_words, j) || text(j).startsWith(u'\''))
        return false;
    if (isIn(text(j), questionWords))
        return m_inversion.whInverted(j) || m_inversion.whSubject(j);
    return isAuxiliary(j) && !isIn(text(j - 1), subjectPronouns) && m_inversion.subjectAfter(j);
}

bool QuestionStart::isShortFollowUp(qsizetype k) const {
    return size() - k <= 3 &&
           std::any_of(m_words.begin() + k, m_words.end(),
                       [](const Word& w) { return isIn(w.text, questionWords); }) &&
           std::none_of(m_words.begin() + k, m_words.end(),
                        [](const Word& w) { return isFinite(w.tag) || isIn(w.text, auxiliaries); });
}

bool QuestionStart::opensClause(qsizetype i) const {
    if (isIn(text(i), subjectPronouns))
        return true;
    while (i < size() && (EnglishTagger::isNoun(tag(i)) || isOneOf(tag(i), {Tag::dt, Tag::jj})))
        ++i;
    return isFinite(tag(i));
}

bool QuestionStart::predicateAfterPhrase(qsizetype i) const {
    // "the software is a bit dated": a degree, not a subject
    if (text(i) == "a"_L1 && isIn(text(i + 1), {"bit"_L1, "little"_L1, "lot"_L1}))
        return false;
    while (i < size() && (EnglishTagger::isNoun(tag(i)) ||
                          isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::pos, Tag::cd}) ||
                          (tag(i) == Tag::vbg && EnglishTagger::isNoun(tag(i + 1)))))
        ++i;
    return isOneOf(tag(i), {Tag::vbg, Tag::vbn, Tag::jj, Tag::rb});
}

bool QuestionStart::isObjectPhrase(qsizetype i) const {
    while (i > 0 && (EnglishTagger::isNoun(tag(i)) ||
                     isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::cd, Tag::pos, Tag::vbn})))
        --i;
    return isFiniteAt(i) || isOneOf(tag(i), {Tag::in, Tag::of, Tag::vb, Tag::vbg});
}

} // namespace corvel
