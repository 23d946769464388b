#include "language/Interrogative.h"

#include "language/EnglishTagger.h"

namespace corvel::clause {

namespace {

constexpr QLatin1String doAndHave[] = {"do"_L1, "does"_L1, "did"_L1, "have"_L1, "has"_L1, "had"_L1};
// After a question word these open a clause about something, not a question ("what we did").
constexpr QLatin1String clauseSubjects[] = {"i"_L1,   "we"_L1, "they"_L1, "he"_L1, "she"_L1,
                                            "you"_L1, "it"_L1, "a"_L1,    "an"_L1};
// A listener's reply after "what", which is often "that" misheard ("what makes sense"): a
// question only when put to the listener.
constexpr QLatin1String replyVerbs[] = {"makes"_L1, "sounds"_L1, "seems"_L1,
                                        "means"_L1, "works"_L1,  "helps"_L1,
                                        "looks"_L1, "feels"_L1,  "matters"_L1};

} // namespace

Reading Interrogative::interrogativeAt(qsizetype i) const {
    const QString& first = text(i);
    if (isIn(first, questionWords) && first != "whether"_L1)
        return questionWordAt(i);
    return invertedAt(i);
}

Reading Interrogative::questionWordAt(qsizetype i) const {
    const QString& first = text(i);
    const QString next = text(i + 1);
    if (next.isEmpty()) // "why?"
        return {Form::interrogative, true, false};
    // "what if you're already on one": what would happen
    if (first == "what"_L1 && next == "if"_L1 && i + 2 < size())
        return askedBy(Form::interrogative, text(i + 2));
    // "so why you", "why you though"
    if (first == "why"_L1 && next == "you"_L1 &&
        (i + 2 == size() || isIn(text(i + 2), {"though"_L1, "then"_L1, "exactly"_L1,
                                               "specifically"_L1, "particularly"_L1})))
        return {Form::interrogative, true, false};
    if (opensClauseAt(i))
        return {};
    // The question phrase's auxiliary, then its subject ("what would we…").
    qsizetype j = i + 1;
    while (j < size() && j < i + 6 && !isIn(text(j), auxiliaries) && !isModal(j) &&
           !isIn(text(j), questionWords))
        ++j;
    if (j > i + 1 && (isIn(text(j), auxiliaries) || isModal(j)) &&
        isIn(text(j - 1), subjectPronouns) && j - 1 == whPhraseEnd(i) && next != "come"_L1)
        return {}; // "how much overtime there is…": its subject before it
    if (text(j + 1) == "n't"_L1)
        ++j;
    return askedBy(Form::interrogative, text(j + 1));
}

bool Interrogative::opensClauseAt(qsizetype i) const {
    const QString& first = text(i);
    const QString& next = text(i + 1);
    if (isIn(next, clauseSubjects))
        return true;
    // "how that played out", "what this means"; "why this role" asks
    if (isIn(next, {"that"_L1, "this"_L1, "these"_L1, "those"_L1}) && first != "why"_L1 &&
        (isOneOf(tag(i + 2), {Tag::vbd, Tag::vbz, Tag::vbp, Tag::md}) || hasVerbAfterPhrase(i + 1)))
        return true;
    // "what my biggest weakness was", "how the handover went": a clause; "why the move
    // to berlin" asks
    if (tag(i + 1) == Tag::dt && next != "else"_L1 &&
        (first != "why"_L1 || hasVerbAfterPhrase(i + 1)))
        return true; // "why the grant was cut…"
    if (first == "what"_L1 && isIn(next, replyVerbs) && !m_addressed)
        return true;
    if (isCleft(i))
        return true;
    // Without inversion the phrase opens a clause: "which team you join…", "how much
    // overtime there is…", "how long the training lasts…"
    const qsizetype phraseEnd = whPhraseEnd(i);
    const bool subjectNext = isIn(text(phraseEnd), subjectWords) ||
                             isOneOf(tag(phraseEnd), {Tag::prp, Tag::dt, Tag::ex, Tag::nnp});
    return phraseEnd > i + 1 && !(first == "how"_L1 && next == "come"_L1) && !isModal(phraseEnd) &&
           !isIn(text(phraseEnd), auxiliaries) && subjectNext;
}

Reading Interrogative::invertedAt(qsizetype i) const {
    const QString& first = text(i);
    qsizetype subject = i + 1;
    if (text(subject) == "n't"_L1)
        ++subject;
    // "do" and "have" also open requests ("do your best", "have a seat"); "does", "did",
    // "has" and "had" do not
    const bool baseDo = first == "do"_L1 || first == "have"_L1;
    const bool inverted =
        ((isIn(first, beForms) || isModal(i) || (isIn(first, doAndHave) && !baseDo)) &&
         subjectStarts(subject)) ||
        (baseDo && doSubjectAt(subject));
    if (!inverted)
        return {};
    return askedBy(Form::interrogative, text(subject));
}

Reading Interrogative::uninvertedAt(qsizetype i) const {
    if (!isIn(text(i), questionWords) || text(i) == "whether"_L1)
        return {};
    qsizetype subject = whPhraseEnd(i);
    // ("what kind of research you…", the tagger taking the noun for a verb)
    if (text(subject) != "you"_L1 && text(subject) != "your"_L1 && text(subject + 1) == "you"_L1 &&
        canBeNoun(text(subject)))
        ++subject;
    // "you", or a noun phrase of the listener's: "what your supervisor would say"
    qsizetype verb = subject + 1;
    if (text(subject) == "your"_L1) {
        while (verb < subject + 6 && (EnglishTagger::isNoun(tag(verb)) ||
                                      isOneOf(tag(verb), {Tag::jj, Tag::in, Tag::dt})))
            ++verb;
    } else if (text(subject) != "you"_L1) {
        return {};
    }
    while (tag(verb) == Tag::rb)
        ++verb;
    if (verb >= size() || isIn(text(verb), {"is"_L1, "was"_L1, "am"_L1}) ||
        isIn(text(verb), {"'re"_L1, "'s"_L1, "'m"_L1}) ||
        !(isModal(verb) || isIn(text(verb), auxiliaries) || canBeVerb(text(verb)) ||
          hasReading(text(verb), [](Tag t) {
              return isOneOf(t, {Tag::vbg, Tag::vbn});
          })))
        return {};
    // "when you were at school, when you serve it, do you…": a clause that leads in to a
    // main one, with its subject or inverted (not "if we offered you the job", another
    // clause that leads in)
    if (text(i) == "when"_L1 && whenLeadsIn(verb))
        return {};
    if (isSubjectOfVerbAfter(verb))
        return {};
    return {Form::interrogative, true, false};
}

bool Interrogative::whenLeadsIn(qsizetype verb) const {
    bool subordinate = false;
    for (qsizetype k = verb + 2; k < size(); ++k) {
        subordinate = subordinate || isIn(text(k - 1), leadInSubordinators) ||
                      isIn(text(k - 1), clauseBreaks);
        const bool finite =
            isOneOf(tag(k), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md}) || isIn(text(k), auxiliaries);
        const bool inverted =
            (isModal(k) || isIn(text(k), auxiliaries)) && isIn(text(k + 1), subjectPronouns);
        if (inverted || (!subordinate && finite && isIn(text(k - 1), subjectPronouns)))
            return true;
    }
    return false;
}

