#pragma once

#include <QJsonObject>
#include <QString>

namespace corvel {

// A lease the cloud service still holds open for the account.
struct CloudActiveSession {
    QString id;
    QString leaseExpiresAt; // the service's time stamp, kept as text

    static CloudActiveSession fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const CloudActiveSession&) const = default;
};

} // namespace corvel
