#pragma once

#include "language/ClauseOpenings.h"
#include "language/EnglishTagger.h"

#include <QList>
#include <QString>

namespace corvel {

// The tagged words that the sentence reader and the clause reader read, by index. Past either
// end there is no word, so a rule may look at a word's neighbours without counting: "tag(i - 1)"
// at the first word is no tag at all. Copies share the words.
class TaggedWords {
public:
    using Word = EnglishTagger::Word;
    using Tag = EnglishTagger::Tag;

    explicit TaggedWords(QList<Word> words) : m_words(std::move(words)) {}

    const QList<Word>& words() const { return m_words; }
    qsizetype size() const { return m_words.size(); }
    bool has(qsizetype i) const { return i >= 0 && i < size(); }
    const QString& text(qsizetype i) const {
        static const QString none;
        return has(i) ? m_words[i].text : none;
    }
    Tag tag(qsizetype i) const { return has(i) ? m_words[i].tag : Tag::punc; }

    // Where the phrase of the question word at `i` ends: "which of your old jobs | do".
    qsizetype whPhraseEnd(qsizetype i) const { return openings::questionPhraseEnd(m_words, i); }

protected:
    QList<Word> m_words;
};

} // namespace corvel
