#include "account/GoogleOAuthConfiguration.h"

#include "account/GoogleAuthError.h"

namespace corvel {

namespace {

const QLatin1String clientIDSuffix(".apps.googleusercontent.com");

bool allowedClientIDCharacters(QStringView id) {
    for (const QChar c : id) {
        if (!(c >= QLatin1Char('a') && c <= QLatin1Char('z')) &&
            !(c >= QLatin1Char('A') && c <= QLatin1Char('Z')) &&
            !(c >= QLatin1Char('0') && c <= QLatin1Char('9')) && c != QLatin1Char('-') &&
            c != QLatin1Char('.'))
            return false;
    }
    return true;
}

} // namespace

const QStringList& GoogleOAuthConfiguration::scopes() {
    static const QStringList list{QStringLiteral("openid"), QStringLiteral("email"),
                                  QStringLiteral("profile")};
    return list;
}

GoogleOAuthConfiguration GoogleOAuthConfiguration::load(const BundleInfo& bundle) {
    if (bundle.gidClientID.isEmpty())
        throw GoogleAuthError(GoogleAuthError::notConfigured);
    return create(bundle.gidClientID, bundle.urlSchemes);
}

GoogleOAuthConfiguration GoogleOAuthConfiguration::create(const QString& clientID,
                                                          const QStringList& registeredURLSchemes) {
    const QString trimmed = clientID.trimmed();
    if (trimmed.isEmpty())
        throw GoogleAuthError(GoogleAuthError::notConfigured);
    const bool valid = trimmed == clientID && trimmed.endsWith(clientIDSuffix) &&
                       trimmed.size() <= 255 && allowedClientIDCharacters(trimmed) &&
                       !trimmed.startsWith(QLatin1Char('.')) &&
                       !trimmed.contains(QLatin1String(".."));
    if (!valid)
        throw GoogleAuthError(GoogleAuthError::invalidConfiguration);

    QStringList components = trimmed.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    std::reverse(components.begin(), components.end());
    const QString scheme = components.join(QLatin1Char('.'));
    if (!registeredURLSchemes.contains(scheme, Qt::CaseSensitive))
        throw GoogleAuthError(GoogleAuthError::invalidConfiguration);
    return {trimmed, scheme};
}

} // namespace corvel
