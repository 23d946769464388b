#include "account/FirebaseTokens.h"

#include "account/ReferenceDate.h"
#include "core/JsonCoding.h"

namespace corvel {

QJsonObject FirebaseTokens::toJson() const {
    return {{QLatin1String("idToken"), idToken},
            {QLatin1String("refreshToken"), refreshToken},
            {QLatin1String("expiresAt"), json::referenceSeconds(expiresAt)}};
}

FirebaseTokens FirebaseTokens::fromJson(const QJsonObject& object) {
    FirebaseTokens tokens;
    tokens.idToken = json::requireString(object, QLatin1String("idToken"));
    tokens.refreshToken = json::requireString(object, QLatin1String("refreshToken"));
    tokens.expiresAt = json::requireReferenceDate(object, QLatin1String("expiresAt"));
    return tokens;
}

} // namespace corvel
