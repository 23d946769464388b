#pragma once

#include "language/ClauseWords.h"

// Requests: a verb in the base form without a subject that asks the listener to speak, recall
// or choose ("walk me through your last release"), or the same put politely after "you" and a
// modal. Most imperatives in an interview are courtesy or logistics and ask nothing, so this
// part reads what the verb and its object ask for.
namespace corvel::clause {

class Request final : ClauseWords {
public:
    explicit Request(const ClauseWords& words) : ClauseWords(words) {}

    // A verb in the base form without a subject, asking the listener to speak, recall, choose
    // or do something: its verb is one of saying or thinking ("summarise your last project"),
    // it goes through something ("walk us through…"), or its object is no concrete thing
    // ("give an example…") or is told by a clause about the listener ("share a time you…").
    // Courtesy and logistics ask nothing: "take a moment", "let me pull up your cv", "excuse
    // me", "don't worry". `inner` after a lead-in.
    Reading imperativeAt(qsizetype i, bool inner) const;
    // A request put politely, "you" and a modal before its verb: "perhaps you could describe…".
    Reading politeAt(qsizetype i, bool inner) const;

private:
    // Where the verb is, past the words that soften it: "please just | describe…".
    qsizetype verbAfterSofteners(qsizetype i) const;
    // Whether the verb at `i` is one of courtesy or logistics, which asks nothing: "have a seat".
    bool isCourtesyAt(qsizetype i) const;
    // Whether the word at `i` is a verb without a subject, neither before nor after it: not
    // "quality matters".
    bool isBareVerbAt(qsizetype i, bool inner) const;
    // Whether the request by the verb at `i` asks the listener: by a verb of saying ("tell me
    // more"), through something, or by what its object is.
    bool asksAt(qsizetype i, bool inner) const;
    // Whether the object from `object` on asks for something to speak about, not a thing to
    // fetch: "give an example", not "open the door".
    bool asksOfObject(qsizetype i, qsizetype object) const;
};

} // namespace corvel::clause
