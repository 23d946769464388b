#include "account/FirebaseAuthAttempt.h"

#include "account/CallbackShape.h"
#include "account/GooglePKCE.h"

#include <QUrlQuery>

namespace corvel {

namespace {

// The page hands back 32 random bytes as unpadded base64url.
bool validHostedCode(QStringView code) {
    if (code.size() != 43)
        return false;
    for (const QChar c : code) {
        const bool base64Url = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                               (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                               (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                               c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!base64Url)
            return false;
    }
    return true;
}

} // namespace

QUrl FirebaseAuthAttempt::authorizationURL() const {
    QUrlQuery query;
    query.setQueryItems({{QStringLiteral("state"), state},
                         {QStringLiteral("challenge"), GooglePKCE::challenge(verifier)}});
    QUrl url = configuration.authURL;
    url.setQuery(query);
    return url;
}

QString FirebaseAuthAttempt::authorizationCode(QStringView callback) const {
    const CallbackShape shape{configuration.callbackScheme, QStringLiteral("auth"),
                              QStringLiteral("/google"), true, validHostedCode};
    return shape.code(callback, state);
}

} // namespace corvel
