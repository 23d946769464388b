#include "core/CloudAccountBalance.h"

#include "core/JsonCoding.h"

namespace corvel {

CloudAccountBalance CloudAccountBalance::fromJson(const QJsonObject& object) {
    CloudAccountBalance account;
    account.uid = json::requireString(object, QLatin1String("uid"));
    account.email = json::requireString(object, QLatin1String("email"));
    account.displayName = json::requireString(object, QLatin1String("displayName"));
    account.photoURL = json::optionalString(object, QLatin1String("photoURL"));
    account.emailVerified = json::requireBool(object, QLatin1String("emailVerified"));
    const QJsonValue session = object.value(QLatin1String("activeSession"));
    if (!session.isUndefined() && !session.isNull())
        account.activeSession = CloudActiveSession::fromJson(json::asObject(session));
    account.model = json::requireString(object, QLatin1String("model"));
    return account;
}

} // namespace corvel
