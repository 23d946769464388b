#include "core/AnswerCueLayout.h"

#include "core/CharacterCount.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace corvel {

namespace {

const QStringList fragmentExcludedWords = {
    QStringLiteral("i"),    QStringLiteral("we"), QStringLiteral("you"), QStringLiteral("je"),
    QStringLiteral("nous"), QStringLiteral("on"), QStringLiteral("tu"),  QStringLiteral("vous")};

const QStringList numberedExcludedWords = {
    QStringLiteral("i"),    QStringLiteral("i’m"), QStringLiteral("i'm"),   QStringLiteral("i’ll"),
    QStringLiteral("i'll"), QStringLiteral("i’d"), QStringLiteral("i'd"),   QStringLiteral("i’ve"),
    QStringLiteral("i've"), QStringLiteral("we"),  QStringLiteral("we’re"), QStringLiteral("we're"),
    QStringLiteral("you"),  QStringLiteral("je"),  QStringLiteral("j’ai"),  QStringLiteral("j'ai"),
    QStringLiteral("nous"), QStringLiteral("on"),  QStringLiteral("tu"),    QStringLiteral("vous")};

const QStringList reminderPhrases = {QStringLiteral("exemple personnel a preciser"),
                                     QStringLiteral("personal example needed")};

constexpr QStringView boldMarker = u"**";

// A hand loop: Qt's general substring search costs more than the rest of a layout.
qsizetype indexOfBold(QStringView s, qsizetype from) {
    for (qsizetype i = from; i + 1 < s.size(); ++i) {
        if (s[i] == u'*' && s[i + 1] == u'*')
            return i;
    }
    return -1;
}

bool hasBold(QStringView s) {
    return indexOfBold(s, 0) >= 0;
}

bool isLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x85:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

bool isHorizontalSpace(QChar c) {
    return c.isSpace() && !isLineBreak(c);
}

// Trimmed of horizontal white space only.
QStringView trimmedLine(QStringView s) {
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isHorizontalSpace(s[begin]))
        ++begin;
    while (end > begin && isHorizontalSpace(s[end - 1]))
        --end;
    return s.sliced(begin, end - begin);
}

qsizetype wordCount(QStringView s) {
    qsizetype count = 0;
    bool inWord = false;
    for (const QChar c : s) {
        const bool space = c.isSpace();
        if (!space && !inWord)
            ++count;
        inWord = !space;
    }
    return count;
}

QStringView firstWord(QStringView s) {
    qsizetype begin = 0;
    while (begin < s.size() && s[begin].isSpace())
        ++begin;
    qsizetype end = begin;
    while (end < s.size() && !s[end].isSpace())
        ++end;
    return s.sliced(begin, end - begin);
}

qsizetype letterCount(QStringView s) {
    qsizetype count = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        char32_t scalar = s[i].unicode();
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
            scalar = QChar::surrogateToUcs4(s[i], s[i + 1]);
            ++i;
        }
        if (QChar::isLetter(scalar) || (scalar > 0x7F && QChar::isMark(scalar)))
            ++count;
    }
    return count;
}

bool endsWithSentencePunctuation(QStringView s) {
    return s.endsWith(u'.') || s.endsWith(u'!') || s.endsWith(u'?');
}

// Never more characters than code units, so counting is needed only for a long title.
bool isValidTitle(QStringView title, qsizetype maxCharacters = 100, qsizetype maxWords = 14) {
    return !title.isEmpty() &&
           (title.size() <= maxCharacters ||
            characterCount(title, maxCharacters) <= maxCharacters) &&
           wordCount(title) <= maxWords;
}

// The streamed last line, which may still grow.
struct Tail {
    bool streaming = false;
    // Its last word has no white space after it yet, so it may still become a longer word.
    bool wordOpen = false;
};

bool startsWithExcludedWord(QStringView title, const QStringList& excluded, bool cutAtApostrophe,
                            Tail tail) {
    QStringView word = firstWord(title);
    bool cut = false;
    if (cutAtApostrophe) {
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (word[i] == u'\'' || word[i] == u'\u2019') {
                word.truncate(i);
                cut = true;
                break;
            }
        }
    }
    // "I" still being typed may become "IMPACT".
    if (tail.wordOpen && !cut && word.size() == title.size())
        return false;
    return excluded.contains(word, Qt::CaseInsensitive);
}

