#include "account/GoogleOAuthAttempt.h"

#include "account/CallbackShape.h"
#include "account/GoogleAuthError.h"
#include "account/GooglePKCE.h"
#include "account/SignInRules.h"

#include <QUrlQuery>

namespace corvel {

GoogleOAuthAttempt GoogleOAuthAttempt::create(const GoogleOAuthConfiguration& configuration,
                                              std::optional<QString> state,
                                              std::optional<QString> verifier) {
    GoogleOAuthAttempt attempt;
    attempt.configuration = configuration;
    attempt.state = state ? *state : GooglePKCE::randomValue();
    attempt.verifier = verifier ? *verifier : GooglePKCE::randomValue();
    if (!GooglePKCE::validVerifier(attempt.verifier) || !GooglePKCE::validVerifier(attempt.state))
        throw GoogleAuthError(GoogleAuthError::randomGeneration);
    return attempt;
}

QUrl GoogleOAuthAttempt::authorizationURL() const {
    QUrlQuery query;
    query.setQueryItems({
        {QStringLiteral("client_id"), configuration.clientID},
        {QStringLiteral("redirect_uri"),
         configuration.callbackScheme + QLatin1String(":/oauth2redirect")},
        {QStringLiteral("response_type"), QStringLiteral("code")},
        {QStringLiteral("scope"), GoogleOAuthConfiguration::scopes().join(QLatin1Char(' '))},
        {QStringLiteral("state"), state},
        {QStringLiteral("code_challenge"), GooglePKCE::challenge(verifier)},
        {QStringLiteral("code_challenge_method"), QStringLiteral("S256")},
        {QStringLiteral("access_type"), QStringLiteral("offline")},
        {QStringLiteral("prompt"), QStringLiteral("select_account consent")},
    });
    QUrl url(QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth"));
    url.setQuery(query);
    return url;
}

QString GoogleOAuthAttempt::authorizationCode(QStringView callback) const {
    const CallbackShape shape{configuration.callbackScheme, std::nullopt,
                              QStringLiteral("/oauth2redirect"), false,
                              [](QStringView code) { return signin::validOpaqueValue(code); }};
    return shape.code(callback, state);
}

} // namespace corvel
