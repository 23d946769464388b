#pragma once

#include <QJsonObject>
#include <QString>

namespace corvel {

// The reply of "sessions/stop".
struct CloudSessionStop {
    QString sessionId;

    static CloudSessionStop fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const CloudSessionStop&) const = default;
};

} // namespace corvel
