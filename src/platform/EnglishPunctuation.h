#pragma once

#include <QString>
#include <QStringList>

namespace corvel {

// Written form of a recogniser's words: the recogniser hears neither case nor punctuation, so a
// finished utterance gets sentence case and a "?" when it is built like an English question, a
// "." otherwise; an utterance still in progress only gets its case.
class EnglishPunctuation final {
public:
    EnglishPunctuation() = delete;

    // "could you tell me about it" gives "Could you tell me about it?".
    static QString finished(const QString& words);
    // "i think so" gives "I think so", without a closing mark.
    static QString inProgress(const QString& words);
    // Lower-case words: an inverted clause (auxiliary before its subject), a question word
    // opening a question, or a closing tag ("isn't it", "is that right").
    static bool isQuestion(const QStringList& words);
    // Lower-case words that open with a question, after a lead-in such as "okay so": a question
    // word opening one ("which tools", not "what we") or an auxiliary before its subject.
    static bool opensQuestion(const QStringList& words);
};

} // namespace corvel
