#pragma once

#include "language/EnglishWords.h"
#include "language/TaggedWords.h"

namespace corvel {

// Words the sentence reader's parts share.
namespace sentenceWords {

using namespace Qt::Literals::StringLiterals;

// Adjectives whose complement is a clause: "i'm curious what…", "we're not sure how…".
inline constexpr QLatin1String clauseAdjectives[] = {
    "curious"_L1, "sure"_L1,  "unsure"_L1,    "certain"_L1,  "uncertain"_L1,
    "aware"_L1,   "clear"_L1, "unclear"_L1,   "confused"_L1, "interested"_L1,
    "keen"_L1,    "glad"_L1,  "wondering"_L1, "amazed"_L1,   "surprised"_L1};
// Words that open a clause within a sentence.
inline constexpr QLatin1String clauseMarkers[] = {
    "and"_L1,      "but"_L1,     "or"_L1,      "so"_L1,    "because"_L1,
    "although"_L1, "though"_L1,  "whereas"_L1, "while"_L1, "if"_L1,
    "unless"_L1,   "whether"_L1, "that"_L1,    "which"_L1, "who"_L1};
// Words that soften a request before its verb.
inline constexpr QLatin1String softeners[] = {"please"_L1, "just"_L1, "kindly"_L1};
inline constexpr QLatin1String beForms[] = {"is"_L1,   "are"_L1, "was"_L1,
                                            "were"_L1, "'s"_L1,  "'re"_L1};
inline constexpr QLatin1String haveForms[] = {"have"_L1, "has"_L1, "had"_L1, "'ve"_L1};
inline constexpr QLatin1String doForms[] = {"do"_L1, "does"_L1, "did"_L1};
inline constexpr QLatin1String demonstratives[] = {"that"_L1, "this"_L1, "there"_L1};
// Adverbs that stand between a subject and its verb ("they usually describe…"): no request
// begins after them.
inline constexpr QLatin1String verbAdverbs[] = {
    "usually"_L1, "always"_L1, "never"_L1,    "often"_L1,      "sometimes"_L1, "really"_L1,
    "also"_L1,    "just"_L1,   "actually"_L1, "generally"_L1,  "normally"_L1,  "typically"_L1,
    "rarely"_L1,  "seldom"_L1, "probably"_L1, "definitely"_L1, "certainly"_L1, "mostly"_L1,
    "mainly"_L1,  "still"_L1,  "even"_L1,     "only"_L1,       "simply"_L1,    "basically"_L1};
// Discourse words that may as well end the clause before ("…bathroom refits now", "…go well"):
// a question after them begins after them.
inline constexpr QLatin1String clauseEnds[] = {"now"_L1, "then"_L1, "right"_L1, "well"_L1,
                                               "anyway"_L1};

inline bool isFinite(EnglishTagger::Tag tag) {
    return englishWords::isOneOf(tag, {EnglishTagger::Tag::vbz, EnglishTagger::Tag::vbd,
                                       EnglishTagger::Tag::vbp, EnglishTagger::Tag::md});
}

} // namespace sentenceWords

// The words of one result as the sentence reader reads them: which have a verb with its tense,
// read once, since every boundary looks back over them.
class SentenceWords : public TaggedWords {
public:
    explicit SentenceWords(QList<Word> words);

    // A verb with its tense: also one the tagger read as a noun, a present after the noun it
    // agrees with ("compliance matters a lot") or any verb after a subject pronoun ("we share
    // this building").
    bool isFiniteAt(qsizetype i) const { return has(i) && m_finite[i]; }
    bool isModal(qsizetype i) const { return tag(i) == Tag::md; }
    bool isAuxiliary(qsizetype i) const {
        return i < size() &&
               (tag(i) == Tag::md || englishWords::isIn(text(i), englishWords::auxiliaries));
    }

    // Past the discourse words that may open a sentence after another: "so", "okay", "um",
    // not "thanks" or "great", which a clause may end on or be.
    qsizetype afterDiscourse(qsizetype i) const;

    // Whether the word at `i` is a verb, as the tagger reads it; not after an article or an
    // adjective, where it is a noun ("moving into sixth form").
    bool isVerbWord(qsizetype i) const;

    // Whether a subject pronoun stands before `j`, past adverbs: "(i) still do…"
    bool pronounBefore(qsizetype j) const;

    // "someone", "anything", "somewhere": a clause about them follows them
    static bool isIndefinite(const QString& word);

    // Whether a question word's phrase, without its verb yet, ends at `i`: "which shift", "how
    // deep", "what uh age groups".
    bool endsQuestionPhrase(qsizetype i) const;

    // Whether a question word's clause ends at `i` with its subject and no verb yet: "i'm not sure
    // why the system | does that".
    bool endsOpenClause(qsizetype i) const;

private:
    bool readsFinite(qsizetype i) const;

    QList<bool> m_finite;
};

} // namespace corvel
