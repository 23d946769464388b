#pragma once

#include <QJsonObject>
#include <QString>

namespace corvel {

// The reply of "sessions/start" and "sessions/heartbeat".
struct CloudSessionLease {
    QString sessionId;
    QString leaseExpiresAt; // kept as text
    qint64 heartbeatIntervalSeconds = 0;

    static CloudSessionLease fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const CloudSessionLease&) const = default;
};

} // namespace corvel
