#pragma once

#include "language/AfterQuestion.h"
#include "language/SentenceWords.h"

namespace corvel {

// Where a statement begins after another said in one breath: a new subject and its verb
// ("…last year | it took six months"). Most subjects after a noun or a verb belong to the clause
// before, so this boundary is read with care.
class SubjectStart : public SentenceWords {
public:
    explicit SubjectStart(const SentenceWords& words)
        : SentenceWords(words), m_afterQuestion(words) {}

    // Whether a new subject and its verb begin at `j`: a pronoun, or "that"/"there" before "is".
    // After a noun a subject opens a clause about it ("the team you joined"), after a verb its
    // object ("i think we should"); `afterPhrase` when a phrase leads in,
    // whose main clause may begin after any noun ("in my last job i ran…").
    bool subjectStartsAt(qsizetype j, bool afterPhrase, qsizetype start) const;

private:
    // "…pretty well i take it", "…fridays free you said": a closing tag keeps to its statement.
    bool isTagPhrase(qsizetype j) const;

    AfterQuestion m_afterQuestion;
};

} // namespace corvel