bool Interrogative::isSubjectOfVerbAfter(qsizetype verb) const {
    for (qsizetype k = verb + 1; k < size(); ++k) {
        // (another clause's verbs are its own: "… about what we do here")
        if (isIn(text(k), clauseBreaks) || isIn(text(k), leadInSubordinators) ||
            isIn(text(k), questionWords))
            break;
        // (a verb with its tense: not "to be", nor "be" after a modal; "stuck" after "earlier"
        // as after its subject)
        const bool pastAfterAdverb = tag(k) == Tag::vbn && tag(k - 1) == Tag::rb &&
                                     hasReading(text(k), [](Tag t) { return t == Tag::vbd; });
        if (!isOneOf(tag(k), {Tag::vbz, Tag::vbd, Tag::vbp, Tag::md}) && !pastAfterAdverb &&
            !isIn(text(k),
                  {"is"_L1, "are"_L1, "was"_L1, "were"_L1, "am"_L1, "'s"_L1, "'re"_L1, "'m"_L1}))
            continue;
        qsizetype before = k - 1;
        while (before > verb && tag(before) == Tag::rb)
            --before;
        // Its own verbs and a clause about a noun ("a customer who is shouting", "the team
        // you lead") go on; a verb of another subject makes it that verb's subject or a
        // clause before the main one ("when you're on a ward you don't…")
        const bool chain =
            isModal(before) || isIn(text(before), auxiliaries) || text(before) == "n't"_L1;
        // ("how you answer that | isn't…": after a verb "that" is its object)
        const bool relative =
            (isIn(text(before), {"who"_L1, "which"_L1, "that"_L1}) && before - 1 != verb) ||
            (isIn(text(before), subjectPronouns) && EnglishTagger::isNoun(tag(before - 1)));
        if (!chain && !relative)
            return true;
    }
    return false;
}

bool Interrogative::isCleft(qsizetype i) const {
    if (!isIn(text(i), {"what"_L1, "who"_L1, "which"_L1, "whose"_L1}))
        return false;
    qsizetype verb = whPhraseEnd(i);
    while (verb < size() && tag(verb) == Tag::rb) // "what really stood out…"
        ++verb;
    // "Do" may be its own verb ("who does the banking…"), the other auxiliaries open a question
    const bool does = isIn(text(verb), doAndHave) && text(verb).startsWith(u'd');
    // ("who signs off…" read as a noun)
    const bool nounVerb = tag(verb) == Tag::nns && canBeVerb(text(verb));
    if (!isOneOf(tag(verb), {Tag::vbz, Tag::vbd, Tag::vbp}) && !does && !nounVerb)
        return false;
    if (isIn(text(verb), auxiliaries) && !does)
        return false;
    // Then a verb of its own: "who gets the keys is up to facilities", "what happens next
    // depends on you", "who does the banking is decided…", not "what made you want to leave"
    // nor "what does the job involve"
    for (qsizetype j = verb + 1; j < size(); ++j) {
        // "after the trial period" is a phrase, "after we finish" a clause
        const bool phrase = isIn(text(j), {"after"_L1, "before"_L1, "since"_L1, "until"_L1}) &&
                            isOneOf(tag(j + 1), {Tag::dt, Tag::nn, Tag::nns, Tag::cd});
        if (((isIn(text(j), clauseBreaks) || isIn(text(j), leadInSubordinators)) && !phrase) ||
            isIn(text(j), questionWords) || text(j) == "that"_L1 || tag(j) == Tag::vb)
            return false;
        // …not the verb of a clause about a noun ("the hardest stakeholder you ever had")
        qsizetype subject = j - 1;
        while (subject > verb && tag(subject) == Tag::rb)
            --subject;
        const bool ownVerb =
            isIn(text(j), beForms) || (!does && isOneOf(tag(j), {Tag::vbz, Tag::vbd}));
        if (ownVerb && !isIn(text(subject), subjectWords))
            return true;
    }
    return false;
}

} // namespace corvel::clause
