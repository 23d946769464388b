#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace corvel {

// Parts of speech of English words, from Festival's lexicon and tag trigram (trained on the Wall
// Street Journal) with a Viterbi search over the whole text, as Festival tags text. Possessive
// determiners ("our"), which that tag set counts as pronouns, are determiners here; a word the
// lexicon lacks is guessed from its ending.
class EnglishTagger final {
public:
    EnglishTagger() = delete;

    // The tag set's own order.
    enum class Tag : std::uint8_t {
        nn,
        punc,
        nnp,
        dt,
        in,
        jj,
        nns,
        cd,
        rb,
        vbd,
        vb,
        prp,
        cc,
        of,
        to,
        vbz,
        vbn,
        vbg,
        vbp,
        md,
        pos,
        wdt,
        jjr,
        wp,
        nnps,
        wrb,
        jjs,
        rbr,
        rp,
        ex,
        rbs,
        pdt,
        fw,
        one,
        uh,
        sym,
        ls,
        two
    };
    struct Word {
        QString text;
        Tag tag;
    };

    // A noun of any kind, or a number, which stands as one.
    static bool isNoun(Tag tag);

    // The words tagged by default: enough for a clause's form.
    static constexpr qsizetype clauseWords = 24;
    // Enough for a spoken sentence with a long lead-in; the most any reading tags.
    static constexpr qsizetype sentenceWords = 64;

    // `words` are lower case with their apostrophes ("doesn't"); a contraction comes back as
    // two words ("does", "n't"). With `context`, the words said just before them, `words` are
    // tagged as their continuation ("go" after "experience with" is a name, not a verb). Only
    // the first `limit` words are tagged, which bounds the search.
    static QList<Word> tag(const QStringList& words, const QStringList& context = {},
                           qsizetype limit = clauseWords);
    // The tags the lexicon allows `word`, likeliest first, or none when it does not know it.
    static QList<Tag> readings(const QString& word);
    // Whether the lexicon knows `word`, without reading its tags.
    static bool knows(const QString& word);
};

} // namespace corvel
