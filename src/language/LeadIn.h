#pragma once

#include "language/ClauseWords.h"

// Lead-ins: a clause or phrase before the main clause that sets up what is asked and is not
// itself asked ("if you joined tomorrow, | what would you fix first"). The clause reader's
// reading is here: which words may open a lead-in, and whether the words up to a word may still
// be one, so that a question or request after them is the clause's own. The sentence reader
// reads which kind of lead-in opens a sentence in SentenceLeadIn, above the clause reader: it
// asks it whether a subordinate clause is itself a question ("when did you…", not "when
// you…").
namespace corvel::clause {

class ClauseLeadIn final : ClauseWords {
public:
    explicit ClauseLeadIn(const ClauseWords& words) : ClauseWords(words) {}

    // A clause or phrase that leads in: opened by a subordinator ("if", "before", "now that"),
    // a participle ("looking at…"), a preposition ("for this role…"), thanks or praise.
    bool opensLeadIn(qsizetype i) const;
    // Whether the words from `start` to `at` may lead in to a question: a subordinate clause or
    // a phrase, not the speaker's story nor a report ("the client asked why…").
    bool mayLeadIn(qsizetype start, qsizetype at) const;
    // Whether the word at `at` goes on from a verb before it, which a request there would not:
    // "you never really know…", "feel free to ask…", "you can imagine…", "the trustees
    // decide…": the verb of a subject or an auxiliary, an infinitive.
    bool followsVerb(qsizetype start, qsizetype at) const;
    // "you'll know what chaos looks like": a clause after a verb is its object.
    bool isObjectClauseAt(qsizetype at) const;
    // Whether a question may begin at `i` after the lead-in from `start`: not after a noun, as
    // the verb of a statement or a clause about the noun ("the team is six nurses").
    bool mayAskAt(qsizetype start, qsizetype i) const;

private:
    // A lead-in opened by a subordinator, a participle, a preposition or an adverb: a clause or
    // phrase of its own before the main clause.
    bool opensPhraseLeadIn(qsizetype start) const;
    // Whether the noun phrase before `i` is the object of a verb before it: "(instead of) saying
    // the world | speak…", whose own verb then follows it.
    bool objectOfVerbBefore(qsizetype i) const;
    // Whether a personal pronoun stands before `i`, past adverbs only: the subject of a verb there.
    bool afterPersonalSubject(qsizetype i) const;
    // A noun phrase with a clause about it, before what is asked of it: "the outage you
    // described, … what changed afterwards".
    bool opensTopic(qsizetype start) const;
};

} // namespace corvel::clause
