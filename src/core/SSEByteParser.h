#pragma once

#include "core/AnswerServiceError.h"
#include "core/SSEParser.h"

#include <QByteArray>

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace corvel {

// The byte front end of SSEParser: splits a body into lines at CR, LF or CR LF, checks each
// line is UTF-8 and drops a byte-order mark at the start of the first line only.
// Failures throw AnswerServiceError (invalidStream).
class SSEByteParser final {
public:
    static constexpr qsizetype maximumLineBytes = 262'144;

    // Feeds the bytes in order. onEvent(SSEEvent&&) receives each event a line dispatches and
    // returns false to stop; the bytes after that one are left unread.
    template <typename OnEvent> void consume(QByteArrayView bytes, OnEvent&& onEvent);
    // Ends the current line and passes it to the event parser.
    std::optional<SSEEvent> flushLine();
    bool hasPendingLine() const { return !m_lineBytes.isEmpty(); }
    SSEParser& eventParser() { return m_eventParser; }

    static bool isValidUtf8(QByteArrayView bytes);

private:
    // The first CR or LF in [p, end), or end; eight bytes at a time.
    static const char* findLineEnd(const char* p, const char* end) {
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        constexpr std::uint64_t highs = 0x8080808080808080ULL;
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            const std::uint64_t lf = word ^ (ones * '\n');
            const std::uint64_t cr = word ^ (ones * '\r');
            // The lowest flagged byte is exactly the first zero byte of lf or cr.
            const std::uint64_t found = ((lf - ones) & ~lf & highs) | ((cr - ones) & ~cr & highs);
            if (found != 0 && std::endian::native == std::endian::little)
                return p + std::countr_zero(found) / 8;
            if (found != 0)
                break;
            p += 8;
        }
        while (p < end && *p != '\n' && *p != '\r')
            ++p;
        return p;
    }

    SSEParser m_eventParser;
    QByteArray m_lineBytes; // keeps its capacity across lines
    bool m_previousWasCR = false;
    bool m_isFirstLine = true;
};

template <typename OnEvent> void SSEByteParser::consume(QByteArrayView bytes, OnEvent&& onEvent) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char byte = *p;
        if (byte == '\n') {
            ++p;
            if (std::exchange(m_previousWasCR, false))
                continue;
            if (auto event = flushLine(); event && !onEvent(std::move(*event)))
                return;
        } else if (byte == '\r') {
            ++p;
            auto event = flushLine();
            m_previousWasCR = true;
            if (event && !onEvent(std::move(*event)))
                return;
        } else {
            // The ordinary bytes up to the next line end join the line in one step.
            const char* const run = p;
            p = findLineEnd(p, end);
            if (m_lineBytes.size() + (p - run) > maximumLineBytes)
                throw AnswerServiceError(AnswerServiceError::Case::invalidStream);
            m_lineBytes.append(run, p - run);
            m_previousWasCR = false;
        }
    }
}

} // namespace corvel
