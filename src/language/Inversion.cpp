#include "language/Inversion.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;

// Question words that may stand as the subject of their own question ("what happened there").
constexpr QLatin1String subjectQuestionWords[] = {"what"_L1, "who"_L1, "which"_L1, "whose"_L1};
// Words a closing tag question ends on: "is that right", "isn't it".
constexpr QLatin1String tagEnds[] = {"right"_L1, "correct"_L1, "true"_L1, "fair"_L1};

} // namespace

bool Inversion::whInverted(qsizetype i) const {
    // "why leave now", "why go back", "why this company"
    if (text(i) == "why"_L1 && !isIn(text(i + 1), auxiliaries) &&
        (isOneOf(tag(i + 1), {Tag::vb, Tag::vbp}) ||
         (tag(i + 1) == Tag::dt && !isIn(text(i + 1), {"the"_L1, "a"_L1, "an"_L1}))))
        return true;
    const qsizetype auxiliary = whPhraseEnd(i);
    return isAuxiliary(auxiliary) && subjectAfter(auxiliary);
}

qsizetype Inversion::whStart(qsizetype aux) const {
    qsizetype i = aux - 1;
    while (i > 0 && aux - i < 4 && !isIn(text(i), questionWords))
        --i;
    return i;
}

bool Inversion::whSubject(qsizetype i) const {
    // "how many people were…"
    const bool quantity = text(i) == "how"_L1 && isIn(text(i + 1), {"many"_L1, "much"_L1});
    if (!isIn(text(i), subjectQuestionWords) && !quantity)
        return false;
    // ("…first which didn't go down well": a bare "which" is about what came before)
    if (text(i) == "which"_L1 && !EnglishTagger::isNoun(tag(i + 1)) &&
        !isIn(text(i + 1), {"of"_L1, "one"_L1}))
        return false;
    qsizetype p = i + (quantity ? 2 : 1);
    while (p < size() && p <= i + 3 &&
           (text(p) == "else"_L1 ||
            (text(i) != "who"_L1 &&
             (EnglishTagger::isNoun(tag(p)) || isOneOf(tag(p), {Tag::dt, Tag::jj, Tag::of})))))
        ++p;
    while (p < size() && tag(p) == Tag::rb)
        ++p;
    // ("what law school's like": the question word is what "be" says of its subject)
    if (p > i + 1 && isIn(text(p), beForms) && text(p + 1) == "like"_L1)
        return false;
    return p < size() && p + 1 < size() && (isFinite(tag(p)) || isIn(text(p), auxiliaries));
}

bool Inversion::subjectAfter(qsizetype aux) const {
    qsizetype subject = aux + 1;
    if (text(subject) == "n't"_L1)
        ++subject;
    if (subject >= size())
        return false;
    const QString& auxiliary = text(aux);
    // After "do" or a modal the verb is in the base form, which the tagger may read as a
    // noun or a present ("would early starts be"): it is the first word that can be one
    // after a noun phrase
    if (tag(aux) == Tag::md || isIn(auxiliary, doForms)) {
        // "who'll walk through…": the verb follows, the question word is its subject
        if (tag(subject) == Tag::vb)
            return false;
        bool hasSubject = false;
        for (qsizetype i = subject; i < size() && i <= subject + 7; ++i) {
            // "would travelling between the two be…": a gerund with its phrase
            const bool nounPhrase =
                tag(i) == Tag::prp || EnglishTagger::isNoun(tag(i)) ||
                isOneOf(tag(i), {Tag::dt, Tag::jj, Tag::pos, Tag::cd, Tag::vbg}) ||
                canBeNoun(text(i)) || isIn(text(i), demonstratives) ||
                (hasSubject && isOneOf(tag(i), {Tag::in, Tag::of, Tag::rbs, Tag::rbr, Tag::vbn}));
            if (i > subject && hasSubject &&
                (isOneOf(tag(i), {Tag::vb, Tag::vbp}) ||
                 hasReading(text(i), [](Tag t) { return t == Tag::vb; })))
                return true;
            hasSubject =
                hasSubject || (nounPhrase && tag(i) != Tag::rb) || isIn(text(i), demonstratives);
            if (!nounPhrase && tag(i) != Tag::rb)
                return false;
        }
        return false;
    }
    qsizetype next = subject + 1;
    if (!(tag(subject) == Tag::prp || tag(subject) == Tag::ex ||
          isIn(text(subject), demonstratives))) {
        // A noun phrase, with its noun: "who's furious about…" has no subject
        bool noun = false;
        for (next = subject;
             next < size() && (EnglishTagger::isNoun(tag(next)) ||
                               isOneOf(tag(next), {Tag::dt, Tag::jj, Tag::pos}) ||
                               (tag(next) == Tag::vbg &&
                                EnglishTagger::isNoun(tag(next + 1)))); // "a rotating pattern"
             ++next)
            noun = noun || EnglishTagger::isNoun(tag(next));
        if (!noun)
            return false;
    }
    // ("how was the journey": after a question phrase "be" needs nothing more)
    if (next >= size())
        return isIn(auxiliary, beForms) && isIn(text(whStart(aux)), questionWords);
    if (isIn(text(next), beForms) || tag(next) == Tag::md)
        return false;
    // After "have" a participle, which the tagger may read as a past
    if (isIn(auxiliary, haveForms))
        return !isOneOf(tag(next), {Tag::vbz, Tag::vbp});
    return !isFinite(tag(next));
}

bool Inversion::isClosingTag(qsizetype i) const {
    const qsizetype n = size() - i;
    if (n > 4)
        return false;
    qsizetype p = i + 1;
    if (p < size() && text(p) == "n't"_L1)
        ++p;
    return (p + 1 == size() && tag(p) == Tag::prp) ||
           (p + 2 == size() && isIn(text(size() - 1), tagEnds));
}

} // namespace corvel
