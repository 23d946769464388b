#pragma once

#include "language/ClauseWords.h"

#include <optional>

// Whose the clause is: the speaker's own story, a question the speaker answers in the same
// breath or one they report, or a statement that a closing tag puts to the listener ("you led
// it, didn't you"). A clause built as a question may still not ask the listener, and a
// statement may: this part tells.
namespace corvel::clause {

class Speaker final : ClauseWords {
public:
    explicit Speaker(const ClauseWords& words) : ClauseWords(words) {}

    // What the clause from `i` states when nothing in it asks: the speaker's own story ("i led
    // the migration"), or a statement put to the listener to confirm.
    Reading statementAt(qsizetype i) const;
    // After a lead-in, the speaker as the subject of the main clause: "with difficult
    // students i…", not the subordinate clause's own ("before we finish…")
    Reading statementAfterLeadIn(qsizetype i) const;
    // Whether its first verb with a tense is a past one.
    bool isPast() const;
    // A question the speaker answers in the same breath, searching for a word, a name or a
    // date: "what's the word resilient", "what's it called the handover sheet", "what year was
    // it twenty nineteen", "was it march no april".
    bool isAnsweredAt(qsizetype i) const;
    // A closing tag or an inverted pair further in makes a statement a question.
    Reading withTag(Reading reading) const;
    // Where a question quoted after the words that report it begins ("a client asked us can
    // you…", not "asking when it will be done"), or the end: what follows is not put to the
    // listener. Found when first asked: a clause read from a word on never asks.
    qsizetype quoteStart() const {
        if (!m_quoteStart)
            m_quoteStart = findQuoteStart();
        return *m_quoteStart;
    }

private:
    // Whether it ends on a closing tag, outside any quote: "…, is that right".
    bool endsWithTag() const;
    // An inverted pair needs its verb after it: at the very end "is there" is a place and "do
    // you" more often a misheard word than a question.
    bool hasInvertedPair() const;
    qsizetype findQuoteStart() const;

    mutable std::optional<qsizetype> m_quoteStart;
};

} // namespace corvel::clause
