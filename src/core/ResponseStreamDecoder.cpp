#include "core/ResponseStreamDecoder.h"

#include "core/HexDigit.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace corvel {

namespace {

using Case = AnswerServiceError::Case;

// A cursor over one event's JSON for the text-delta shape. Every method returns false when the
// input leaves what it handles exactly; the caller then falls back to the full parser.
class DeltaReader {
public:
    explicit DeltaReader(QByteArrayView data)
        : m_p(data.data()), m_end(data.data() + data.size()) {}

    std::optional<ResponseStreamUpdate> read() {
        skipSpace();
        if (!take('{'))
            return std::nullopt;
        bool typeSeen = false;
        bool deltaSeen = false;
        bool isTextDelta = false;
        QString delta;
        skipSpace();
        while (true) {
            QByteArrayView key;
            if (!rawKey(key))
                return std::nullopt;
            skipSpace();
            if (!take(':'))
                return std::nullopt;
            skipSpace();
            if (key == "type") {
                // Compared as written: an escaped type is left to the full parser.
                QByteArrayView type;
                if (typeSeen || !rawString(type))
                    return std::nullopt;
                typeSeen = true;
                isTextDelta = type == "response.output_text.delta";
            } else if (key == "delta") {
                if (deltaSeen || !string(&delta))
                    return std::nullopt;
                deltaSeen = true;
            } else if (!skipValue()) {
                return std::nullopt;
            }
            skipSpace();
            if (take(','))
                skipSpace();
            else if (take('}'))
                break;
            else
                return std::nullopt;
        }
        skipSpace();
        if (m_p != m_end || !isTextDelta || !deltaSeen)
            return std::nullopt;
        return ResponseStreamUpdate::delta(std::move(delta));
    }

private:
    void skipSpace() {
        while (m_p < m_end && (*m_p == ' ' || *m_p == '\n' || *m_p == '\r' || *m_p == '\t'))
            ++m_p;
    }
    bool take(char c) {
        if (m_p < m_end && *m_p == c) {
            ++m_p;
            return true;
        }
        return false;
    }
    bool rawString(QByteArrayView& text) { return rawKey(text); }
    bool rawKey(QByteArrayView& key) {
        if (!take('"'))
            return false;
        const char* const start = m_p;
        while (m_p < m_end && *m_p != '"') {
            if (*m_p == '\\' || static_cast<unsigned char>(*m_p) < 0x20)
                return false;
            ++m_p;
        }
        if (m_p == m_end)
            return false;
        key = QByteArrayView(start, m_p - start);
        ++m_p;
        return true;
    }
    bool hex4(char16_t& unit) {
        if (m_end - m_p < 4)
            return false;
        int value = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = hexDigitValue(m_p[i]);
            if (digit < 0)
                return false;
            value = value * 16 + digit;
        }
        m_p += 4;
        unit = static_cast<char16_t>(value);
        return true;
    }
    // A string value; decoded into `out` unless it is null. Lone surrogates are left to the
    // full parser.
    bool string(QString* out) {
        if (!take('"'))
            return false;
        const char* const start = m_p;
        while (m_p < m_end && *m_p != '"' && *m_p != '\\') {
            if (static_cast<unsigned char>(*m_p) < 0x20)
                return false;
            ++m_p;
        }
        if (m_p == m_end)
            return false;
        if (*m_p == '"') {
            if (out)
                *out = QString::fromUtf8(start, m_p - start);
            ++m_p;
            return true;
        }
        QString text = QString::fromUtf8(start, m_p - start);
        while (true) {
            if (m_p == m_end)
                return false;
            const char c = *m_p;
            if (c == '"') {
                ++m_p;
                break;
            }
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                const char* const run = m_p;
                while (m_p < m_end && *m_p != '"' && *m_p != '\\' &&
                       static_cast<unsigned char>(*m_p) >= 0x20)
                    ++m_p;
                text.append(QString::fromUtf8(run, m_p - run));
                continue;
            }
            if (++m_p == m_end)
                return false;
            const char escape = *m_p++;
            switch (escape) {
            case '"':
            case '\\':
            case '/':
                text.append(QChar::fromLatin1(escape));
                break;
            case 'b':
                text.append(QChar(u'\b'));
                break;
            case 'f':
                text.append(QChar(u'\f'));
                break;
            case 'n':
                text.append(QChar(u'\n'));
                break;
            case 'r':
                text.append(QChar(u'\r'));
                break;
            case 't':
                text.append(QChar(u'\t'));
                break;
            case 'u': {
                char16_t unit = 0;
                if (!hex4(unit))
                    return false;
                if (QChar::isLowSurrogate(unit))
                    return false;
                if (QChar::isHighSurrogate(unit)) {
                    char16_t low = 0;
                    if (!take('\\') || !take('u') || !hex4(low) || !QChar::isLowSurrogate(low))
                        return false;
                    text.append(QChar(unit));
                    text.append(QChar(low));
                } else {
                    text.append(QChar(unit));
                }
                break;
            }
            default:
                return false;
            }
        }
        if (out)
            *out = std::move(text);
        return true;
    }
    bool literal(QByteArrayView word) {
        if (QByteArrayView(m_p, m_end - m_p).startsWith(word)) {
            m_p += word.size();
            return true;
        }
        return false;
    }
    // Small integers, strings, literals and empty arrays or objects; anything else gives up.
    bool skipValue() {
        if (m_p == m_end)
            return false;
        switch (*m_p) {
        case '"':
            return string(nullptr);
        case 't':
            return literal("true");
        case 'f':
            return literal("false");
        case 'n':
            return literal("null");
        case '[':
        case '{': {
            const char close = *m_p == '[' ? ']' : '}';
            ++m_p;
            skipSpace();
            return take(close);
        }
        default:
            break;
        }
        take('-');
        const char* const digits = m_p;
        while (m_p < m_end && *m_p >= '0' && *m_p <= '9')
            ++m_p;
        const qsizetype count = m_p - digits;
        if (count == 0 || count > 15 || (count > 1 && *digits == '0'))
            return false;
        return m_p == m_end || (*m_p != '.' && *m_p != 'e' && *m_p != 'E');
    }

    const char* m_p;
    const char* const m_end;
};

