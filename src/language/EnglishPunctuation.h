#pragma once

#include <QString>
#include <QStringList>

namespace corvel {

// Written form of a recogniser's words: the recogniser hears neither case nor punctuation, so each
// sentence of a finished utterance (EnglishSentences) gets sentence case and a "?" when it is
// built like an English question, a "." otherwise; an utterance still in progress only gets its
// case.
class EnglishPunctuation final {
public:
    EnglishPunctuation() = delete;

    // "could you tell me about it" gives "Could you tell me about it?", "we're a small team how
    // do you feel about that" gives "We're a small team. How do you feel about that?".
    static QString finished(const QString& words);
    // "i think so" gives "I think so", without a closing mark.
    static QString inProgress(const QString& words);
    // Lower-case words built as a question (EnglishClause): an inverted clause, a question word
    // opening a question, a closing tag ("isn't it"), or a follow-up ("any questions for us").
    static bool isQuestion(const QStringList& words);
};

} // namespace corvel
