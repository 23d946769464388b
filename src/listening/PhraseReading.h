#pragma once

#include "listening/EnglishTagger.h"
#include "listening/QuestionContinuation.h"

namespace corvel {

// What words said after a question make of it, read left to right from their tags (tagged after
// the question): its object when they read as a noun phrase, with any clause about it, a gerund
// phrase or a clause opened by a question word without inversion; a question of their own after
// a question word with inversion; else a remark, above all when a verb of their own follows
// their subject.
QuestionContinuation::Reading readPhrase(QList<EnglishTagger::Word> words);

} // namespace corvel
