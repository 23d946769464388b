#include "core/SSEByteParser.h"

#include <cstdint>
#include <cstring>

namespace corvel {

bool SSEByteParser::isValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    while (p < end) {
        // Most of a stream is ASCII: check eight bytes at a time.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0; // no overlong forms
            else if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += length;
    }
    return true;
}

std::optional<SSEEvent> SSEByteParser::flushLine() {
    if (!isValidUtf8(m_lineBytes))
        throw AnswerServiceError(AnswerServiceError::Case::invalidStream);
    QByteArrayView line = m_lineBytes;
    if (std::exchange(m_isFirstLine, false) && line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    auto event = m_eventParser.consume(line);
    m_lineBytes.resize(0);
    return event;
}

} // namespace corvel
