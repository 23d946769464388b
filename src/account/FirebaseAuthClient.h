#pragma once

#include "account/FirebaseAuthAttempt.h"
#include "account/FirebaseStoredSession.h"
#include "account/GoogleAuthTransport.h"

#include <QDateTime>

#include <functional>
#include <memory>

namespace corvel {

// Turns a hosted sign-in's code into a Firebase session, refreshes its ID token and confirms
// the identity behind one. Every reply is checked before anything is kept; every failure is
// one GoogleAuthError. Keeps nothing between calls.
class FirebaseAuthClient final {
public:
    // Hosts of Firebase Authentication's REST interface; the paths are fixed.
    struct Endpoints {
        QUrl identityToolkit;
        QUrl secureToken;
        static Endpoints firebase();
    };
    using Clock = std::function<QDateTime()>;

    explicit FirebaseAuthClient(std::shared_ptr<GoogleAuthTransport> transport,
                                Clock now = &QDateTime::currentDateTimeUtc,
                                Endpoints endpoints = Endpoints::firebase());

    QCoro::Task<FirebaseStoredSession> exchange(QString code, FirebaseAuthAttempt attempt,
                                                CancelToken token);
    QCoro::Task<FirebaseStoredSession> refresh(FirebaseStoredSession session,
                                               FirebaseAuthConfiguration configuration,
                                               CancelToken token);
    QCoro::Task<GoogleAccount> account(QString idToken, FirebaseAuthConfiguration configuration,
                                       CancelToken token);

private:
    QCoro::Task<QByteArray> perform(HttpRequest request, CancelToken token);
    QDateTime expiry(const QString& lifetime) const;

    std::shared_ptr<GoogleAuthTransport> m_transport;
    Clock m_now;
    Endpoints m_endpoints;
};

} // namespace corvel
