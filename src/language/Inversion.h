#pragma once

#include "language/SentenceWords.h"

namespace corvel {

// The shape of a question in the words themselves, as the sentence reader finds where one
// begins: a question word and its phrase before an auxiliary and its subject ("how many people
// were…"), a question word as its own subject ("who leads the team"), an auxiliary before its
// subject ("is that going…"), a closing tag ("…isn't it").
class Inversion : public SentenceWords {
public:
    explicit Inversion(const SentenceWords& words) : SentenceWords(words) {}

    // A question word, its phrase ("how many people", "which of the sites", "what kind of
    // work"), then an auxiliary and its subject.
    bool whInverted(qsizetype i) const;

    // A question word standing as its own subject, with its verb: "what happened there", "who
    // leads the team", "which site suits you".
    bool whSubject(qsizetype i) const;

    // After an auxiliary, a subject and a predicate that is not a verb of its own: "is that
    // going", "have you used", "would early starts be", not "is you can" (a clause after
    // "is").
    bool subjectAfter(qsizetype aux) const;

    // A closing tag from `i` to the end ("isn't it", "don't you", "is that right"), which keeps
    // to its statement.
    bool isClosingTag(qsizetype i) const;

private:
    // Where the question phrase before the auxiliary at `aux` begins, if one does.
    qsizetype whStart(qsizetype aux) const;
};

} // namespace corvel
