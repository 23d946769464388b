#pragma once

#include "language/FollowingReading.h"
#include "language/PhraseWords.h"

namespace corvel::phrase {

// What is read: a noun phrase, or the clause after a question word with or without its subject.
enum class ClauseKind { none, withoutSubject, withSubject };

// Reads a noun phrase and the clauses about it, or the clause after a question word, left to
// right, for a verb that would make the words a sentence of their own.
class ClauseReader final : PhraseWords {
public:
    explicit ClauseReader(QList<Word>& words) : PhraseWords(words) {}

    // After a question word: a question of its own when a verb comes before any subject, or
    // with inversion ("how would you…", "which tools have you…"); else an object clause.
    FollowingReading readClause();
    // A noun phrase, with the clauses about it, read from `from`; or, with `kind`, the clause
    // after a question word.
    FollowingReading readPhrase(qsizetype from, ClauseKind kind);

private:
    // The clause being read: one about a noun ("the project you led"), one of its own ("when
    // the budget shrinks"), or the clause after a question word.
    struct OpenClause {
        bool begun = false;
        bool relative = false; // about a noun before it
        bool hasSubject = false;
        qsizetype verb = -1; // its verb's last word, once it has one

        bool awaitsVerb() const { return begun && verb < 0; }
        void begin(bool isRelative, bool withSubject) {
            *this = {true, isRelative, withSubject, -1};
        }
    };

    // Whether another verb follows the one at `i` before anything that could be its own
    // subject: the words before it are the subject ("What is important is…", "What is saying
    // here is confidential.", as the recogniser may hear "What you say here…").
    bool hasSecondVerb(qsizetype i) const;
    // Whether the verb at `i`, after a noun, leaves a preposition without its object: "features
    // customers ask for" is a clause about the noun before that one.
    bool strandsPreposition(qsizetype i) const;
    // Whether the noun before `i`, after another noun it agrees with, is the verb: "Our roadmap
    // changes often", "Quality matters here", "The manager signs off", where no noun phrase ends
    // as the words at `i` go on; "sales calls each week" is a phrase.
    bool verbAmongNounsBefore(qsizetype from, qsizetype i) const;
    // Whether the word at `i` is a verb. A participle is one as the verb of a clause, or after a
    // whole clause about the noun, as its own verb in the past: "something you said earlier
    // stuck with me" (but "orders get delayed").
    bool isVerbIn(const OpenClause& clause, qsizetype from, qsizetype i) const;
    // Whether the verb at `i` belongs to the verb before it: "won't be contacted", "wants to
    // grow". In a gerund phrase a bare verb is no verb of its own: "letting someone go".
    bool continuesVerb(const OpenClause& clause, qsizetype from, qsizetype i) const;
    // Whether the word at `i` opens a clause, begun in `clause`: one about the noun before it
    // (`afterHead`), or one of its own after a verb or in a gerund phrase.
    bool opensClause(OpenClause& clause, qsizetype from, qsizetype i, bool afterHead,
                     bool hasVerb) const;
    // Whether the word at `i`, tagged a noun right after the verb of a clause about a noun, is
    // the phrase's own verb: "Anything you pick works", "Everyone who starts here shadows a
    // nurse": the clause's verb leaves its object to the noun.
    bool isVerbAfterRelativeClause(const OpenClause& clause, qsizetype i, Tag before) const;
    // Whether the verb at `i` has a place in the phrase: the verb `clause` waits for, part of the
    // verb before it, one joined to it, or the verb of a clause about the noun before it. Records
    // it in `clause`, and in `hasVerb` when a clause has its verb; false for a verb of its own.
    bool placesVerb(OpenClause& clause, qsizetype from, qsizetype i, Tag before,
                    bool& hasVerb) const;
    // An object clause whose verb was read as a noun: "how the teams share work".
    bool hasNounVerbAfterNoun(qsizetype from) const;
};

} // namespace corvel::phrase
