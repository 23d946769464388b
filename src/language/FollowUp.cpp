#include "language/FollowUp.h"

namespace corvel::clause {

Reading FollowUp::followUpAt(qsizetype i) const {
    const QString& first = text(i);
    if (const Reading asked = shortFollowUpAt(i); asked.asks)
        return asked;
    if (i + 1 >= size())
        return {};
    const bool finiteNext = isOneOf(tag(i + 1), {Tag::vbz, Tag::vbd, Tag::md, Tag::vbp});
    // "any regrets", not "anything works"
    const QString& next = text(i + 1);
    const bool nounNext =
        canBeNoun(next) || (next.endsWith(u's') && canBeNoun(next.chopped(1))); // "regrets"
    if (first == "any"_L1 && (!finiteNext || nounNext))
        return {Form::followUp, true, false};
    if (first == "anything"_L1 && !finiteNext)
        return {Form::followUp, true, false};
    // "your biggest achievement so far", not "your team did well"
    const bool verbless = std::none_of(m_words.begin() + i, m_words.end(), [](const Word& w) {
        return isOneOf(w.tag, {Tag::vbz, Tag::vbd, Tag::md, Tag::vbp});
    });
    if (first == "your"_L1 && verbless)
        return {Form::followUp, true, false};
    return {};
}

Reading FollowUp::shortFollowUpAt(qsizetype i) const {
    const qsizetype words = size() - i;
    if (words < 1 || words > 6 ||
        std::any_of(m_words.begin() + i, m_words.end(),
                    [](const Word& w) { return isVerb(w.tag) || isIn(w.text, auxiliaries); }))
        return {};
    const Reading asks{Form::followUp, true, false};
    const QString& first = text(i);
    const bool afterAnd = text(i - 1) == "and"_L1;
    // (not "what your into", a clause without its verb)
    if (words <= 3 &&
        std::any_of(
            m_words.begin() + i, m_words.end(),
            [](const Word& w) { return isIn(w.text, questionWords) && w.text != "whether"_L1; }) &&
        std::none_of(m_words.begin() + i, m_words.end(),
                     [](const Word& w) { return w.tag == Tag::dt || w.tag == Tag::prp; }))
        return asks;
    // "and then", "and after that", "such as", "for example"
    if (words <= 2 && ((afterAnd && isIn(first, {"then"_L1, "after"_L1, "before"_L1})) ||
                       (tag(size() - 1) == Tag::in && !EnglishTagger::isNoun(tag(i))) ||
                       (first == "for"_L1 && EnglishTagger::isNoun(tag(i + 1)))))
        return asks;
    // "and the rest of the team", "and your line manager": a noun phrase, whole
    if (afterAnd && words >= 2 && isIn(first, {"the"_L1, "your"_L1}) &&
        EnglishTagger::isNoun(tag(size() - 1)) &&
        std::all_of(m_words.begin() + i, m_words.end(), [](const Word& w) {
            return EnglishTagger::isNoun(w.tag) ||
                   isOneOf(w.tag, {Tag::dt, Tag::jj, Tag::of, Tag::pos});
        }))
        return asks;
    return {};
}

} // namespace corvel::clause
