#pragma once

#include "language/SentenceWords.h"

#include <optional>

namespace corvel {

// Whether the words so far are a complete clause: it has a verb with its tense, and its last
// word needs nothing after it. "we're a charity so the salary" is not one; "thanks for coming
// in" needs no verb.
class ClauseEnd : public SentenceWords {
public:
    explicit ClauseEnd(const SentenceWords& words) : SentenceWords(words) {}

    // Whether the words from `start` to `j` are a clause that is complete there: it has a verb,
    // and its last word needs nothing after it nor reports what follows.
    bool endsClause(qsizetype start, qsizetype j) const;

    // Whether the word at `i` needs words after it: an article, a preposition, a conjunction,
    // an auxiliary. "Be" ends a clause about how or what something is ("i know how draining
    // nights are"), "that" one it is the object of ("thanks for that").
    bool leansOnNext(qsizetype i) const;

private:
    // How the words from `first` to `j` end without a verb, where they need none: a follow-up
    // ("what about the weekends"), thanks or an apology ("thanks for coming in"), a request
    // ("take a seat"), praise ("great answer"); none where they need a verb.
    std::optional<bool> endsWithoutVerb(qsizetype start, qsizetype first, qsizetype j) const;

    // Whether the auxiliary at `aux`, opening a question, still waits for its verb at `j`, with
    // only its subject after it: "does your team", "can you", "aren't you".
    bool awaitsVerb(qsizetype aux, qsizetype j) const;
};

} // namespace corvel
