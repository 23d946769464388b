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
};

} // namespace corvel::clause
