#pragma once

#include "account/GoogleAccount.h"
#include "account/GoogleAuthTransport.h"
#include "account/GoogleOAuthAttempt.h"
#include "account/GoogleTokens.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace corvel {

// Google's OAuth 2.0 and OpenID endpoints on the direct sign-in path. Every reply is checked
// strictly, and every failure is one GoogleAuthError. Keeps nothing between calls.
class GoogleOAuthClient final {
public:
    struct Endpoints {
        QUrl token;
        QUrl revocation;
        QUrl userInformation;
        static Endpoints google();
    };
    using Clock = std::function<QDateTime()>;
    using Fields = std::vector<std::pair<QString, QString>>;

    explicit GoogleOAuthClient(std::shared_ptr<GoogleAuthTransport> transport,
                               Clock now = &QDateTime::currentDateTimeUtc,
                               Endpoints endpoints = Endpoints::google());

    QCoro::Task<GoogleTokens> exchange(QString code, GoogleOAuthAttempt attempt, CancelToken token);
    // A reply without a new refresh token keeps the old one.
    QCoro::Task<GoogleTokens> refresh(GoogleTokens tokens, GoogleOAuthConfiguration configuration,
                                      CancelToken token);
    QCoro::Task<GoogleAccount> account(QString accessToken, CancelToken token);
    // Revokes the refresh token, or the access token when the refresh token is unusable.
    QCoro::Task<> revoke(GoogleTokens tokens, CancelToken token);

    // A form POST whose names and values keep only the unreserved characters unescaped (a space
    // is "%20", never "+").
    static HttpRequest formRequest(const QUrl& url, const Fields& fields);

private:
    QCoro::Task<QByteArray> perform(HttpRequest request, CancelToken token);
    GoogleTokens decodeTokens(const QByteArray& body,
                              const std::optional<QString>& previousRefreshToken) const;

    std::shared_ptr<GoogleAuthTransport> m_transport;
    Clock m_now;
    Endpoints m_endpoints;
};

} // namespace corvel
