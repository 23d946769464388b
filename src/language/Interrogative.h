#pragma once

#include "language/ClauseWords.h"

// Questions whose form alone asks: a question word opening one, an auxiliary or modal before
// its subject, or a question word and then "you" without inversion, as casual speech asks
// ("where you see yourself in five years"). A question word as often opens a clause that asks
// nothing, so this part reads which of the two it opens.
namespace corvel::clause {

class Interrogative final : ClauseWords {
public:
    explicit Interrogative(const ClauseWords& words) : ClauseWords(words) {}

    // A question word opening a question, or an auxiliary or modal before its subject.
    Reading interrogativeAt(qsizetype i) const;
    // A question word and its phrase, then "you" and its verb without inversion, as casual
    // speakers and many speakers of English as a second language ask: "where you see yourself
    // in five years", "which database you would pick", "how long you been in london", "what
    // sort of projects you working on". Not a clause that is the subject of a verb of its own:
    // "what you said earlier stuck with me", "how you get there is up to you".
    Reading uninvertedAt(qsizetype i) const;

private:
    // A question word opening a question: "which tools would you pick".
    Reading questionWordAt(qsizetype i) const;
    // Whether the question word at `i` opens a clause about something instead: "how that
    // played out".
    bool opensClauseAt(qsizetype i) const;
    // An auxiliary or modal before its subject: "have you led a team".
    Reading invertedAt(qsizetype i) const;
    // Whether the clause "when" opens, its verb at `verb`, leads in to a main clause after it:
    // "when you were at school, do you…".
    bool whenLeadsIn(qsizetype verb) const;
    // Whether the clause with its verb at `verb` is the subject of a verb after it, or leads in
    // to it: "what you said earlier | stuck with me".
    bool isSubjectOfVerbAfter(qsizetype verb) const;
    // A clause opened by a question word as its subject, then "is" or "was" for a verb of its
    // own: "what motivates me is…", "what happened next was…", not "what happened when the
    // server was down".
    bool isCleft(qsizetype i) const;
};

} // namespace corvel::clause
