#pragma once

#include "language/PhraseWords.h"

namespace corvel::phrase {

// Corrects the tags of the words said after a question where only one of a word's readings fits
// its neighbours, as the tagger, reading them one way, cannot.
class ContextTags final : PhraseWords {
public:
    explicit ContextTags(QList<Word>& words) : PhraseWords(words) {}

    // Names and nouns that are also verbs, and verbs among nouns.
    void correct() {
        readNamesAsNouns();
        readVerbsAmongNouns();
    }
    // A quantifier, alone, with "one" or with "of" and a pronoun, is the subject of a word after
    // it that can be a verb and, as a noun, would not agree with it: "Both work for me.", "Each
    // counts.", "Either one works.", "That shows.", "None of those overlap." ("both design and
    // code", "several time zones", "each of those tools" are phrases).
    bool readQuantifierAsSubject();

private:
    // A name or noun that is also a verb, after a preposition, beside another noun or before a
    // clause about it: "go", "react and node", "code that nobody wants to touch"; a word the
    // lexicon does not know, in a noun's place. Read from the end, so that each sees the noun
    // after it.
    void readNamesAsNouns();
    // Where only one of a word's readings fits its neighbours, that one. A pronoun takes no noun
    // after it ("anything works", "the person you name"), nor does "who" ("managers who code")
    // or an adverb after a noun ("our queue usually peaks"); an object pronoun follows a verb,
    // not a noun ("designers sketch everything"); and a plural inside a run of nouns, after a
    // singular it agrees with, is its verb ("our finance team forecasts revenue"). A bare verb
    // follows no determiner or noun, whatever the lexicon knows of the word ("our build
    // pipeline", "a monitoring stack", but "the audio cut out"), nor does a verb that does not
    // agree with a noun before it ("customer churn metrics", "sales calls"),
    // and a verb opening a run of nouns is their modifier ("supply chain risk management").
    void readVerbsAmongNouns();
    // Whether nouns follow the first word to the end, a preposition or a conjunction: "merge
    // requests", "design reviews", not "take a moment".
    bool opensRunOfNouns() const;
};

} // namespace corvel::phrase
