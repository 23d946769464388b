#pragma once

#include "language/QuestionStart.h"
#include "language/SentenceWords.h"

namespace corvel {

// Whatever rule divides a result, two sentences meet only where one can end and the next
// begin: not "which of your old jobs do | you miss the most", nor "how you deal with a resident
// | who won't take their medication". Where the words cannot tell, they stay one sentence.
class SentenceGuard : public SentenceWords {
public:
    explicit SentenceGuard(const SentenceWords& words) : SentenceWords(words), m_questions(words) {}

    // Whatever rule divides them, two sentences meet only where one can end and the next
    // begin; where the words cannot tell, they stay one.
    bool mayDivide(qsizetype j) const;

    // Whether a sentence may end before `j`: not on a word that the next one continues, as an
    // auxiliary its subject or verb ("which of your old jobs do | you miss", "have you ever |
    // read"), a number the next number ("twenty | five", "twelve times | fourteen"), a noun
    // phrase its noun ("an informal | chat", "a hash | map"), "that" its clause ("do you feel
    // that | it helped"), a filler, an adverb or "just so" what they lead to, a question phrase
    // its verb ("what uh age groups | do you"), a verb its object ("you've used | react"), an
    // adjective its clause ("i'm not sure | i want"); nor before the speaker searching for a
    // word ("have you ever used | what's it called terraform").
    bool mayEndBefore(qsizetype j) const;

    // Whether a sentence may begin at `j`: not on a verb whose subject is in the words before
    // it, as "and" and a verb joined to the one before ("…find out about it and | talk to
    // them"), a verb with its tense ("everybody | has their own number"), "is" or "has" without
    // a subject after it ("which i think | is a bit much", "the team you'd be joining | is six
    // people"), a clause about the noun before ("around you | that helps you"); "is the commute
    // okay" asks after any statement.
    bool mayBeginAt(qsizetype j) const;

private:
    // Whether the word before `j` needs the word at `j`: a number another ("twenty | five"), a
    // noun phrase its noun ("an informal | chat"), a filler or a subject what follows.
    bool wordGoesOn(qsizetype last, qsizetype j) const;
    // Whether a subject at `j` goes on with the clause before: the object of a verb of thinking
    // ("you figure one of these days | you're going…"), a question word's clause ("where maybe
    // | we should…").
    bool clauseGoesOn(qsizetype last, qsizetype j) const;
    // Whether a clause joined by "and if", "and when" or "and once" leads in to what follows:
    // "…and if they're determined to have their cigarettes then | how do you teach them".
    bool afterJoinedLeadIn(qsizetype last, qsizetype j) const;

    // Whether the speaker searches for a word from `j`: "what's it called", "what is it", "what's
    // the word", "what do you call it".
    bool searchesForWord(qsizetype j) const;

    // Whether the verb at `last` takes the words at `j` for its object: a verb that takes one,
    // with none after it ("you've used | react", "they'll serve | what"), and a word that can be
    // a noun or a question word opening its clause.
    bool leavesObject(qsizetype last, qsizetype j) const;

    // Whether "do" or a modal before `j`, inverted before its subject, has no verb yet.
    bool awaitsVerbBefore(qsizetype j) const;

    // Whether an auxiliary at `last`, or before it past adverbs and its subject, still waits for
    // the word at `j`: with no subject before it, its subject or verb ("do | you", "have |
    // been"); after its subject, only a verb or "not" ("i do | you know" is two sentences, "we'll
    // each | ask" one).
    bool awaitsItsVerb(qsizetype last, qsizetype j) const;

    QuestionStart m_questions;
};

} // namespace corvel
