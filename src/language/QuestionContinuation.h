#pragma once

#include "language/FollowingReading.h"

#include <QString>

namespace corvel {

// An interviewer who pauses after a preposition ("What is your opinion on" … "our test plans?")
// leaves the recogniser two results. Whether a question may go on that way, and what the words
// after it make of it, are read from the parts of speech EnglishTagger gives them in context.
class QuestionContinuation final {
public:
    QuestionContinuation() = delete;

    using Reading = FollowingReading;

    // Whether `question` ends on a preposition or particle it may have been cut at ("What is your
    // opinion on?", "What are you most proud of?"): it is whole only once the asker has stopped.
    static bool mayGoOn(const QString& question);

    // Whether `question` stops on a verb that still waits for its object ("Why should we
    // choose", "Is there anything you'd like to tell"): part of what `mayGoOn` tells.
    static bool stopsBeforeObject(const QString& question);

    // Whether the question phrase of `question` is already the object of the preposition it
    // ends on ("What are you most proud of?", "Which framework would you go with?"), so that it
    // is whole as asked; not where that phrase could as well be a verb's object or the
    // complement of "be" ("What did you learn from?", "What is your opinion on?"), nor where
    // no question phrase stands for a noun ("How do you feel about?", "Tell me about").
    static bool isWholeAsAsked(const QString& question);

    // What `words`, said after `question`, make of it; only their first sentence counts. They
    // continue it when, tagged after it as one sentence, they read as its object: a noun phrase,
    // with or without a clause about it ("our test plans", "tests that nobody runs", "rust and
    // go", "Burnout."), a gerund phrase, a clause opened by a question word without inversion
    // ("how our teams work"), or a lone object pronoun ("you"); after a question whole as asked,
    // only when they name its topic. A sentence with a verb of its own, after any clause about
    // its subject ("Anything you mention stays confidential.") or a quantifier standing for it
    // ("Both work for me."), replies ("Sounds great.", "Okay, makes sense."), an imperative and
    // a few verbless remarks ("No pressure.") are remarks.
    static Reading read(const QString& question, const QString& words);

    // The words up to the first sentence's closing mark: "Right. Sure." is two remarks.
    static QString firstSentence(const QString& words);

    // Whether `words`, said after `question` was asked whole, only go on with it: they cannot
    // begin a sentence after it ("who won't take their medication" after "How you deal with a
    // resident?"), or they are the object of the verb it ends on ("your last job" after "Why
    // did you leave?"). A question of their own does not.
    static bool goesOn(const QString& question, const QString& words);

    // `question` as it is asked once nothing more comes: trailing off on "or", without it
    // ("Would you prefer mornings or?" is "Would you prefer mornings?").
    static QString asAsked(const QString& question);
};

} // namespace corvel
