#pragma once

#include "language/SentenceWords.h"

namespace corvel {

// How a sentence opens before its main clause: a subordinate clause ("if you joined…"), a phrase
// ("looking at your cv…") or a topic with a clause about it ("the outage you described…").
// What it leads to stays in the same sentence.
class SentenceLeadIn : public SentenceWords {
public:
    explicit SentenceLeadIn(const SentenceWords& words) : SentenceWords(words) {}

    // A sentence opened by a subordinate clause ("if you joined…"), a phrase ("looking at your
    // cv…", "in your last job…") or a topic with a clause about it ("the outage you
    // described…") leads in to its main clause.
    enum class Kind { none, clause, phrase, topic };

    Kind leadInAt(qsizetype i) const;
};

} // namespace corvel
