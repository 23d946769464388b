#include "language/SentenceGuard.h"

#include "language/EnglishVerbs.h"

namespace corvel {

namespace {

using namespace Qt::Literals::StringLiterals;
using namespace englishWords;
using namespace sentenceWords;

// Verbs of the mind that take a clause: "you figure (that) one of these days you'll…".
constexpr QLatin1String confirming[] = {"think"_L1,   "figure"_L1, "reckon"_L1, "suppose"_L1,
                                        "believe"_L1, "guess"_L1,  "mean"_L1};

} // namespace

bool SentenceGuard::mayDivide(qsizetype j) const {
    return mayEndBefore(j) && mayBeginAt(j);
}

bool SentenceGuard::mayEndBefore(qsizetype j) const {
    const qsizetype last = j - 1;
    const QString& word = text(last);
    if (awaitsItsVerb(last, j) || wordGoesOn(last, j) || clauseGoesOn(last, j))
        return false;
    // "…and if they're determined to have their cigarettes then | how do you teach them":
    // a clause that leads in keeps its main clause
    if (afterJoinedLeadIn(last, j))
        return !m_questions.questionStartsAt(j);
    // "anything else | it wasn't supposed to": a clause about the indefinite; "theories on |
    // why this is happening": the preposition's object; "one | another"
    if ((isIndefinite(word) && isIn(text(j), subjectPronouns)) ||
        (isOneOf(tag(last), {Tag::in, Tag::of, Tag::to}) && word != "that"_L1 &&
         EnglishTagger::isNoun(tag(last - 1)) && isIn(text(j), questionWords)) ||
        (word == "one"_L1 && text(j) == "another"_L1) ||
        (word == "each"_L1 && text(j) == "other"_L1))
        return false;
    return !endsQuestionPhrase(last) && !endsOpenClause(last) && !leavesObject(last, j) &&
           !searchesForWord(j);
}

bool SentenceGuard::wordGoesOn(qsizetype last, qsizetype j) const {
    const QString& word = text(last);
    if (tag(j) == Tag::cd && (tag(last) == Tag::cd || tag(last - 1) == Tag::cd))
        return true;
    if (tag(last) == Tag::cd && text(j) == "and"_L1 && tag(j + 1) == Tag::cd)
        return true;
    // ("the design | question", "a quick | chat": the noun the tagger may take for a verb)
    const bool phraseOpen = isOneOf(tag(last), {Tag::jj, Tag::nn}) &&
                            isOneOf(tag(last - 1), {Tag::dt, Tag::jj, Tag::pos});
    if ((phraseOpen &&
         (tag(last) == Tag::jj ? isOneOf(tag(j), {Tag::nn, Tag::nns, Tag::vb, Tag::vbp, Tag::jj})
                               : (isOneOf(tag(j), {Tag::nn, Tag::nns}) ||
                                  EnglishTagger::readings(text(j)).value(0) == Tag::nn) &&
                                     !isOneOf(tag(j + 1), {Tag::prp, Tag::dt}))) ||
        (tag(last) == Tag::nnp && tag(j) == Tag::nnp) ||
        (tag(last) == Tag::dt && !isIn(word, demonstratives) &&
         !isIn(word, {"all"_L1, "both"_L1, "each"_L1, "any"_L1, "either"_L1, "neither"_L1})))
        return true;
    if (word == "that"_L1 && isIn(text(j), subjectPronouns) && isFiniteAt(j + 1))
        return true;
    if (isIn(word, fillers) || (word == "so"_L1 && text(last - 1) == "just"_L1) ||
        isIn(word, {"i"_L1, "we"_L1, "they"_L1, "he"_L1, "she"_L1}) ||
        (isIn(word, clauseAdjectives) && isIn(text(j), subjectPronouns)) || word == "like"_L1 ||
        ((isIn(word, verbAdverbs) || isIn(word, softeners)) && isVerb(tag(j))))
        return true;
    // "i knew it | was there": the pronoun is the verb's subject
    if (isIn(word, {"it"_L1, "you"_L1, "this"_L1, "that"_L1}) &&
        !isOneOf(tag(last - 1), {Tag::in, Tag::of, Tag::to, Tag::rp}) &&
        (isFinite(tag(j)) || isAuxiliary(j)) &&
        !(isIn(text(j + 1), subjectPronouns) && text(j + 1) != "there"_L1))
        return true;
    return word == "about"_L1 && isIn(text(last - 1), {"how"_L1, "what"_L1});
}

bool SentenceGuard::clauseGoesOn(qsizetype last, qsizetype j) const {
    // "where maybe | we should…": a question word's clause before its subject; "(so you
    // figure) one of these days | you're going…": the clause a verb of thinking takes;
    // "separately at | you know an american store": the preposition's object goes on
    if (isIn(text(j), subjectPronouns) && isFiniteAt(j + 1)) {
        qsizetype w = last;
        while (w > 0 && tag(w) == Tag::rb)
            --w;
        if (w < last && isIn(text(w), questionWords))
            return true;
        for (qsizetype t = last; t >= 0 && t > last - 7; --t) {
            if (isFiniteAt(t) && !isIn(text(t), confirming))
                break;
            // (not "what do you think about | it can be anything")
            if (isIn(text(t), confirming) && isIn(text(t - 1), subjectPronouns) &&
                !isPreposition(tag(t + 1)))
                return true;
        }
    }
    return isOneOf(tag(last), {Tag::in, Tag::of, Tag::to}) && text(j) == "you"_L1 &&
           text(j + 1) == "know"_L1;
}

bool SentenceGuard::afterJoinedLeadIn(qsizetype last, qsizetype j) const {
    for (qsizetype w = last; w > 0 && w >= last - 24; --w) {
        if (isIn(text(w), clauseMarkers) && !isIn(text(w), {"and"_L1, "if"_L1}))
            return false;
        if (isIn(text(w), {"if"_L1, "when"_L1, "once"_L1}) && text(w - 1) == "and"_L1 &&
            std::any_of(m_words.begin() + w + 1, m_words.begin() + j,
                        [](const Word& x) { return isFinite(x.tag); }))
            return true;
    }
    return false;
}

bool SentenceGuard::mayBeginAt(qsizetype j) const {
    if (isIn(text(j), {"and"_L1, "or"_L1, "but"_L1}) &&
        (isOneOf(tag(j + 1), {Tag::vb, Tag::vbp, Tag::vbd, Tag::vbz}) ||
         (tag(j + 1) == Tag::rb && isOneOf(tag(j + 2), {Tag::vb, Tag::vbp}))))
        return false;
    // ("…about you | that isn't on your cv", not "…today | that's great")
    if (isIn(text(j), {"that"_L1, "which"_L1, "who"_L1}) && isFiniteAt(j + 1) &&
        (EnglishTagger::isNoun(tag(j - 1)) || tag(j - 1) == Tag::prp ||
         isIndefinite(text(j - 1))) &&
        !(text(j) == "that"_L1 && text(j + 1) == "'s"_L1) &&
        !(isAuxiliary(j + 1) && tag(j + 2) == Tag::prp))
        return false;
    if (isIn(text(j), beForms) || isIn(text(j), haveForms)) {
        const qsizetype next = text(j + 1) == "n't"_L1 ? j + 2 : j + 1;
        const bool pronoun = (tag(next) == Tag::prp && !isIndefinite(text(next))) ||
                             isIn(text(next), demonstratives) || tag(next) == Tag::ex;
        if (pronoun)
            return true;
        // The subject's noun phrase, then what "is" says of it: "is the commute okay"
        qsizetype end = next;
        bool about = false; // "is the commute to manchester doable"
        while (end < size() && end < next + 6 &&
               (EnglishTagger::isNoun(tag(end)) || isOneOf(tag(end), {Tag::dt, Tag::jj}) ||
                (!about && end > next && isOneOf(tag(end), {Tag::in, Tag::to}) &&
                 EnglishTagger::isNoun(tag(end + 1))))) {
            about = about || isOneOf(tag(end), {Tag::in, Tag::to});
            ++end;
        }
        return end > next && isOneOf(tag(end), {Tag::jj, Tag::vbg, Tag::vbn}) &&
               !isVerbWord(j - 1) && !isIn(text(j - 1), demonstratives);
    }
    // ("who you report to | will depend on the site": a modal and its verb, its subject
    // before it)
    if ((isOneOf(tag(j), {Tag::vbz, Tag::vbd}) && !isAuxiliary(j)) ||
        (tag(j) == Tag::md && tag(j + 1) == Tag::vb))
        return false;
    // "what did the client, who i gather was difficult, | say…": "did" waits for its verb
    return !(isOneOf(tag(j), {Tag::vb, Tag::vbp}) && awaitsVerbBefore(j));
}

bool SentenceGuard::awaitsItsVerb(qsizetype last, qsizetype j) const {
    // ("which one do | you": the question phrase is no subject)
    const bool verbNext = text(j) == "n't"_L1 || text(j) == "not"_L1 ||
                          isOneOf(tag(j), {Tag::vb, Tag::vbn, Tag::vbg, Tag::vbp});
    if (text(last) == "n't"_L1 && isAuxiliary(last - 1))
        --last;
    qsizetype aux = last;
    while (aux > 0 && !isAuxiliary(aux) &&
           (tag(aux) == Tag::rb || isIn(text(aux), {"each"_L1, "all"_L1, "both"_L1})))
        --aux;
    if (aux < last && verbNext && aux > 0 && tag(aux) == Tag::prp && isAuxiliary(aux - 1))
        return true; // "have you ever | read"
    if (!isAuxiliary(aux) || tag(aux) == Tag::pos)
        return false;
    if (verbNext)
        return true;
    if (aux < last)
        return false;
    qsizetype subject = aux - 1;
    while (subject > 0 && tag(subject) == Tag::rb)
        --subject;
    const bool hasSubject = subject >= 0 && !endsQuestionPhrase(subject) &&
                            (tag(subject) == Tag::prp || EnglishTagger::isNoun(tag(subject)) ||
                             isIn(text(subject), demonstratives));
    return !hasSubject && (tag(j) == Tag::prp || EnglishTagger::isNoun(tag(j)) ||
                           isOneOf(tag(j), {Tag::dt, Tag::jj, Tag::cd, Tag::pdt, Tag::ex}));
}

bool SentenceGuard::awaitsVerbBefore(qsizetype j) const {
    for (qsizetype k = j - 1; k >= 0 && k >= j - 12; --k) {
        // ("who i gather was difficult": a parenthetic's verb is its own)
        if ((isOneOf(tag(k), {Tag::vb, Tag::vbp}) && !isIn(text(k - 1), subjectPronouns)) ||
            (isIn(text(k), clauseMarkers) && !isIn(text(k), {"who"_L1, "which"_L1, "that"_L1})))
            return false;
        if ((tag(k) == Tag::md || isIn(text(k), doForms)) && k + 1 < j &&
            (tag(k + 1) == Tag::prp || EnglishTagger::isNoun(tag(k + 1)) ||
             tag(k + 1) == Tag::dt) &&
            (k == 0 || isIn(text(k - 1), questionWords) || endsQuestionPhrase(k - 1)))
            return true;
    }
    return false;
}

bool SentenceGuard::leavesObject(qsizetype last, qsizetype j) const {
    if (!isOneOf(tag(last), {Tag::vb, Tag::vbn, Tag::vbd, Tag::vbp}) ||
        isIn(text(last), auxiliaries) || isAuxiliary(last) ||
        !EnglishVerbs::takesObject(text(last)).value_or(false) ||
        EnglishVerbs::standsAlone(text(last)).value_or(true))
        return false;
    // "what would make | you change your mind"; "they'll serve | what, eight months"
    if ((isIn(text(j), objectPronouns) && text(j) != "it"_L1 &&
         isOneOf(tag(j + 1), {Tag::vb, Tag::vbp})) ||
        (text(j) == "what"_L1 && !isAuxiliary(j + 1) && tag(j + 1) != Tag::md &&
         !isIn(text(j + 1), subjectPronouns)))
        return true;
    // ("which ledger systems have you used | names are fine": the question phrase is its
    // object)
    for (qsizetype w = last - 1; w >= 0 && w >= last - 8; --w) {
        if (isIn(text(w), {"what"_L1, "which"_L1, "who"_L1, "whom"_L1, "whose"_L1}))
            return false;
    }
    // ("pick | their people": a determiner opens its object, not "this is…")
    if (tag(j) == Tag::dt)
        return !isIn(text(j), demonstratives) && !isFinite(tag(j + 1)) && !isAuxiliary(j + 1);
    if (isIn(text(j), questionWords) || isIn(text(j), subjectPronouns) || isIn(text(j), fillers) ||
        openings::joinsSentences(text(j)) || isAuxiliary(j) ||
        isOneOf(tag(j), {Tag::in, Tag::to, Tag::rb, Tag::md, Tag::cc, Tag::uh}))
        return false;
    return isOneOf(tag(j), {Tag::vb, Tag::vbp, Tag::nn, Tag::nnp, Tag::nns}) ||
           !EnglishTagger::knows(text(j)) ||
           (isIn(text(j), objectPronouns) && text(j) != "it"_L1 &&
            isOneOf(tag(j + 1), {Tag::vb, Tag::vbp}));
}

bool SentenceGuard::searchesForWord(qsizetype j) const {
    const qsizetype k = afterDiscourse(j);
    if (text(k) != "what"_L1)
        return false;
    if (isIn(text(k + 1), beForms) || text(k + 1) == "'s"_L1)
        return (text(k + 2) == "it"_L1 && (k + 3 == size() || text(k + 3) != "like"_L1)) ||
               (tag(k + 2) == Tag::dt && isIn(text(k + 3), {"word"_L1, "name"_L1, "term"_L1}));
    return isIn(text(k + 1), doForms) && isIn(text(k + 2), {"you"_L1, "they"_L1, "we"_L1}) &&
           text(k + 3) == "call"_L1;
}

} // namespace corvel
