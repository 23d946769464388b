#pragma once

#include "language/ClauseWords.h"

// Follow-ups: a question asked by a noun phrase or a few words without a verb ("any regrets?",
// "and the budget?"). With no verb to invert, only their words and their place tell that they
// ask, so they are read where a clause begins, never after a lead-in.
namespace corvel::clause {

class FollowUp final : ClauseWords {
public:
    explicit FollowUp(const ClauseWords& words) : ClauseWords(words) {}

    // A noun phrase asked as a question after "any", "anything", "your" or "and your"; a short
    // follow-up without a verb: a question word with what it asks of ("how so", "since when",
    // "in what way", "differently how"), "and" with what it asks about ("and the budget", "and
    // after that", "and then"), or words that ask for more ("such as", "for example").
    Reading followUpAt(qsizetype i) const;

private:
    // The short follow-up, up to six words without a verb: "since when".
    Reading shortFollowUpAt(qsizetype i) const;
};

} // namespace corvel::clause
