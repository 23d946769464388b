#include "core/CloudActiveSession.h"

#include "core/JsonCoding.h"

namespace corvel {

CloudActiveSession CloudActiveSession::fromJson(const QJsonObject& object) {
    return {json::requireString(object, QLatin1String("id")),
            json::requireString(object, QLatin1String("leaseExpiresAt"))};
}

} // namespace corvel
