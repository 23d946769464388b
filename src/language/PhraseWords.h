#pragma once

#include "language/EnglishTagger.h"
#include "language/EnglishWords.h"

// The tagged words said after a question, as the parts of their reading see them.
namespace corvel::phrase {

using namespace englishWords;
using Word = EnglishTagger::Word;

// After a noun they open a clause about it: "tests that nobody runs", "markets where you
// had no brand".
inline constexpr QLatin1String relativePronouns[] = {"that"_L1,  "which"_L1, "who"_L1,  "whom"_L1,
                                                     "whose"_L1, "where"_L1, "when"_L1, "why"_L1};

// The words, with the tests over them that every part shares; a part may correct a tag.
class PhraseWords {
protected:
    explicit PhraseWords(QList<Word>& words) : m_words(words) {}

    qsizetype size() const { return m_words.size(); }
    const QString& word(qsizetype i) const { return m_words[i].text; }
    Tag tag(qsizetype i) const { return m_words[i].tag; }
    static bool isHead(Tag tag) { return EnglishTagger::isNoun(tag) || tag == Tag::prp; }
    bool isAuxiliary(qsizetype i) const {
        return i >= 0 && i < size() && (isIn(word(i), auxiliaries) || tag(i) == Tag::md);
    }
    bool startsSubject(qsizetype i) const {
        return i < size() && (isIn(word(i), subjectPronouns) || EnglishTagger::isNoun(tag(i)) ||
                              isOneOf(tag(i), {Tag::dt, Tag::prp, Tag::jj, Tag::ex}));
    }
    // By its form: the tagger may count "audits" as one.
    bool isPlural(qsizetype i) const {
        return tag(i) == Tag::nns || (EnglishTagger::isNoun(tag(i)) && word(i).endsWith(u's') &&
                                      !word(i).endsWith("ss"_L1));
    }
    bool isVerbAt(qsizetype i) const { return i < size() && isVerb(tag(i)); }
    bool hasVerbAfter(qsizetype i) const {
        for (qsizetype k = i + 1; k < size(); ++k) {
            if (isVerb(tag(k)))
                return true;
        }
        return false;
    }

    QList<Word>& m_words;
};

} // namespace corvel::phrase
