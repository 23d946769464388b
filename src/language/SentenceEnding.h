#pragma once

#include "language/SentenceEnd.h"
#include "language/SentenceLeadIn.h"
#include "language/SentenceWords.h"

namespace corvel {

// How a result's last sentence ends, as the recogniser ends a result at any pause: whole, open
// to more ("how many of the residents") or cut off where no sentence ends ("which of your old
// jobs do").
class SentenceEnding : public SentenceWords {
public:
    explicit SentenceEnding(const SentenceWords& words) : SentenceWords(words), m_leadIn(words) {}

    // How the sentence from `start` ends at the last word.
    SentenceEnd ending(qsizetype start) const;

private:
    // Whether the sentence from `start`, whole so far, may go on after a pause: a question
    // trailing off on "or", an auxiliary and its subject, a question phrase or a lead-in
    // without what it waits for.
    bool isOpen(qsizetype start) const;
    // Whether it ends on an auxiliary and its subject, which may close a question or go on:
    // "or do you", "why would the competitor".
    bool endsOnSubject(qsizetype start) const;
    // Whether the words from `first` ask "why" of a noun phrase, which may be all they ask:
    // "why this role", "why the move to berlin".
    bool asksWhyOf(qsizetype first) const;

    // Whether an auxiliary near the end still waits for its verb: right after a question phrase
    // ("which of your old jobs do"), before its subject where it opens the clause ("or do you",
    // "why would the competitor", "have you ever"), after its subject before an adverb ("we'll
    // each"), or "is" after a noun ("the gap we talked about was"). "i do", "you should", "what
    // do you all do" are whole.
    bool endsAwaitingVerb(qsizetype start, qsizetype last) const;

    // Whether the sentence from `start` is a topic with a clause about it and no verb of its
    // own yet: "the thing i always ask", "the other thing i'm wondering".
    bool topicAwaitsVerb(qsizetype start) const;

    SentenceLeadIn m_leadIn;
};

} // namespace corvel
