#include "core/CloudSessionStop.h"

#include "core/JsonCoding.h"

namespace corvel {

CloudSessionStop CloudSessionStop::fromJson(const QJsonObject& object) {
    return {json::requireString(object, QLatin1String("sessionId"))};
}

} // namespace corvel
