#pragma once

#include "account/GoogleOAuthConfiguration.h"

#include <QUrl>

#include <optional>

namespace corvel {

// One direct Google sign-in: made fresh for each sign-in, dropped after the code exchange.
struct GoogleOAuthAttempt {
    GoogleOAuthConfiguration configuration;
    QString state;
    QString verifier; // stays on this computer; only its challenge goes to the browser

    // Draws the state, then the verifier, when not given. Throws
    // GoogleAuthError::randomGeneration when either is not a valid verifier.
    static GoogleOAuthAttempt create(const GoogleOAuthConfiguration& configuration,
                                     std::optional<QString> state = std::nullopt,
                                     std::optional<QString> verifier = std::nullopt);

    QUrl authorizationURL() const;
    // The authorization code of the URL the browser returned, taken as received. Throws
    // GoogleAuthError: invalidCallback, or denied / server when Google reports an error.
    QString authorizationCode(QStringView callback) const;

    bool operator==(const GoogleOAuthAttempt&) const = default;
};

} // namespace corvel
