#pragma once

#include "language/Inversion.h"
#include "language/SentenceWords.h"

namespace corvel {

// Where a clause that asks begins inside a result, so that a sentence may end before it: "we're
// a small team | how do you feel about that". After a noun a question word more often opens a
// clause about it ("a resident | who won't take their medication"), after a verb its object.
class QuestionStart : public SentenceWords {
public:
    explicit QuestionStart(const SentenceWords& words) : SentenceWords(words), m_inversion(words) {}

    // Whether a clause that asks begins at `j`, after discourse words.
    bool questionStartsAt(qsizetype j) const;

    // Whether a follow-up begins at `j` after praise or a reply: "mm interesting | and your line
    // manager".
    bool followsPraise(qsizetype start, qsizetype j) const;

    // Whether a question quoted after the words that report it begins at `j`: "she asked me can
    // you…", not "you said you've been…".
    bool quoteStartsAt(qsizetype j) const;

private:
    // A question word opening a question of its own: "…we're a small team | how do you feel…",
    // not a clause about the noun before ("a resident | who won't…") or a verb's object.
    bool questionWordStartsAt(qsizetype j, qsizetype k) const;
    // An auxiliary before its subject: "…below market | is that going to be a problem".
    bool invertedStartsAt(qsizetype j, qsizetype k) const;
    // A request by a verb of saying: "…a lot here | walk me through a typical day".
    bool requestStartsAt(qsizetype j, qsizetype k) const;

    // Whether the noun phrase that ends at `i` is the object of a verb or a preposition before
    // it, not a subject waiting for its verb ("…are owner managed businesses", not "the
    // waiters").
    bool isObjectPhrase(qsizetype i) const;

    // Whether a noun phrase from `i` is followed by a verb or an adjective: what "is" says of a
    // subject after it.
    bool predicateAfterPhrase(qsizetype i) const;

    // Whether a clause begins at `i`, a subject and its verb: "(is that) i find…", "(is that) the
    // team needs…", not "(is that) the sort of thing…".
    bool opensClause(qsizetype i) const;

    // Whether the words from `k` to the end are a short follow-up without a verb, with a question
    // word: "how come", "since when", "in what way", "differently how".
    bool isShortFollowUp(qsizetype k) const;

    Inversion m_inversion;
};

} // namespace corvel
