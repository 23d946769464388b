#include "language/LeadIn.h"

namespace corvel::clause {

bool ClauseLeadIn::opensLeadIn(qsizetype i) const {
    return isIn(text(i), leadInSubordinators) || text(i) == "now"_L1 ||
           isOneOf(tag(i), {Tag::vbg, Tag::in, Tag::of, Tag::to, Tag::rb, Tag::jj}) ||
           isIn(text(i), replyWords) || isIn(text(i), subjectWords) ||
           EnglishTagger::isNoun(tag(i)) || tag(i) == Tag::dt;
}

bool ClauseLeadIn::followsVerb(qsizetype start, qsizetype at) const {
    return afterPersonalSubject(at) || text(at - 1) == "to"_L1 || isModal(at - 1) ||
           isIn(text(at - 1), auxiliaries) || text(at - 1) == "n't"_L1 ||
           (EnglishTagger::isNoun(tag(at - 1)) &&
            (phraseEnd(start) == at || !opensPhraseLeadIn(start) ||
             objectOfVerbBefore(at))); // "saying the world speak…"
}

bool ClauseLeadIn::isObjectClauseAt(qsizetype at) const {
    const bool particle =
        tag(at - 1) == Tag::rp || (tag(at - 1) == Tag::in && canBeVerb(text(at - 2)));
    // ("who'll walk through the door": the question word is its subject)
    const qsizetype phraseEnd = whPhraseEnd(at);
    const bool inverted =
        (isModal(phraseEnd) || isIn(text(phraseEnd), auxiliaries)) && subjectStarts(phraseEnd + 1);
    return isIn(text(at), questionWords) && (isVerb(tag(at - 1)) || particle) && !inverted;
}

bool ClauseLeadIn::mayAskAt(qsizetype start, qsizetype i) const {
    const QString& first = text(i);
    // An auxiliary right after a noun is the verb of a statement ("the team is six nurses")
    // (as is one after "here": "here is the office…")
    const bool afterNoun = EnglishTagger::isNoun(tag(i - 1)) || tag(i - 1) == Tag::prp ||
                           isIn(text(i - 1), subjectWords) || text(i - 1) == "here"_L1 ||
                           isOneOf(tag(i - 1), {Tag::wp, Tag::wdt}); // "the developer who had…"
    // …and a question word right after a noun opens a clause about it ("a patient who
    // refuses treatment"), unless the lead-in is a phrase of its own ("looking at your cv
    // why…")
    // (after "anyone", "someone" too)
    const bool relative =
        (EnglishTagger::isNoun(tag(i - 1)) ||
         isIn(text(i - 1), {"anyone"_L1, "anybody"_L1, "someone"_L1, "somebody"_L1, "everyone"_L1,
                            "everybody"_L1, "anything"_L1, "something"_L1})) &&
        isIn(first, relativeWords) && !opensPhraseLeadIn(start);
    return !afterNoun || (isIn(first, questionWords) && !relative);
}

bool ClauseLeadIn::opensPhraseLeadIn(qsizetype start) const {
    return isIn(text(start), leadInSubordinators) || text(start) == "now"_L1 ||
           isOneOf(tag(start), {Tag::vbg, Tag::in, Tag::of, Tag::to, Tag::rb}) || opensTopic(start);
}

bool ClauseLeadIn::mayLeadIn(qsizetype start, qsizetype at) const {
    if (opensPhraseLeadIn(start))
        return true;
    const qsizetype i = at - 1;
    if (text(i) == "i"_L1 || text(i) == "we"_L1)
        return false;
    // "that's a great answer…" leads in; "the team is…" and "the client asked…" state
    const bool praise =
        (isIn(text(i), beForms) || text(i) == "'s"_L1) &&
        (text(i - 1) == "that"_L1 || text(i - 1) == "it"_L1 || text(i - 1) == "this"_L1);
    return praise || !isOneOf(tag(i), {Tag::vbd, Tag::vbz, Tag::vbp, Tag::md, Tag::vbn});
}

bool ClauseLeadIn::objectOfVerbBefore(qsizetype i) const {
    qsizetype k = i - 1;
    while (k > 0 && (EnglishTagger::isNoun(tag(k)) || isOneOf(tag(k), {Tag::dt, Tag::jj})))
        --k;
    return k < i - 1 && isOneOf(tag(k), {Tag::vbg, Tag::vb, Tag::vbd, Tag::vbp});
}

bool ClauseLeadIn::afterPersonalSubject(qsizetype i) const {
    qsizetype subject = i - 1;
    while (subject > 0 && tag(subject) == Tag::rb)
        --subject;
    return isIn(text(subject), {"i"_L1, "you"_L1, "we"_L1, "they"_L1, "he"_L1, "she"_L1});
}

bool ClauseLeadIn::opensTopic(qsizetype start) const {
    if (tag(start) != Tag::dt)
        return false;
    qsizetype noun = start + 1;
    while (noun < size() && (EnglishTagger::isNoun(tag(noun)) || tag(noun) == Tag::jj))
        ++noun;
    // (its own verb after the clause tells, unless that verb asks with its subject after
    // it: "the people you trained, are any of them still there")
    const qsizetype own = noun + 2;
    const bool asksAfter = isIn(text(own), auxiliaries) && subjectStarts(own + 1);
    return noun > start + 1 && isIn(text(noun), subjectPronouns) &&
           isOneOf(tag(noun + 1), {Tag::vbd, Tag::vbz, Tag::vbp, Tag::vbn}) &&
           (asksAfter || !isOneOf(tag(own), {Tag::vbd, Tag::vbz, Tag::vbp, Tag::md}));
}

} // namespace corvel::clause
