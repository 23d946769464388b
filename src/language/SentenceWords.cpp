#include "language/SentenceWords.h"

namespace corvel {

using namespace englishWords;
using namespace sentenceWords;

SentenceWords::SentenceWords(QList<Word> words) : TaggedWords(std::move(words)) {
    m_finite.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        m_finite.append(readsFinite(i));
}

bool SentenceWords::readsFinite(qsizetype i) const {
    if (isFinite(tag(i)) || isIn(text(i), auxiliaries))
        return true;
    qsizetype subject = i - 1;
    while (subject > 0 && tag(subject) == Tag::rb)
        --subject;
    if (isIn(text(subject), subjectPronouns) && text(subject) != "it"_L1)
        return hasReading(text(i), [](Tag t) { return isOneOf(t, {Tag::vbp, Tag::vbd, Tag::vb}); });
    return tag(i) == Tag::nns && EnglishTagger::isNoun(tag(i - 1)) && tag(i - 1) != Tag::nns &&
           hasReading(text(i), [](Tag t) { return t == Tag::vbz; });
}

qsizetype SentenceWords::afterDiscourse(qsizetype i) const {
    return openings::afterDiscourse(m_words, i, true);
}

bool SentenceWords::isVerbWord(qsizetype i) const {
    return (isVerb(tag(i)) || isOneOf(tag(i), {Tag::vbn, Tag::vbg})) &&
           !(isOneOf(tag(i - 1), {Tag::dt, Tag::jj, Tag::cd, Tag::pos}) && canBeNoun(text(i)));
}

bool SentenceWords::pronounBefore(qsizetype j) const {
    qsizetype i = j - 1;
    while (i > 0 && tag(i) == Tag::rb)
        --i;
    return isIn(text(i), subjectPronouns);
}

bool SentenceWords::isIndefinite(const QString& word) {
    return word.endsWith("thing"_L1) || word.endsWith("one"_L1) || word.endsWith("body"_L1) ||
           word.endsWith("where"_L1) || word == "else"_L1;
}

bool SentenceWords::endsQuestionPhrase(qsizetype i) const {
    for (qsizetype w = i; w >= 0 && w >= i - 5; --w) {
        if (isIn(text(w), questionWords))
            return w < i && whPhraseEnd(w) == i + 1 &&
                   !(EnglishTagger::isNoun(tag(w - 1)) && isIn(text(w), relativeWords));
    }
    return false;
}

bool SentenceWords::endsOpenClause(qsizetype i) const {
    const auto inPhrase = [](Tag t) {
        return EnglishTagger::isNoun(t) || isOneOf(t, {Tag::dt, Tag::jj, Tag::pos, Tag::rb});
    };
    for (qsizetype w = i - 1; w >= 0 && w >= i - 5; --w) {
        // (a subject: not "how long ago", the question phrase itself); so too after a
        // subordinator ("what you would do if the kitchen | ran out") or a verb of thinking
        // ("why do you think the study | didn't replicate")
        if (isIn(text(w), questionWords) ||
            isIn(text(w), {"if"_L1, "because"_L1, "unless"_L1, "although"_L1, "whether"_L1,
                           "think"_L1, "reckon"_L1, "suppose"_L1, "guess"_L1}))
            return w + 1 < i &&
                   std::all_of(m_words.begin() + w + 1, m_words.begin() + i + 1,
                               [&inPhrase](const Word& x) {
                                   return inPhrase(x.tag) || x.tag == Tag::prp;
                               }) &&
                   std::any_of(m_words.begin() + w + 1, m_words.begin() + i + 1, [](const Word& x) {
                       return EnglishTagger::isNoun(x.tag) || x.tag == Tag::prp;
                   });
        if (!inPhrase(tag(w)))
            return false;
    }
    return false;
}

} // namespace corvel
