#pragma once

#include "language/EnglishTagger.h"

#include <QString>

// What opens a spoken clause, read the same way by the sentence reader and the clause reader:
// the discourse words before it, and the phrase a question word opens.
namespace corvel::openings {

// Where the clause from `i` begins once discourse words are off its front ("okay so", "um",
// "thank you", "my next question is"); it keeps at least its last word. "Now that…" leads in.
// `onlyJoining` skips only the words that may open a sentence after another ("…a numbers game so
// how many…"), not those that may as well end the clause before ("…sounds good | do you…",
// "thanks for coming in").
qsizetype afterDiscourse(const QList<EnglishTagger::Word>& words, qsizetype i,
                         bool onlyJoining = false);

// Whether `word` is a discourse word that may open a sentence after a complete one: "so",
// "okay", "um", not "good" or "sure".
bool joinsSentences(const QString& word);

// Where the phrase a question word at `i` opens ends: "how many people", "how deprived", "which
// of your old jobs", "what uh age groups", "what kind of work", "whose idea", "who else". A word
// after a noun that can be its verb ends it ("which team leads…", "what early mornings suit…"),
// as does an auxiliary.
qsizetype questionPhraseEnd(const QList<EnglishTagger::Word>& words, qsizetype i);

} // namespace corvel::openings