std::optional<QStringView> boldTitle(QStringView t) {
    if (!t.startsWith(boldMarker) || !t.endsWith(boldMarker) || characterCount(t, 5) < 5)
        return std::nullopt;
    const QStringView inner = trimmedLine(t.sliced(2, t.size() - 4));
    if (hasBold(inner) || !isValidTitle(inner))
        return std::nullopt;
    return inner;
}

qsizetype leadingHashes(QStringView t) {
    qsizetype count = 0;
    while (count < t.size() && t[count] == u'#')
        ++count;
    return count;
}

std::optional<QStringView> hashTitle(QStringView t) {
    const qsizetype hashes = leadingHashes(t);
    if (hashes < 1 || hashes > 6 || hashes >= t.size() || !t[hashes].isSpace())
        return std::nullopt;
    QStringView title = trimmedLine(t.sliced(hashes));
    if (title.endsWith(u'#')) {
        QStringView remainder = title;
        while (remainder.endsWith(u'#'))
            remainder.chop(1);
        if (!remainder.isEmpty() && remainder.back().isSpace())
            title = trimmedLine(remainder);
    }
    if (!isValidTitle(title))
        return std::nullopt;
    return title;
}

bool isUppercaseTitleFragment(QStringView t, Tail tail = {}) {
    for (const QChar c : t) {
        if (c >= u'a' && c <= u'z')
            return false;
    }
    if (!isValidTitle(t, 70, 8) || endsWithSentencePunctuation(t) || hasBold(t))
        return false;
    const qsizetype letters = letterCount(t);
    // A streamed line without letters yet ("2024") may still become "2024 GOALS".
    if (letters == 0 && !tail.streaming)
        return false;
    if (startsWithExcludedWord(t, fragmentExcludedWords, true, tail))
        return false;
    const QString line = t.toString();
    return line.toUpper() == line && (letters == 0 || line.toLower() != line);
}

std::optional<QStringView> numberedPrefix(QStringView t) {
    qsizetype digits = 0;
    while (digits < t.size() && digits < 3 && t[digits].isNumber())
        ++digits;
    if (digits < 1 || digits > 2 || digits + 1 >= t.size())
        return std::nullopt;
    if ((t[digits] != u'.' && t[digits] != u')') || !t[digits + 1].isSpace())
        return std::nullopt;
    return trimmedLine(t.sliced(digits + 1));
}

std::optional<QStringView> numberedTitle(QStringView t, Tail tail = {}) {
    const auto title = numberedPrefix(t);
    if (!title || !isValidTitle(*title, 70, 8) || title->contains(u':') ||
        endsWithSentencePunctuation(*title) || hasBold(*title) ||
        startsWithExcludedWord(*title, numberedExcludedWords, false, tail))
        return std::nullopt;
    return title;
}

// "1", "2.", "10)": the start of a numbered title.
bool isNumberStart(QStringView t) {
    if (t.isEmpty() || !t[0].isNumber() || characterCount(t, 4) >= 4)
        return false;
    for (const QChar c : t) {
        if (!c.isNumber() && c != u'.' && c != u')')
            return false;
    }
    return true;
}

std::optional<QString> heading(QStringView t, std::optional<QStringView> following,
                               bool allowUppercase) {
    if (const auto title = boldTitle(t))
        return title->toString();
    if (const auto title = hashTitle(t))
        return title->toString();
    if (allowUppercase && isUppercaseTitleFragment(t) && letterCount(t) >= 2)
        return t.toString();
    // A numbered line heads a cue only when ordinary text follows it; a numbered list is body.
    if (!following)
        return std::nullopt;
    if (const auto title = numberedTitle(t)) {
        const QStringView next = trimmedLine(*following);
        if (!numberedPrefix(next) && !boldTitle(next) && !hashTitle(next))
            return title->toString();
    }
    return std::nullopt;
}

// A streamed last line that is left out because it may still turn into a heading.
bool mayStillBecomeHeading(QStringView t, bool mayBeUppercase, Tail tail) {
    if (t == u"*" || t == boldMarker)
        return true;
    if (t.startsWith(boldMarker) && (!hasBold(t.sliced(2)) || boldTitle(t)))
        return true;
    const qsizetype hashes = leadingHashes(t);
    if (hashes >= 1 && hashes <= 6 && hashes == t.size())
        return true;
    if (hashTitle(t))
        return true;
    if (mayBeUppercase && isUppercaseTitleFragment(t, tail))
        return true;
    return isNumberStart(t) || numberedTitle(t, tail);
}

