#pragma once

#include "language/ClauseReading.h"
#include "language/EnglishTagger.h"

#include <QStringList>

namespace corvel {

// The form of one spoken English clause, read from its words' parts of speech: whether it asks
// the listener something and how, or states something, and whose story it tells. The finisher's
// "?" and the question detector both read it here, so the two never disagree.
class EnglishClause final {
public:
    EnglishClause() = delete;

    using Form = ClauseForm;
    using Reading = ClauseReading;

    // `words` lower case with their apostrophes, as the recogniser spells them; `questionMark`
    // when the clause was written with one. A lead-in before the clause that asks is skipped:
    // discourse words, thanks or praise, a clause opened by "if", "before", "since" and the
    // like, or a participle phrase ("looking at your cv …"). Reads the first
    // EnglishTagger::clauseWords words, or as many as EnglishTagger::sentenceWords when a lead-in
    // runs past them.
    static Reading read(const QStringList& words, bool questionMark = false);

    // The reading of `tagged` from word `from` on, as a sentence of its own from there: what a
    // new sentence beginning there would be.
    static Reading readFrom(const QList<EnglishTagger::Word>& tagged, qsizetype from);

    // Whether `words` open with a question or request of their own, after discourse words only:
    // a question ("which tools…", not "what we…"), a request by the few verbs that always make
    // one ("tell me…", "describe…") or the speaker wanting to know.
    static bool opensQuestion(const QStringList& words);

    // Whether `words` stop on a word no clause ends on ("the", "your", "and"): they were cut off.
    static bool isCutOff(const QStringList& words);
};

} // namespace corvel
