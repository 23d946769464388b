#include "core/CloudSessionLease.h"

#include "core/JsonCoding.h"

namespace corvel {

CloudSessionLease CloudSessionLease::fromJson(const QJsonObject& object) {
    return {json::requireString(object, QLatin1String("sessionId")),
            json::requireString(object, QLatin1String("leaseExpiresAt")),
            json::requireInt64(object, QLatin1String("heartbeatIntervalSeconds"))};
}

} // namespace corvel
