#include "account/GoogleOAuthClient.h"

#include "account/GoogleAuthError.h"
#include "account/SignInRequest.h"
#include "account/SignInRules.h"
#include "core/JsonCoding.h"

#include <QSet>

#include <cmath>

namespace corvel {

namespace {

using namespace Qt::StringLiterals;

constexpr double kMaximumTokenLifetime = 31'536'000; // 365 days

[[noreturn]] void refuse(GoogleAuthError::Case errorCase) {
    throw GoogleAuthError(errorCase);
}

QString redirectURI(const GoogleOAuthConfiguration& configuration) {
    return configuration.callbackScheme + ":/oauth2redirect"_L1;
}

bool grantsIdentityScopes(const QString& scope) {
    const auto pieces = scope.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QSet<QString> granted(pieces.begin(), pieces.end());
    return granted.contains(u"openid"_s) &&
           (granted.contains(u"email"_s) ||
            granted.contains(u"https://www.googleapis.com/auth/userinfo.email"_s)) &&
           (granted.contains(u"profile"_s) ||
            granted.contains(u"https://www.googleapis.com/auth/userinfo.profile"_s));
}

// An error reply other than 401: only "invalid_grant" means the session is gone.
GoogleAuthError::Case errorReplyCase(const QByteArray& body) {
    try {
        const QJsonObject reply = json::decodeObject(body);
        if (reply.value("error"_L1) == QJsonValue(u"invalid_grant"_s))
            return GoogleAuthError::sessionExpired;
    } catch (const JsonDecodingError&) {
    }
    return GoogleAuthError::server;
}

GoogleAccount accountFromReply(const QByteArray& body) {
    QJsonObject reply;
    QString subject;
    QString email;
    bool verified = false;
    std::optional<QString> name;
    std::optional<QString> picture;
    try {
        reply = json::decodeObject(body);
        subject = json::requireString(reply, "sub"_L1);
        email = json::requireString(reply, "email"_L1);
        verified = json::requireBool(reply, "email_verified"_L1);
        name = json::optionalString(reply, "name"_L1);
        picture = json::optionalString(reply, "picture"_L1);
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidIdentity);
    }
    if (!verified || !signin::validGoogleSubject(subject) || !signin::validEmail(email))
        refuse(GoogleAuthError::invalidIdentity);
    return GoogleAccount{subject, email, signin::accountName(name),
                         signin::accountPicture(picture)};
}

} // namespace

GoogleOAuthClient::Endpoints GoogleOAuthClient::Endpoints::google() {
    return {QUrl(u"https://oauth2.googleapis.com/token"_s),
            QUrl(u"https://oauth2.googleapis.com/revoke"_s),
            QUrl(u"https://openidconnect.googleapis.com/v1/userinfo"_s)};
}

GoogleOAuthClient::GoogleOAuthClient(std::shared_ptr<GoogleAuthTransport> transport, Clock now,
                                     Endpoints endpoints)
    : m_transport(std::move(transport)), m_now(std::move(now)), m_endpoints(std::move(endpoints)) {}

HttpRequest GoogleOAuthClient::formRequest(const QUrl& url, const Fields& fields) {
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "application/x-www-form-urlencoded"},
                       {"Accept", "application/json"}};
    request.body = body;
    return request;
}

QCoro::Task<QByteArray> GoogleOAuthClient::perform(HttpRequest request, CancelToken token) {
    return signin::successBody(m_transport, std::move(request), token, errorReplyCase);
}

GoogleTokens
GoogleOAuthClient::decodeTokens(const QByteArray& body,
                                const std::optional<QString>& previousRefreshToken) const {
    QString accessToken;
    std::optional<QString> refreshToken;
    double expiresIn = 0;
    QString tokenType;
    std::optional<QString> scope;
    try {
        const QJsonObject reply = json::decodeObject(body);
        accessToken = json::requireString(reply, "access_token"_L1);
        refreshToken = json::optionalString(reply, "refresh_token"_L1);
        expiresIn = json::requireDouble(reply, "expires_in"_L1);
        tokenType = json::requireString(reply, "token_type"_L1);
        scope = json::optionalString(reply, "scope"_L1);
    } catch (const JsonDecodingError&) {
        refuse(GoogleAuthError::invalidToken);
    }
    if (!refreshToken)
        refreshToken = previousRefreshToken;
    if (tokenType.toLower() != "bearer"_L1 || !signin::validOpaqueValue(accessToken) ||
        !std::isfinite(expiresIn) || expiresIn <= 0 || expiresIn > kMaximumTokenLifetime ||
        !refreshToken || !signin::validOpaqueValue(*refreshToken) ||
        (scope && !grantsIdentityScopes(*scope)))
        refuse(GoogleAuthError::invalidToken);
    return GoogleTokens{accessToken, *refreshToken,
                        m_now().addMSecs(std::llround(expiresIn * 1000.0))};
}

QCoro::Task<GoogleTokens> GoogleOAuthClient::exchange(QString code, GoogleOAuthAttempt attempt,
                                                      CancelToken token) {
    if (!signin::validOpaqueValue(code))
        refuse(GoogleAuthError::invalidCallback);
    const auto& configuration = attempt.configuration;
    // Each request is built in its own statement: GCC 12 fails on an initializer list in the
    // same statement as a co_await.
    HttpRequest request =
        formRequest(m_endpoints.token, {{u"client_id"_s, configuration.clientID},
                                        {u"code"_s, code},
                                        {u"code_verifier"_s, attempt.verifier},
                                        {u"redirect_uri"_s, redirectURI(configuration)},
                                        {u"grant_type"_s, u"authorization_code"_s}});
    const QByteArray body = co_await perform(std::move(request), token);
    co_return decodeTokens(body, std::nullopt);
}

QCoro::Task<GoogleTokens> GoogleOAuthClient::refresh(GoogleTokens tokens,
                                                     GoogleOAuthConfiguration configuration,
                                                     CancelToken token) {
    if (!signin::validOpaqueValue(tokens.refreshToken))
        refuse(GoogleAuthError::sessionExpired);
    HttpRequest request = formRequest(m_endpoints.token, {{u"client_id"_s, configuration.clientID},
                                                          {u"refresh_token"_s, tokens.refreshToken},
                                                          {u"grant_type"_s, u"refresh_token"_s}});
    const QByteArray body = co_await perform(std::move(request), token);
    co_return decodeTokens(body, tokens.refreshToken);
}

QCoro::Task<GoogleAccount> GoogleOAuthClient::account(QString accessToken, CancelToken token) {
    if (!signin::validOpaqueValue(accessToken))
        refuse(GoogleAuthError::invalidToken);
    HttpRequest request;
    request.method = "GET";
    request.url = m_endpoints.userInformation;
    request.headers = {{"Authorization", "Bearer " + accessToken.toUtf8()},
                       {"Accept", "application/json"}};
    const QByteArray body = co_await perform(std::move(request), token);
    co_return accountFromReply(body);
}

QCoro::Task<> GoogleOAuthClient::revoke(GoogleTokens tokens, CancelToken token) {
    const QString revoked =
        signin::validOpaqueValue(tokens.refreshToken) ? tokens.refreshToken : tokens.accessToken;
    if (!signin::validOpaqueValue(revoked))
        refuse(GoogleAuthError::invalidToken);
    HttpRequest request = formRequest(m_endpoints.revocation, {{u"token"_s, revoked}});
    co_await perform(std::move(request), token);
}

} // namespace corvel
