#include "core/SSEParser.h"

#include "core/AnswerServiceError.h"

namespace corvel {

std::optional<SSEEvent> SSEParser::consume(QByteArrayView line) {
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty())
        return finish();
    if (line.front() == ':')
        return std::nullopt;
    const qsizetype colon = line.indexOf(':');
    const QByteArrayView field = colon < 0 ? line : line.first(colon);
    QByteArrayView value = colon < 0 ? QByteArrayView() : line.sliced(colon + 1);
    if (value.startsWith(' '))
        value = value.sliced(1);
    if (field == "data") {
        m_bufferedBytes += value.size() + 1;
        if (m_bufferedBytes > maximumEventBytes)
            throw AnswerServiceError(AnswerServiceError::Case::invalidStream);
        if (m_dataLineCount++ > 0)
            m_data.append('\n');
        m_data.append(value);
    } else if (field == "event") {
        if (value.size() >= maximumEventBytes)
            throw AnswerServiceError(AnswerServiceError::Case::invalidStream);
        // Streams repeat the same few names: share one copy instead of allocating per event.
        if (m_lastName != value)
            m_lastName = value.toByteArray();
        m_eventName = m_lastName;
    }
    return std::nullopt;
}

std::optional<SSEEvent> SSEParser::finish() {
    std::optional<SSEEvent> event;
    if (m_dataLineCount > 0)
        event = SSEEvent{std::move(m_eventName), QByteArray(m_data.constData(), m_data.size())};
    m_eventName.reset();
    m_data.resize(0);
    m_dataLineCount = 0;
    m_bufferedBytes = 0;
    return event;
}

} // namespace corvel
