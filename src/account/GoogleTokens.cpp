#include "account/GoogleTokens.h"

#include "account/ReferenceDate.h"
#include "core/JsonCoding.h"

namespace corvel {

QJsonObject GoogleTokens::toJson() const {
    return {{QLatin1String("accessToken"), accessToken},
            {QLatin1String("refreshToken"), refreshToken},
            {QLatin1String("expiresAt"), json::referenceSeconds(expiresAt)}};
}

GoogleTokens GoogleTokens::fromJson(const QJsonObject& object) {
    GoogleTokens tokens;
    tokens.accessToken = json::requireString(object, QLatin1String("accessToken"));
    tokens.refreshToken = json::requireString(object, QLatin1String("refreshToken"));
    tokens.expiresAt = json::requireReferenceDate(object, QLatin1String("expiresAt"));
    return tokens;
}

} // namespace corvel
