#include "account/GoogleAccount.h"

#include "core/JsonCoding.h"

namespace corvel {

QJsonObject GoogleAccount::toJson() const {
    QJsonObject object{{QLatin1String("subject"), subject}, {QLatin1String("email"), email}};
    if (name)
        object.insert(QLatin1String("name"), *name);
    if (pictureURL)
        object.insert(QLatin1String("pictureURL"), pictureURL->toString(QUrl::FullyEncoded));
    return object;
}

GoogleAccount GoogleAccount::fromJson(const QJsonObject& object) {
    GoogleAccount account;
    account.subject = json::requireString(object, QLatin1String("subject"));
    account.email = json::requireString(object, QLatin1String("email"));
    account.name = json::optionalString(object, QLatin1String("name"));
    if (const auto picture = json::optionalString(object, QLatin1String("pictureURL"))) {
        const QUrl url(*picture, QUrl::StrictMode);
        if (!url.isValid() || url.isRelative())
            throw JsonDecodingError(QStringLiteral("pictureURL: not an absolute URL"));
        account.pictureURL = url;
    }
    return account;
}

} // namespace corvel