std::optional<QString> stringAt(const QJsonValue& value) {
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

} // namespace

ResponseStreamUpdate ResponseStreamDecoder::decode(const SSEEvent& event) {
    if (auto update = decodeTextDelta(event.data))
        return *std::move(update);
    return decodeWithJsonParser(event.data);
}

std::optional<ResponseStreamUpdate> ResponseStreamDecoder::decodeTextDelta(QByteArrayView data) {
    return DeltaReader(data).read();
}

ResponseStreamUpdate ResponseStreamDecoder::decodeWithJsonParser(QByteArrayView data) {
    if (data == "[DONE]")
        return {};
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        throw AnswerServiceError(Case::invalidStream);
    const QJsonObject object = document.object();
    const QJsonValue type = object.value(QLatin1String("type"));
    if (!type.isString())
        throw AnswerServiceError(Case::invalidStream);
    const QString name = type.toString();
    if (name == QLatin1String("response.output_text.delta")) {
        const QJsonValue delta = object.value(QLatin1String("delta"));
        if (!delta.isString())
            throw AnswerServiceError(Case::invalidStream);
        return ResponseStreamUpdate::delta(delta.toString());
    }
    if (name == QLatin1String("response.completed"))
        return {ResponseStreamUpdate::Kind::completed, {}};
    if (name == QLatin1String("response.incomplete"))
        throw AnswerServiceError(Case::incompleteAnswer);
    if (name == QLatin1String("response.refusal.delta") ||
        name == QLatin1String("response.refusal.done"))
        throw AnswerServiceError(Case::refused);
    if (name == QLatin1String("response.failed")) {
        throw errorFor(stringAt(object.value(
            QLatin1String("response"))[QLatin1String("error")][QLatin1String("code")]));
    }
    if (name == QLatin1String("error"))
        throw errorFor(stringAt(object.value(QLatin1String("code"))));
    return {};
}

} // namespace corvel
