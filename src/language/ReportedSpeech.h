#pragma once

#include "language/EnglishTagger.h"

#include <QList>

namespace corvel {

// Whether the words of `words` before `end` report what someone said, asked or thought, so that
// a question said after them is quoted, not asked: "a client asked us", "i said to the site
// manager", "he goes", "she was like", "they wanted to know".
bool reportsSpeech(const QList<EnglishTagger::Word>& words, qsizetype end);

} // namespace corvel
