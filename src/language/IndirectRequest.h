#pragma once

#include "language/ClauseWords.h"

// Requests made as statements: the speaker wanting to know or hear what the listener says, or
// naming the question before asking it ("my last question is what you're hoping to learn").
// Their subject is the speaker, yet they ask the listener, so this part reads them before the
// clause can count as the speaker's own story.
namespace corvel::clause {

class IndirectRequest final : ClauseWords {
public:
    explicit IndirectRequest(const ClauseWords& words) : ClauseWords(words) {}

    // The speaker wanting to know or hear what the listener says: "i'm curious what…", "i'd be
    // interested to hear how…", "i wonder if you could…", "it would help to know…", "i'd love
    // for you to…", "i'm trying to work out…", "it'd be great if you could…".
    Reading indirectAt(qsizetype i) const;
    // A sentence that names the question, then "is" and what is asked: "what i'd really like to
    // know is how you'd handle…", "the thing i always ask, and it's an odd one, is which part…",
    // "my last question is what you're hoping to learn", "what i wanted to ask about is the gap
    // on your cv". Said in the present: "the first thing she asked was…" reports.
    Reading namedQuestionAt(qsizetype i) const;
};

} // namespace corvel::clause
