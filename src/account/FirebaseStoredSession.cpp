#include "account/FirebaseStoredSession.h"

#include "core/JsonCoding.h"

namespace corvel {

QJsonObject FirebaseStoredSession::toJson() const {
    return {{QLatin1String("projectID"), projectID},
            {QLatin1String("tokens"), tokens.toJson()},
            {QLatin1String("account"), account.toJson()}};
}

FirebaseStoredSession FirebaseStoredSession::fromJson(const QJsonObject& object) {
    FirebaseStoredSession session;
    session.projectID = json::requireString(object, QLatin1String("projectID"));
    session.tokens = FirebaseTokens::fromJson(json::requireObject(object, QLatin1String("tokens")));
    session.account =
        GoogleAccount::fromJson(json::requireObject(object, QLatin1String("account")));
    return session;
}

} // namespace corvel
