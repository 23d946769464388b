#pragma once

#include "account/GoogleAccount.h"
#include "account/GoogleTokens.h"

namespace corvel {

// The direct Google session kept in the keyring, with the OAuth client it was obtained with.
struct GoogleStoredSession {
    QString clientID;
    GoogleTokens tokens;
    GoogleAccount account;

    QJsonObject toJson() const;
    static GoogleStoredSession fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const GoogleStoredSession&) const = default;
};

} // namespace corvel
