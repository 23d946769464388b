#pragma once

#include "language/EnglishTagger.h"

#include <QLatin1String>

#include <algorithm>
#include <initializer_list>

// Closed classes of English words and tests over their tags, shared by the readings of a question
// and of the words said after it.
namespace corvel::englishWords {

using namespace Qt::Literals::StringLiterals;
using Tag = EnglishTagger::Tag;

// Said alone, these reply or acknowledge; they are no object, though the lexicon counts some as
// nouns ("thanks", "right").
inline constexpr QLatin1String replyWords[] = {
    "okay"_L1,       "ok"_L1,   "right"_L1, "sure"_L1, "thanks"_L1,    "great"_L1,
    "exactly"_L1,    "yes"_L1,  "no"_L1,    "yeah"_L1, "yep"_L1,       "alright"_L1,
    "cool"_L1,       "fine"_L1, "good"_L1,  "well"_L1, "perfect"_L1,   "nice"_L1,
    "absolutely"_L1, "hmm"_L1,  "mhm"_L1,   "uh"_L1,   "um"_L1,        "oh"_L1,
    "gotcha"_L1,     "erm"_L1,  "er"_L1,    "ah"_L1,   "please"_L1,    "thank"_L1,
    "sorry"_L1,      "huh"_L1,  "hm"_L1,    "mm"_L1,   "understood"_L1};
// Pronouns that may be an object; "you" and "it" may be a subject too.
inline constexpr QLatin1String objectPronouns[] = {"me"_L1, "you"_L1,  "him"_L1, "her"_L1,
                                                   "us"_L1, "them"_L1, "it"_L1};

// Interjections the lexicon does not know: said alone or first, they exclaim, never name.
inline constexpr QLatin1String interjections[] = {
    "phew"_L1, "yikes"_L1,  "wow"_L1,    "whoa"_L1,   "oops"_L1,     "gosh"_L1,
    "ouch"_L1, "ugh"_L1,    "ha"_L1,     "haha"_L1,   "aha"_L1,      "yay"_L1,
    "jeez"_L1, "blimey"_L1, "crikey"_L1, "golly"_L1,  "hooray"_L1,   "ooh"_L1,
    "ahh"_L1,  "eh"_L1,     "bless"_L1,  "cheers"_L1, "goodness"_L1, "yo"_L1};

// Words that hold the place of what the speaker is about to say, inside a phrase too.
inline constexpr QLatin1String fillers[] = {"um"_L1, "uh"_L1, "er"_L1, "erm"_L1, "hmm"_L1, "mm"_L1};

// The listener, addressed.
inline constexpr QLatin1String secondPerson[] = {"you"_L1, "your"_L1, "yours"_L1, "yourself"_L1,
                                                 "yourselves"_L1};
inline constexpr QLatin1String subjectPronouns[] = {"i"_L1,  "you"_L1, "he"_L1,  "she"_L1,
                                                    "it"_L1, "we"_L1,  "they"_L1};
inline constexpr QLatin1String auxiliaries[] = {
    "be"_L1,    "is"_L1,  "are"_L1,  "was"_L1, "were"_L1, "am"_L1,  "been"_L1,
    "being"_L1, "do"_L1,  "does"_L1, "did"_L1, "have"_L1, "has"_L1, "had"_L1,
    "'s"_L1,    "'re"_L1, "'ve"_L1,  "'m"_L1,  "'d"_L1,   "'ll"_L1};
inline constexpr QLatin1String questionWords[] = {"what"_L1,  "how"_L1,    "why"_L1,  "where"_L1,
                                                  "when"_L1,  "who"_L1,    "whom"_L1, "whose"_L1,
                                                  "which"_L1, "whether"_L1};
// A clause or phrase these open is a lead-in when a question or request follows it ("if you
// joined tomorrow what would you fix first").
inline constexpr QLatin1String leadInSubordinators[] = {
    "if"_L1,          "before"_L1,   "since"_L1,   "given"_L1,    "assuming"_L1,
    "when"_L1,        "once"_L1,     "after"_L1,   "as"_L1,       "while"_L1,
    "considering"_L1, "whenever"_L1, "until"_L1,   "suppose"_L1,  "supposing"_L1,
    "imagine"_L1,     "say"_L1,      "because"_L1, "although"_L1, "though"_L1};
// After a noun these may open a clause about it ("a patient who…", "a time when…"); "what" and
// "how" never do.
inline constexpr QLatin1String relativeWords[] = {"who"_L1,   "whom"_L1, "which"_L1, "whose"_L1,
                                                  "where"_L1, "when"_L1, "why"_L1};
// "Whatever comes to mind" names a thing, as a noun phrase does.
inline constexpr QLatin1String freeRelatives[] = {"whatever"_L1, "whoever"_L1, "whichever"_L1,
                                                  "wherever"_L1, "whenever"_L1};
// Words no clause ends on: it was cut off after them. A preposition may end one ("What are you
// proud of?").
inline constexpr QLatin1String danglingWords[] = {
    "the"_L1,   "a"_L1,    "an"_L1,      "your"_L1,     "our"_L1,       "and"_L1,  "or"_L1,
    "where"_L1, "when"_L1, "because"_L1, "although"_L1, "including"_L1, "such"_L1, "not"_L1};
// Words of unequal length differ: most entries are passed over without comparing characters.
template <std::size_t N> bool isIn(const QString& word, const QLatin1String (&list)[N]) {
    return std::any_of(std::begin(list), std::end(list), [&word](QLatin1String entry) {
        return entry.size() == word.size() && word == entry;
    });
}

inline bool isOneOf(Tag tag, std::initializer_list<Tag> tags) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

inline bool isVerb(Tag tag) {
    return isOneOf(tag, {Tag::vb, Tag::vbz, Tag::vbp, Tag::vbd, Tag::md});
}

inline bool isPreposition(Tag tag) {
    return isOneOf(tag, {Tag::in, Tag::to, Tag::rp, Tag::of});
}

// The tagger reads some prepositions as adverbs ("about" in "think about", "far" in "so far"):
// an adverb is a preposition when that is its likelier part of speech.
inline bool isLikelyPreposition(const QString& word) {
    const QList<Tag> readings = EnglishTagger::readings(word);
    return !readings.isEmpty() && isOneOf(readings.first(), {Tag::in, Tag::rp});
}

inline bool hasReading(const QString& word, bool (*test)(Tag)) {
    const QList<Tag> readings = EnglishTagger::readings(word);
    return std::any_of(readings.begin(), readings.end(), test);
}

inline bool canBeVerb(const QString& word) {
    // The lexicon misses some third persons ("ships"); their stem tells.
    return hasReading(word, isVerb) ||
           (word.size() > 3 && word.endsWith(u's') &&
            hasReading(word.chopped(1), [](Tag tag) { return tag == Tag::vb; }));
}

// A word the lexicon does not know is most often a name.
inline bool canBeNoun(const QString& word) {
    return EnglishTagger::readings(word).isEmpty() || hasReading(word, EnglishTagger::isNoun);
}

// Said right after a question, these answer it: the speaker asked themselves ("Is it hard work?
// Yes, but…", "Was it worth it? Absolutely."). "No" answers unless a noun follows it ("No
// pressure."); an adverb of frequency only before more of the answer ("Sometimes, but…").
inline bool opensAnswer(const QStringList& words) {
    static constexpr QLatin1String answers[] = {
        "yes"_L1,        "yeah"_L1,       "yep"_L1,       "yup"_L1,     "nope"_L1,
        "absolutely"_L1, "definitely"_L1, "certainly"_L1, "totally"_L1, "because"_L1};
    static constexpr QLatin1String frequencies[] = {"sometimes"_L1, "often"_L1,  "always"_L1,
                                                    "usually"_L1,   "rarely"_L1, "mostly"_L1};
    const QString first = words.value(0);
    const QString next = words.value(1);
    if (isIn(first, answers))
        return !(first == "because"_L1 && next == "of"_L1);
    if (first == "no"_L1 || first == "not"_L1) {
        if (first == "not"_L1)
            return isIn(next, {"really"_L1, "always"_L1, "much"_L1, "at"_L1, "quite"_L1});
        const QList<Tag> readings = EnglishTagger::readings(next);
        return next.isEmpty() ||
               !(readings.isEmpty() || isOneOf(readings.first(), {Tag::nn, Tag::nns, Tag::jj}));
    }
    if (first == "of"_L1)
        return next == "course"_L1;
    return isIn(first, frequencies) && isIn(next, {"but"_L1, "yes"_L1, "no"_L1, "though"_L1});
}

} // namespace corvel::englishWords
