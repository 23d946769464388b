#include "language/TextFolding.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>
#include <utility>

namespace corvel {

namespace {

struct FoldedCharacter {
    bool isWord = false;
    QString text; // empty for a diacritic, which folds away
};

FoldedCharacter foldSlowly(char32_t c) {
    FoldedCharacter folded;
    folded.isWord = QChar::isLetterOrNumber(c) || QChar::isMark(c);
    if (!folded.isWord) {
        return folded;
    }
    const QString decomposed =
        QString::fromUcs4(&c, 1).toCaseFolded().normalized(QString::NormalizationForm_D);
    for (const char32_t part : decomposed.toUcs4()) {
        if (QChar::category(part) != QChar::Mark_NonSpacing) {
            folded.text += QString::fromUcs4(&part, 1);
        }
    }
    return folded;
}

// Latin, Greek, Cyrillic and the combining marks are folded once; rarer scripts each time.
constexpr char32_t cachedLimit = 0x800;

const FoldedCharacter& foldCached(char32_t c) {
    static const auto table = [] {
        std::array<FoldedCharacter, cachedLimit> built;
        for (char32_t i = 0; i < cachedLimit; ++i) {
            built[i] = foldSlowly(i);
        }
        return built;
    }();
    return table[c];
}

// ASCII letters and digits fold to themselves in lower case; 0 marks a separator.
constexpr std::array<char16_t, 0x80> asciiFolding = [] {
    std::array<char16_t, 0x80> table{};
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        table[c] = c;
    }
    for (char16_t c = u'a'; c <= u'z'; ++c) {
        table[c] = c;
        table[c - u'a' + u'A'] = c;
    }
    return table;
}();

// The folded text, written through a raw pointer: this runs over the whole transcript on every
// update.
class FoldedTextWriter {
public:
    FoldedTextWriter(qsizetype size, QList<qsizetype>* wordEnds)
        : m_out(size + 8, Qt::Uninitialized), m_dst(reinterpret_cast<char16_t*>(m_out.data())),
          m_wordEnds(wordEnds) {}

    // An ASCII letter or digit, already folded.
    void addWordUnit(char16_t folded) {
        m_inWord = true;
        startWordOutput();
        m_dst[m_length++] = folded;
    }

    // A letter, mark or digit folded to `folded` (empty for a diacritic), with `remaining` units
    // of the text from it on.
    void addWordText(const QString& folded, qsizetype remaining) {
        m_inWord = true;
        if (folded.isEmpty()) {
            return;
        }
        // A character may fold to more units than it had, plus a separating space.
        const qsizetype needed = m_length + folded.size() + 1 + remaining;
        if (needed > m_out.size()) {
            m_out.resize(needed * 2);
            m_dst = reinterpret_cast<char16_t*>(m_out.data());
        }
        startWordOutput();
        std::copy(folded.utf16(), folded.utf16() + folded.size(), m_dst + m_length);
        m_length += folded.size();
    }

    // A character that is no letter, mark or digit, at `at` in the text.
    void addSeparator(qsizetype at) {
        if (m_inWord) {
            endWord(at);
        }
    }

    // The folded text, once all `size` units of the text are read.
    QString finish(qsizetype size) {
        if (m_inWord) {
            endWord(size);
        }
        m_out.truncate(m_length);
        return std::move(m_out);
    }

private:
    void startWordOutput() {
        if (!m_wordEmitted) {
            if (m_length > 0) {
                m_dst[m_length++] = u' ';
            }
            m_wordEmitted = true;
        }
    }

    void endWord(qsizetype at) {
        if (m_wordEmitted && m_wordEnds) {
            m_wordEnds->append(at);
        }
        m_inWord = false;
        m_wordEmitted = false;
    }

    QString m_out;
    char16_t* m_dst;
    QList<qsizetype>* m_wordEnds;
    qsizetype m_length = 0;
    bool m_inWord = false;      // the last character seen was a letter, mark or digit
    bool m_wordEmitted = false; // the current word has produced folded text
};

} // namespace

QString foldedText(QStringView text, QList<qsizetype>* wordEnds) {
    FoldedTextWriter writer(text.size(), wordEnds);
    const char16_t* src = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
        const char16_t unit = src[i];
        if (unit < 0x80) {
            if (const char16_t folded = asciiFolding[unit]) {
                writer.addWordUnit(folded);
            } else {
                writer.addSeparator(i);
            }
            ++i;
            continue;
        }
        char32_t c = unit;
        qsizetype units = 1;
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(src[i + 1])) {
            c = QChar::surrogateToUcs4(unit, src[i + 1]);
            units = 2;
        }
        FoldedCharacter slow;
        const FoldedCharacter& folded = c < cachedLimit ? foldCached(c) : (slow = foldSlowly(c));
        if (folded.isWord) {
            writer.addWordText(folded.text, size - i);
        } else {
            writer.addSeparator(i);
        }
        i += units;
    }
    return writer.finish(size);
}

QStringList foldedWords(QStringView text) {
    const QString joined = foldedText(text);
    if (joined.isEmpty()) {
        return {};
    }
    return joined.split(u' ');
}

bool hasAtLeastCharacters(QStringView text, qsizetype count) {
    if (text.size() < count) {
        return false;
    }
    // Boundaries inside a prefix do not depend on what follows it, so a prefix with enough
    // clusters settles the question without scanning a long transcript.
    for (qsizetype window = std::max<qsizetype>(count * 4, 32);; window *= 2) {
        const QStringView prefix = text.left(window);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, prefix.data(), prefix.size());
        qsizetype clusters = 0;
        while (finder.toNextBoundary() != -1) {
            if (++clusters >= count) {
                return true;
            }
        }
        if (prefix.size() == text.size()) {
            return false;
        }
    }
}

QStringList spokenWords(QStringView text) {
    const auto kept = [](QChar c) { return c.isLetterOrNumber() || c == u'\''; };
    QStringList words;
    for (QString word : text.toString().simplified().toLower().split(u' ', Qt::SkipEmptyParts)) {
        word.replace(u'\u2019', u'\'');
        qsizetype first = 0;
        qsizetype last = word.size();
        while (first < last && !kept(word[first])) {
            ++first;
        }
        while (last > first && !kept(word[last - 1])) {
            --last;
        }
        if (last > first) {
            words.append(word.sliced(first, last - first));
        }
    }
    return words;
}

} // namespace corvel
