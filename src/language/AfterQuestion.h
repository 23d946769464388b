#pragma once

#include "language/SentenceWords.h"

namespace corvel {

// What a speaker says right after a question they asked: its answer ("is it hard work | yes
// but…", "where's head office | it's in leeds") or a clause that clarifies it ("…your own tools
// | we supply the bigger kit"). Either ends the question's sentence.
class AfterQuestion : public SentenceWords {
public:
    explicit AfterQuestion(const SentenceWords& words) : SentenceWords(words) {}

    // Whether the words from `j` answer the question from `start`: "is it hard work yes but…",
    // or, where it does not ask the listener, words without a verb ("how long's the probation
    // six months same as everyone", "who set the targets head office not us").
    bool answersQuestion(qsizetype start, qsizetype j) const;

    // Whether a clause of its own begins at `j` after the question from `start`, which needs
    // nothing of it: its verb has what it takes ("…your own tools we supply the bigger kit",
    // "…a fixed term contract it's twelve months", "…looking for a range is fine"), unlike a
    // clause about the noun before it ("the system you've been responsible for").
    bool clarifiesQuestion(qsizetype start, qsizetype j) const;

private:
    // Whether the words at `j` still belong to the question from `start`: a clause about its
    // noun ("a time | you helped…"), its verb's object ("what made | you…").
    bool goesOnWithQuestion(qsizetype start, qsizetype j) const;
    // Whether a clause from `j` has its subject, its verb and what the verb takes: "it's twelve
    // months", "we supply the bigger kit", not "you've worked with".
    bool isWholeClauseAt(qsizetype j) const;

    // Words from `i` that are no clause and that nothing before them continues: a number, a
    // name or a noun phrase with its article that no verb of its own follows ("six months same
    // as everyone", "harrogate that's right", "the lone worker app"), not a subject before its
    // verb ("the team faces…").
    bool isFragmentAt(qsizetype i) const;
};

} // namespace corvel