// The line without the bold markers that form pairs. While streaming, an opener whose closer has
// not arrived yet is hidden rather than shown as "**".
QString spokenText(QStringView line, bool isStreaming) {
    if (!hasBold(line))
        return line.toString();
    QString out;
    out.reserve(line.size());
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype opener = indexOfBold(line, i);
        if (opener < 0) {
            out += line.sliced(i);
            break;
        }
        out += line.sliced(i, opener - i);
        const bool escaped = opener > 0 && line[opener - 1] == u'\\';
        const qsizetype inner = opener + 2;
        if (escaped || inner >= n || line[inner].isSpace()) {
            if (escaped || inner < n || !isStreaming)
                out += boldMarker;
            i = inner;
            continue;
        }
        qsizetype closer = indexOfBold(line, inner + 1);
        while (closer >= 0 && (line[closer - 1].isSpace() || line[closer - 1] == u'\\'))
            closer = indexOfBold(line, closer + 2);
        if (closer >= 0) {
            out += line.sliced(inner, closer - inner);
            i = closer + 2;
            continue;
        }
        if (isStreaming) {
            QStringView rest = line.sliced(inner);
            if (rest.endsWith(u'*'))
                rest.chop(1);
            out += rest;
        } else {
            out += line.sliced(opener);
        }
        break;
    }
    return out;
}

bool isReminderTitle(const QString& title) {
    QString folded;
    // Qt's case mapping is slow enough to matter on every delta; ASCII needs none of it.
    if (std::all_of(title.begin(), title.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        folded = title;
        for (QChar& c : folded) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + (u'a' - u'A'));
        }
    } else {
        const QString decomposed = title.normalized(QString::NormalizationForm_D);
        folded.reserve(decomposed.size());
        for (const QChar c : decomposed) {
            if (c.category() != QChar::Mark_NonSpacing)
                folded += c;
        }
        folded = folded.toCaseFolded();
    }
    const auto isTrimmed = [](QChar c) {
        return c.isSpace() || c == u':' || c == u'.' || c == u'!';
    };
    qsizetype begin = 0;
    qsizetype end = folded.size();
    while (begin < end && isTrimmed(folded[begin]))
        ++begin;
    while (end > begin && isTrimmed(folded[end - 1]))
        --end;
    return reminderPhrases.contains(QStringView(folded).sliced(begin, end - begin));
}

struct Block {
    QStringList lines;
    bool hasText = false;

    void append(QString line) {
        hasText = hasText || !QStringView(line).trimmed().isEmpty();
        lines.append(std::move(line));
    }
    QString text() const { return lines.join(u'\n').trimmed(); }
};

struct PendingCue {
    int id = 0;
    QString title;
    bool isReminder = false;
    Block body;
};

} // namespace

// The layout of the lines read so far; reading a line depends only on this and on the line
// after it that is not blank.
struct AnswerCueLayout::Parser {
    Block introBlock;
    std::optional<PendingCue> pending;
    int nextId = 0;
    QList<AnswerCue> cues;
    bool afterBlank = true;

    void finishPending(bool final) {
        if (!pending)
            return;
        QString body = pending->body.text();
        if (!body.isEmpty() || pending->isReminder) {
            cues.append({pending->id, pending->title, std::move(body), pending->isReminder});
        } else if (final) {
            if (cues.isEmpty())
                introBlock.append(pending->title);
            else if (cues.back().text.isEmpty())
                cues.back().text = pending->title;
            else
                cues.back().text += QStringLiteral("\n\n") + pending->title;
        }
        pending.reset();
    }

