#pragma once

#include "core/AnswerServiceError.h"
#include "core/ResponseStreamUpdate.h"
#include "core/SSEEvent.h"

#include <optional>

namespace corvel {

// Reads the Responses API event data. Failures throw AnswerServiceError.
class ResponseStreamDecoder final {
public:
    static ResponseStreamUpdate decode(const SSEEvent& event);
    static AnswerServiceError errorFor(const std::optional<QString>& code) {
        return AnswerServiceError::errorFor(code);
    }

    // The two halves of decode(), open for tests. Text deltas, nearly every event of a stream,
    // are read by a small exact reader; it gives up (nullopt) on anything else, which then goes
    // to the full JSON parser.
    static std::optional<ResponseStreamUpdate> decodeTextDelta(QByteArrayView data);
    static ResponseStreamUpdate decodeWithJsonParser(QByteArrayView data);
};

} // namespace corvel
