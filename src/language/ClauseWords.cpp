#include "language/ClauseWords.h"

namespace corvel::clause {

bool ClauseWords::subjectStarts(qsizetype i) const {
    if (i >= size())
        return false;
    if (isIn(text(i), subjectWords))
        return true;
    // "is working from home something…": a gerund with its phrase
    if (tag(i) == Tag::vbg && isOneOf(tag(i + 1), {Tag::in, Tag::dt, Tag::nn, Tag::nns}))
        return true;
    // "are remote roles…", not "were accurate"
    if (isOneOf(tag(i), {Tag::jj, Tag::jjr, Tag::jjs, Tag::cd}) &&
        !(EnglishTagger::isNoun(tag(i + 1)) || isOneOf(tag(i + 1), {Tag::jj, Tag::nn})))
        return false;
    if (isOneOf(tag(i), {Tag::prp, Tag::ex}))
        return true;
    // A noun phrase needs something said of it: "are road" is misheard
    return isOneOf(tag(i), {Tag::dt, Tag::pdt, Tag::nn, Tag::nns, Tag::nnp, Tag::nnps, Tag::jj,
                            Tag::jjr, Tag::jjs, Tag::cd}) &&
           phraseEnd(i) < size();
}

bool ClauseWords::doSubjectAt(qsizetype i) const {
    if (isIn(text(i), subjectWords) || tag(i) == Tag::prp)
        return true;
    qsizetype end = phraseEnd(i);
    if (end == i)
        return false;
    // "the night shift clash with…": the tagger took the verb into the noun phrase
    const bool isVerbBase = [](const QString& word) {
        return hasReading(word, [](Tag t) { return t == Tag::vb; });
    }(text(end - 1));
    if (end - i > 1 && EnglishTagger::isNoun(tag(end - 2)) && isVerbBase)
        return true;
    while (end < size() && isOneOf(tag(end), {Tag::rb, Tag::rbr, Tag::rbs}))
        ++end;
    return end < size() && (isOneOf(tag(end), {Tag::vb, Tag::vbp, Tag::vbn, Tag::vbg, Tag::vbd}) ||
                            hasReading(text(end), [](Tag t) { return t == Tag::vb; }));
}

bool ClauseWords::hasVerbAfterPhrase(qsizetype i) const {
    const qsizetype end = phraseEnd(i);
    return end > i && (isOneOf(tag(end), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md, Tag::vbn}) ||
                       isIn(text(end), auxiliaries));
}

Reading ClauseWords::askedBy(Form form, const QString& subject) const {
    Reading reading{form};
    // ("now what's next on my list": the speaker's own things)
    const bool speaker = subject == "i"_L1 || subject == "we"_L1 ||
                         std::any_of(m_words.begin(), m_words.end(), [](const Word& word) {
                             return isIn(word.text, {"i"_L1, "my"_L1, "me"_L1, "myself"_L1});
                         });
    reading.asks = !speaker || m_addressed;
    reading.aboutSpeaker = speaker && !m_addressed;
    return reading;
}

} // namespace corvel::clause
