#pragma once

namespace corvel {

// How a sentence ends where its words stop, as the recogniser may end a result at a pause.
enum class SentenceEnd {
    // Where a sentence can end.
    whole,
    // Where it may end, or go on after the pause: a question phrase without its verb ("how many
    // of the residents"), a lead-in without its clause ("since you've worked"), a question
    // trailing off on "or".
    open,
    // Where no sentence ends: on an article, a conjunction, an auxiliary waiting for its verb
    // ("which of your old jobs do", "why would the competitor"), a filler, "just so".
    cutOff
};

} // namespace corvel
