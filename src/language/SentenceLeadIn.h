#pragma once

#include "language/SentenceWords.h"

namespace corvel {

// How a sentence opens before its main clause, as the sentence reader reads it: what a lead-in
// leads to stays in its sentence ("if you joined tomorrow | what would you fix first"). The
// clause reader reads how far a lead-in runs in one clause in LeadIn; the two differ in what they
// are given and what they look for.
class SentenceLeadIn : public SentenceWords {
public:
    explicit SentenceLeadIn(const SentenceWords& words) : SentenceWords(words) {}

    // A subordinate clause ("if you joined…"), a phrase ("looking at your cv…", "in your last
    // job…") or a topic with a clause about it ("the outage you described…").
    enum class Kind { none, clause, phrase, topic };

    // The lead-in that opens the sentence from `i`, past discourse words, an apology and
    // adverbs ("sorry, before we start…", "so hypothetically if…").
    Kind leadInAt(qsizetype i) const;
};

} // namespace corvel
