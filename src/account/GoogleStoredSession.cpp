#include "account/GoogleStoredSession.h"

#include "core/JsonCoding.h"

namespace corvel {

QJsonObject GoogleStoredSession::toJson() const {
    return {{QLatin1String("clientID"), clientID},
            {QLatin1String("tokens"), tokens.toJson()},
            {QLatin1String("account"), account.toJson()}};
}

GoogleStoredSession GoogleStoredSession::fromJson(const QJsonObject& object) {
    GoogleStoredSession session;
    session.clientID = json::requireString(object, QLatin1String("clientID"));
    session.tokens = GoogleTokens::fromJson(json::requireObject(object, QLatin1String("tokens")));
    session.account =
        GoogleAccount::fromJson(json::requireObject(object, QLatin1String("account")));
    return session;
}

} // namespace corvel
