#pragma once

#include "language/ClauseOpenings.h"
#include "language/ClauseReading.h"
#include "language/EnglishWords.h"
#include "language/TaggedWords.h"

#include <algorithm>

// The words of one spoken clause as every part of the clause reader sees them, with the tests
// and word lists that more than one part relies on. They are kept here once so that the parts
// agree: where a subject starts decides a question ("could | the team cope") as a lead-in's end.
namespace corvel::clause {

using namespace englishWords;
using Form = ClauseForm;
using Reading = ClauseReading;

inline constexpr QLatin1String modals[] = {"can"_L1,   "could"_L1,  "will"_L1, "would"_L1,
                                           "shall"_L1, "should"_L1, "may"_L1,  "might"_L1,
                                           "must"_L1,  "ca"_L1,     "wo"_L1};
inline constexpr QLatin1String beForms[] = {"is"_L1, "are"_L1, "was"_L1, "were"_L1, "am"_L1};
// Pronouns and other words that stand as a whole subject.
inline constexpr QLatin1String subjectWords[] = {
    "i"_L1,        "you"_L1,       "we"_L1,         "they"_L1,    "he"_L1,       "she"_L1,
    "it"_L1,       "there"_L1,     "that"_L1,       "this"_L1,    "these"_L1,    "those"_L1,
    "anyone"_L1,   "anybody"_L1,   "anything"_L1,   "someone"_L1, "somebody"_L1, "something"_L1,
    "everyone"_L1, "everybody"_L1, "everything"_L1, "nobody"_L1,  "people"_L1,   "one"_L1};
inline constexpr QLatin1String firstPerson[] = {"i"_L1,      "me"_L1,       "my"_L1, "mine"_L1,
                                                "myself"_L1, "we"_L1,       "us"_L1, "our"_L1,
                                                "ours"_L1,   "ourselves"_L1};
// Where a clause about the object ends and an adverbial one begins ("take a moment if you…").
inline constexpr QLatin1String clauseBreaks[] = {
    "if"_L1,  "when"_L1, "while"_L1, "whenever"_L1, "as"_L1,    "because"_L1, "so"_L1,
    "and"_L1, "or"_L1,   "but"_L1,   "before"_L1,   "after"_L1, "wherever"_L1};
// "you could…" asks politely; "you can…" and "you should…" tell.
inline constexpr QLatin1String politeModals[] = {"could"_L1, "would"_L1, "might"_L1};

// The clause's words, whether it was written with a "?", and whether it addresses the listener
// anywhere. A part is a copy: copies share the words.
class ClauseWords : public TaggedWords {
public:
    ClauseWords(QList<Word> words, bool questionMark)
        : TaggedWords(std::move(words)), m_questionMark(questionMark),
          m_addressed(std::any_of(m_words.begin(), m_words.end(),
                                  [](const Word& word) { return isIn(word.text, secondPerson); })) {
    }

protected:
    qsizetype afterDiscourse(qsizetype i) const { return openings::afterDiscourse(m_words, i); }
    bool isModal(qsizetype i) const { return isIn(text(i), modals); }
    // Where the noun phrase that starts at `i` ends: determiners, adjectives, then nouns.
    qsizetype phraseEnd(qsizetype i) const {
        while (i < size() && isOneOf(tag(i), {Tag::dt, Tag::pdt, Tag::jj, Tag::jjr, Tag::jjs,
                                              Tag::cd, Tag::pos, Tag::rb, Tag::rbs}))
            ++i;
        while (i < size() && (EnglishTagger::isNoun(tag(i)) || tag(i) == Tag::pos))
            ++i;
        return i;
    }
    // A subject can start at `i`: a pronoun, a determiner, an adjective, a noun or a name.
    bool subjectStarts(qsizetype i) const;
    // After "do" or "have", a subject must be a pronoun or a noun phrase before its verb: "do
    // your best" and "have a seat" are requests.
    bool doSubjectAt(qsizetype i) const;
    // Whether a verb with its tense follows the noun phrase at `i`: "the grant was cut".
    bool hasVerbAfterPhrase(qsizetype i) const;
    // A question about the speaker ("what was i saying", "what's the word i'm looking for")
    // asks only when it also addresses the listener ("why should we choose you").
    Reading askedBy(Form form, const QString& subject) const;

    bool m_questionMark;
    // The listener, addressed anywhere in the clause.
    bool m_addressed;
};

} // namespace corvel::clause