    // Reads line `i` of `lines`; `lastStreaming` for the last line of a text still streaming.
    void read(const QList<QStringView>& lines, const std::vector<QStringView>& trimmed,
              const std::vector<qsizetype>& nextNonBlank, qsizetype i, bool lastStreaming,
              bool isStreaming) {
        const QStringView raw = lines[i];
        const QStringView t = trimmed[i];
        const bool lineAfterBlank = afterBlank;
        afterBlank = t.isEmpty();
        const Block& block = pending ? pending->body : introBlock;

        bool allowUppercase = lineAfterBlank;
        bool mayBeUppercase = lineAfterBlank;
        // Every STAR word starts with one of these letters.
        if (!lineAfterBlank && block.hasText && !t.isEmpty() &&
            QStringView(u"STOAR").contains(t.front())) {
            for (const QString& star : starTitles) {
                allowUppercase = allowUppercase || t == star;
                // A STAR word still being typed counts too, so "SIT" never shows as text.
                mayBeUppercase = mayBeUppercase || t.startsWith(star) || star.startsWith(t);
            }
        }

        if (lastStreaming) {
            const Tail tail{true, !raw.isEmpty() && !raw.back().isSpace()};
            if (mayStillBecomeHeading(t, mayBeUppercase, tail))
                return;
        }

        std::optional<QStringView> following;
        if (nextNonBlank[i] >= 0)
            following = lines[nextNonBlank[i]];

        if (!t.isEmpty()) {
            if (auto title = heading(t, following, allowUppercase)) {
                finishPending(true);
                const bool reminder = isReminderTitle(*title);
                pending = PendingCue{nextId++, std::move(*title), reminder, {}};
                return;
            }
            if (isStreaming && !following && numberedTitle(t))
                return;
        }

        Block& current = pending ? pending->body : introBlock;
        current.append(t.isEmpty() ? QString() : spokenText(raw, lastStreaming));
    }

    // Reads `text`, which follows the lines read so far. Unless `toEnd`, stops before the last
    // line that is not blank and has a line break after it: every line before that one has its
    // next non-blank line complete, so what they gave can no longer change as the text grows.
    // Returns how many characters were read.
    qsizetype read(QStringView text, bool isStreaming, bool toEnd) {
        const QList<QStringView> lines = text.split(u'\n');
        const qsizetype count = lines.size();
        std::vector<QStringView> trimmed(count);
        for (qsizetype i = 0; i < count; ++i)
            trimmed[i] = trimmedLine(lines[i]);
        std::vector<qsizetype> nextNonBlank(count, -1);
        for (qsizetype i = count - 1, next = -1; i >= 0; --i) {
            nextNonBlank[i] = next;
            if (!trimmed[i].isEmpty())
                next = i;
        }
        qsizetype end = count;
        if (!toEnd) {
            end = 0;
            for (qsizetype i = count - 2; i >= 0; --i) {
                if (!trimmed[i].isEmpty()) {
                    end = i;
                    break;
                }
            }
        }
        qsizetype consumed = 0;
        for (qsizetype i = 0; i < end; ++i) {
            read(lines, trimmed, nextNonBlank, i, isStreaming && i == count - 1, isStreaming);
            consumed += lines[i].size() + 1;
        }
        return consumed;
    }

    void finish(AnswerCueLayout& layout, bool isStreaming) {
        finishPending(!isStreaming);
        layout.intro = introBlock.text();
        layout.cues = std::move(cues);
    }
};

namespace {

// CR LF and a lone CR are one line break each.
QString withUnixLineBreaks(const QString& text) {
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    return normalized;
}

} // namespace

AnswerCueLayout::AnswerCueLayout(const QString& text, bool isStreaming) {
    Parser parser;
    parser.read(text.contains(u'\r') ? QStringView(withUnixLineBreaks(text)) : QStringView(text),
                isStreaming, true);
    parser.finish(*this, isStreaming);
}

AnswerCueLayout::Stream::Stream() = default;
AnswerCueLayout::Stream::~Stream() = default;

AnswerCueLayout AnswerCueLayout::Stream::layout(const QString& text, bool isStreaming) {
    // A text that does not continue the one before starts over; so does a carriage return,
    // which may still join a line break arriving with the next delta.
    if (!m_parser || text.size() < m_read ||
        QStringView(text).first(m_read) != QStringView(m_text).first(m_read)) {
        m_parser = std::make_unique<Parser>();
        m_read = 0;
    }
    m_text = text;
    const QStringView unread = QStringView(text).sliced(m_read);
    if (unread.contains(u'\r')) {
        m_parser.reset();
        return AnswerCueLayout(text, isStreaming);
    }
    m_read += m_parser->read(unread, isStreaming, false);
    Parser rest = *m_parser;
    rest.read(QStringView(text).sliced(m_read), isStreaming, true);
    AnswerCueLayout result;
    rest.finish(result, isStreaming);
    return result;
}

bool AnswerCueLayout::hasSpeakableCue() const {
    for (qsizetype i = 0; i < intro.size(); ++i) {
        const QChar c = intro[i];
        if ((c == u'.' || c == u'!' || c == u'?') &&
            (i + 1 == intro.size() || intro[i + 1].isSpace()))
            return true;
    }
    for (const AnswerCue& cue : cues) {
        if (!cue.isReminder && !cue.text.isEmpty())
            return true;
    }
    return false;
}

} // namespace corvel
