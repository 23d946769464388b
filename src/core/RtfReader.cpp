#include "core/RtfReader.h"

#include "core/HexDigit.h"

#include <QList>

#include <algorithm>
#include <array>

namespace corvel {

namespace {

// Real documents nest a few dozen groups; the bound keeps hostile input from growing the stack.
constexpr qsizetype maximumDepth = 1000;

constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar fromWindows1252(uchar byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return QChar(windows1252High[byte - 0x80]);
    return QChar(QLatin1Char(static_cast<char>(byte)));
}

// Groups whose content is not document text.
bool isSkippedDestination(QByteArrayView word) {
    static const QList<QByteArrayView> destinations = {
        "fonttbl",    "colortbl",        "stylesheet", "info",      "pict",
        "object",     "objdata",         "fldinst",    "listtable", "listoverridetable",
        "revtbl",     "rsidtbl",         "generator",  "themedata", "colorschememapping",
        "datastore",  "latentstyles",    "xmlnstbl",   "filetbl",   "pgdsctbl",
        "nonshppict", "expandedcolortbl"};
    return destinations.contains(word);
}

QChar symbolFor(QByteArrayView word) {
    struct Symbol {
        QByteArrayView word;
        char16_t character;
    };
    static constexpr Symbol symbols[] = {
        {"par", u'\n'},        {"line", u'\n'},       {"sect", u'\n'},     {"page", u'\n'},
        {"row", u'\n'},        {"tab", u'\t'},        {"cell", u'\t'},     {"emdash", 0x2014},
        {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},
        {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}};
    for (const Symbol& symbol : symbols) {
        if (symbol.word == word)
            return QChar(symbol.character);
    }
    return QChar();
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Group {
    bool skipped = false;
    // Characters of fallback that follow each \uN.
    int unicodeFallback = 1;
};

class Reader {
public:
    explicit Reader(QByteArrayView rtf) : m_in(rtf) {}

    std::optional<QString> read() {
        if (!m_in.startsWith("{\\rtf"))
            return std::nullopt;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            switch (c) {
            case '{':
                if (m_groups.size() >= maximumDepth)
                    return std::nullopt;
                m_groups.append(m_groups.isEmpty() ? Group{} : m_groups.back());
                m_fallbackLeft = 0;
                break;
            case '}':
                m_fallbackLeft = 0;
                if (m_groups.isEmpty())
                    return finished();
                m_groups.removeLast();
                if (m_groups.isEmpty())
                    return finished();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                put(fromWindows1252(static_cast<uchar>(c)));
            }
        }
        // A document cut short keeps the text read so far.
        return finished();
    }

private:
    bool skipping() const { return m_groups.isEmpty() || m_groups.back().skipped; }

    void put(QChar c) {
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            return;
        }
        if (!skipping())
            m_out += c;
    }

    void controlSequence() {
        if (m_pos >= m_in.size())
            return;
        const char c = m_in[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            controlSymbol(c);
            return;
        }
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && isLetter(m_in[m_pos]))
            ++m_pos;
        const QByteArrayView word = m_in.sliced(start, m_pos - start);
        std::optional<qint64> parameter;
        bool negative = false;
        if (m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && isDigit(m_in[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        if (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
            qint64 value = 0;
            while (m_pos < m_in.size() && isDigit(m_in[m_pos])) {
                value = std::min<qint64>(value * 10 + (m_in[m_pos] - '0'), 1'000'000'000);
                ++m_pos;
            }
            parameter = negative ? -value : value;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ')
            ++m_pos;
        controlWord(word, parameter);
    }

    void controlSymbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            put(QChar(QLatin1Char(c)));
            break;
        case '~':
            put(QChar(0x00A0));
            break;
        case '_':
            put(QChar(0x2011));
            break;
        case '\n':
        case '\r':
            put(QChar(u'\n'));
            break;
        case '*':
            if (!m_groups.isEmpty())
                m_groups.back().skipped = true;
            break;
        case '\'': {
            const int high = m_pos < m_in.size() ? hexDigitValue(m_in[m_pos]) : -1;
            const int low = m_pos + 1 < m_in.size() ? hexDigitValue(m_in[m_pos + 1]) : -1;
            if (high < 0 || low < 0)
                break;
            m_pos += 2;
            put(fromWindows1252(static_cast<uchar>(high * 16 + low)));
            break;
        }
        default:
            // An optional hyphen and the rarer symbols carry no text, yet stand for a character
            // of a \uN fallback.
            if (m_fallbackLeft > 0)
                --m_fallbackLeft;
        }
    }

    void controlWord(QByteArrayView word, std::optional<qint64> parameter) {
        if (word == "u" && parameter) {
            const qint64 code = *parameter < 0 ? *parameter + 65536 : *parameter;
            m_fallbackLeft = 0;
            if (code >= 0 && code <= 0xFFFF)
                put(QChar(static_cast<char16_t>(code)));
            m_fallbackLeft = m_groups.isEmpty() ? 0 : m_groups.back().unicodeFallback;
            return;
        }
        if (m_fallbackLeft > 0) {
            --m_fallbackLeft;
            if (word != "bin")
                return;
        }
        if (word == "uc" && parameter) {
            if (!m_groups.isEmpty())
                m_groups.back().unicodeFallback =
                    static_cast<int>(std::clamp<qint64>(*parameter, 0, 16));
        } else if (word == "bin") {
            const qint64 length = std::clamp<qint64>(parameter.value_or(0), 0, m_in.size() - m_pos);
            m_pos += length;
        } else if (isSkippedDestination(word)) {
            if (!m_groups.isEmpty())
                m_groups.back().skipped = true;
        } else if (const QChar symbol = symbolFor(word); !symbol.isNull()) {
            put(symbol);
        }
    }

    // Surrogate halves that \uN left unpaired are not text.
    QString finished() {
        for (qsizetype i = 0; i < m_out.size(); ++i) {
            if (m_out[i].isHighSurrogate() && i + 1 < m_out.size() && m_out[i + 1].isLowSurrogate())
                ++i;
            else if (m_out[i].isSurrogate())
                m_out[i] = QChar::ReplacementCharacter;
        }
        return m_out;
    }

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    QList<Group> m_groups;
    int m_fallbackLeft = 0;
    QString m_out;
};

} // namespace

std::optional<QString> RtfReader::plainText(QByteArrayView rtf) {
    return Reader(rtf).read();
}

} // namespace corvel
