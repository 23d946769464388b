#pragma once

#include "language/SentenceEnd.h"

#include <QList>
#include <QStringList>

namespace corvel {

// The sentences of one spoken result. The recogniser ends a result only at a pause, so a turn
// said in one breath ("we're a small team how do you feel about that") comes as one result
// without punctuation. A sentence ends after a complete clause where a clause that asks begins
// (a question word with inversion or as its own subject, an auxiliary before its subject, a
// request, the speaker wanting to know) or where a new subject and its verb begin. Where the
// words cannot tell, they stay one sentence: a lead-in stays with the question it leads to, a
// clause about a noun with its noun, a quoted question with the words that report it.
class EnglishSentences final {
public:
    EnglishSentences() = delete;

    // Where each sentence of `words` (lower case, as the recogniser spells them) begins; the
    // first at 0, none for no words. Boundaries are read in the first
    // EnglishTagger::sentenceWords words only; the rest stays in the last sentence.
    static QList<qsizetype> starts(const QStringList& words);

    // How the last sentence of `words` ends, as the recogniser may end a result at a pause.
    using Ending = SentenceEnd;
    static Ending ending(const QStringList& words);

    // Whether the words from `at` may begin a sentence after those before it, each side
    // whole: not "you miss the most" after "which of your old jobs do", nor "who won't take
    // their medication" after "how you deal with a resident".
    static bool mayDivide(const QStringList& words, qsizetype at);
};

} // namespace corvel
