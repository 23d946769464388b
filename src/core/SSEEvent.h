#pragma once

#include <QByteArray>

#include <optional>

namespace corvel {

// One dispatched server-sent event. Both texts are valid UTF-8.
struct SSEEvent {
    std::optional<QByteArray> eventName; // the last "event" field of the event
    QByteArray data;                     // the "data" field values joined with line feeds
    bool operator==(const SSEEvent&) const = default;
};

} // namespace corvel
