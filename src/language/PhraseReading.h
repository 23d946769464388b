#pragma once

#include "language/EnglishTagger.h"
#include "language/FollowingReading.h"

namespace corvel {

struct PhraseReading {
    // Its object when the words read as a noun phrase, with any clause about it, a gerund
    // phrase, a clause opened by a question word without inversion, or a lone object pronoun; a
    // question of their own after a question word with inversion; else a remark, above all when a
    // verb of their own follows their subject.
    FollowingReading reading;
    // Whether the words name a thing: by a content word at their head, a noun ("the project you
    // led"), a gerund ("mentoring new hires") or a pronoun a clause tells ("someone you
    // mentored"), or by a clause opened by a question word ("how we ship"); not a pronoun, a
    // quantifier or a free choice ("anything at all", "whatever comes to mind").
    bool namesTopic = false;
};

// What words said after a question make of it, read left to right from their tags (tagged after
// the question).
PhraseReading readPhrase(QList<EnglishTagger::Word> words);

} // namespace corvel
