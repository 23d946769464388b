#pragma once

#include "account/FirebaseAuthConfiguration.h"

namespace corvel {

// One hosted sign-in: made fresh for each sign-in, dropped once the code has been exchanged.
struct FirebaseAuthAttempt {
    FirebaseAuthConfiguration configuration;
    QString state;
    QString verifier; // only its challenge goes to the page; the verifier goes to the exchange

    // The hosted page with exactly "state" and "challenge" as its query.
    QUrl authorizationURL() const;
    // The one-time code of the URL the page returned. Throws GoogleAuthError: invalidCallback,
    // or denied / server when the page reports an error.
    QString authorizationCode(QStringView callback) const;

    bool operator==(const FirebaseAuthAttempt&) const = default;
};

} // namespace corvel
