#include "language/ClauseReader.h"

namespace corvel::phrase {

namespace {

// "get delayed" is one verb in the passive.
constexpr QLatin1String passiveGets[] = {"get"_L1, "gets"_L1, "got"_L1, "gotten"_L1, "getting"_L1};
// After a verb they open a clause of their own: "what to do when a shipment arrives late".
constexpr QLatin1String clauseConjunctions[] = {
    "when"_L1,     "where"_L1, "if"_L1,    "because"_L1, "while"_L1, "whenever"_L1, "unless"_L1,
    "although"_L1, "once"_L1,  "until"_L1, "before"_L1,  "after"_L1, "since"_L1,    "as"_L1};
// A question word followed by these names a kind of thing: "what kind of tools".
constexpr QLatin1String kinds[] = {"kind"_L1, "kinds"_L1, "sort"_L1, "type"_L1, "types"_L1};

} // namespace

FollowingReading ClauseReader::readClause() {
    const QString& opener = word(0);
    qsizetype i = 1;
    if (i < size() && word(i) == "else"_L1) // "who else worked on it"
        ++i;
    if (opener == "how"_L1 && i < size() && !isOneOf(tag(i), {Tag::dt, Tag::prp}) &&
        hasReading(word(i), [](Tag tag) {
            return isOneOf(tag, {Tag::jj, Tag::jjr, Tag::rb, Tag::rbr});
        }))
        ++i; // how long, how much, how big
    const bool names = opener == "which"_L1 || opener == "whichever"_L1 || opener == "whose"_L1 ||
                       (i < size() && isIn(word(i), kinds)) ||
                       (i == 2 && (word(1) == "much"_L1 || word(1) == "many"_L1));
    // "which features": a noun, whatever else the word may be
    if (names && i < size() && canBeNoun(word(i)))
        m_words[i].tag = Tag::nns;
    while (
        names && i < size() &&
        (EnglishTagger::isNoun(tag(i)) || isOneOf(tag(i), {Tag::jj, Tag::jjr, Tag::jjs, Tag::of})))
        ++i;
    if (i == size()) // "Which tools" is the detector's to judge; "Which" alone tells nothing
        return size() > 1 ? FollowingReading::question : FollowingReading::remark;
    const qsizetype subject = i + 1 < size() && word(i + 1) == "n't"_L1 ? i + 2 : i + 1;
    if (isAuxiliary(i) && startsSubject(subject))
        return FollowingReading::question;
    if (tag(i) == Tag::to) // "what to cut"
        return readPhrase(i, ClauseKind::withSubject);
    if (isVerb(tag(i)) || isAuxiliary(i)) {
        if (!isIn(opener, freeRelatives) && !hasSecondVerb(i))
            return FollowingReading::question; // "who leads the team"
        return readPhrase(i, ClauseKind::withSubject);
    }
    return readPhrase(i, ClauseKind::withoutSubject);
}

bool ClauseReader::hasSecondVerb(qsizetype i) const {
    for (qsizetype k = i + 1; k < size(); ++k) {
        if (isOneOf(tag(k), {Tag::vbz, Tag::vbp, Tag::vbd, Tag::md}))
            return true;
        if (!isOneOf(tag(k), {Tag::vbg, Tag::vbn, Tag::rb, Tag::jj, Tag::jjr}))
            return false;
    }
    return false;
}

bool ClauseReader::strandsPreposition(qsizetype i) const {
    qsizetype k = i + 1;
    while (k + 1 < size() && (isVerb(tag(k)) || isOneOf(tag(k), {Tag::rb, Tag::vbn})))
        ++k;
    return k < size() && isPreposition(tag(k)) && (k + 1 == size() || tag(k + 1) == Tag::cc);
}

bool ClauseReader::verbAmongNounsBefore(qsizetype from, qsizetype i) const {
    if (i - 2 < from || !EnglishTagger::isNoun(tag(i - 1)) ||
        !(isHead(tag(i - 2)) || tag(i - 2) == Tag::vbg) || !canBeVerb(word(i - 1)) ||
        isPlural(i - 2) == isPlural(i - 1))
        return false;
    const Tag t = tag(i);
    return isOneOf(t, {Tag::rb, Tag::rp, Tag::jjr, Tag::rbr}) ||
           (t == Tag::jj && i + 1 == size()) ||
           (isOneOf(t, {Tag::dt, Tag::jjs}) && !hasVerbAfter(i));
}

bool ClauseReader::isVerbIn(const OpenClause& clause, qsizetype from, qsizetype i) const {
    if (isVerb(tag(i)))
        return true;
    if (tag(i) != Tag::vbn)
        return false;
    if (clause.awaitsVerb())
        return clause.hasSubject || clause.relative;
    return clause.relative && clause.verb >= 0 && !isIn(word(i - 1), passiveGets) &&
           !(i > from && isAuxiliary(i - 1)) &&
           hasReading(word(i), [](Tag tag) { return tag == Tag::vbd; });
}

bool ClauseReader::continuesVerb(const OpenClause& clause, qsizetype from, qsizetype i) const {
    const Tag before = tag(i - 1);
    if (tag(i) == Tag::vb && ((i > from && isAuxiliary(i - 1)) || before == Tag::to ||
                              (before == Tag::rb && i - 2 >= from && isAuxiliary(i - 2))))
        return true;
    return !clause.begun && tag(from) == Tag::vbg && isOneOf(tag(i), {Tag::vb, Tag::vbp});
}

bool ClauseReader::opensClause(OpenClause& clause, qsizetype from, qsizetype i, bool afterHead,
                               bool hasVerb) const {
    const QString& w = word(i);
    if (afterHead && isIn(w, relativePronouns)) {
        clause.begin(true, false);
        return true;
    }
    // "what to cut when the budget shrinks": a clause with its own verb
    if ((hasVerb || tag(from) == Tag::vbg) && isIn(w, clauseConjunctions) && startsSubject(i + 1)) {
        clause.begin(false, false);
        return true;
    }
    if (afterHead && (isIn(w, subjectPronouns) || tag(i) == Tag::dt)) {
        clause.begin(true, true); // "the project you led"
        return true;
    }
    return false;
}

bool ClauseReader::isVerbAfterRelativeClause(const OpenClause& clause, qsizetype i,
                                             Tag before) const {
    const bool afterClauseVerb =
        clause.verb >= 0 && (clause.verb == i - 1 || (before == Tag::rb && clause.verb == i - 2));
    return clause.relative && afterClauseVerb && EnglishTagger::isNoun(tag(i)) &&
           canBeVerb(word(i)) &&
           (i + 1 == size() || isOneOf(tag(i + 1), {Tag::rb, Tag::jj, Tag::dt}));
}

bool ClauseReader::placesVerb(OpenClause& clause, qsizetype from, qsizetype i, Tag before,
                              bool& hasVerb) const {
    if (clause.awaitsVerb()) {
        clause.hasSubject = hasVerb = true;
        clause.verb = i;
        return true;
    }
    if (continuesVerb(clause, from, i)) {
        if (clause.verb == i - 1)
            clause.verb = i;
        return true;
    }
    if (before == Tag::cc) // "the people you hired and trained"
        return true;
    if (!clause.begun && EnglishTagger::isNoun(before) && i - 2 >= from && isHead(tag(i - 2)) &&
        strandsPreposition(i)) {
        clause = {true, true, true, i};
        hasVerb = true;
        return true;
    }
    return false;
}

FollowingReading ClauseReader::readPhrase(qsizetype from, ClauseKind kind) {
    OpenClause clause;
    if (kind != ClauseKind::none)
        clause.begin(false, kind == ClauseKind::withSubject);
    bool head = false;
    bool hasVerb = false; // some clause has its verb
    for (qsizetype i = from; i < size(); ++i) {
        const Tag t = tag(i);
        const Tag before = i > from ? tag(i - 1) : Tag::punc;
        const bool afterHead = head && isHead(before);

        if (!clause.begun && verbAmongNounsBefore(from, i))
            return FollowingReading::remark;
        if (!clause.awaitsVerb() && opensClause(clause, from, i, afterHead, hasVerb))
            continue;
        if (isVerbAfterRelativeClause(clause, i, before))
            return FollowingReading::remark;

        if (!isVerbIn(clause, from, i)) {
            if (EnglishTagger::isNoun(t) || isOneOf(t, {Tag::prp, Tag::vbg}))
                head = true;
            continue;
        }
        if (!placesVerb(clause, from, i, before, hasVerb))
            return FollowingReading::remark; // a verb of its own
    }
    if (kind == ClauseKind::withoutSubject && !hasVerb)
        return hasNounVerbAfterNoun(from) ? FollowingReading::object : FollowingReading::remark;
    return FollowingReading::object;
}

bool ClauseReader::hasNounVerbAfterNoun(qsizetype from) const {
    for (qsizetype k = from + 1; k < size(); ++k) {
        if (EnglishTagger::isNoun(tag(k)) && EnglishTagger::isNoun(tag(k - 1)) &&
            canBeVerb(word(k)))
            return true;
    }
    return false;
}

} // namespace corvel::phrase
