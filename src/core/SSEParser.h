#pragma once

#include "core/SSEEvent.h"

#include <QByteArrayView>

#include <optional>

namespace corvel {

// Turns server-sent event lines into events. Failures throw AnswerServiceError (invalidStream).
class SSEParser final {
public:
    static constexpr qsizetype maximumEventBytes = 262'144;

    // One line without its terminator, valid UTF-8; returns the event it dispatches, if any.
    std::optional<SSEEvent> consume(QByteArrayView line);
    // Dispatches the event under construction, if it has data.
    std::optional<SSEEvent> finish();

private:
    std::optional<QByteArray> m_eventName;
    QByteArray m_lastName;
    QByteArray m_data; // the data lines so far, joined with line feeds; keeps its capacity
    qsizetype m_dataLineCount = 0;
    qsizetype m_bufferedBytes = 0; // each data line's size plus one
};

} // namespace corvel
