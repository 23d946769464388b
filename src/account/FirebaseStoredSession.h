#pragma once

#include "account/FirebaseTokens.h"
#include "account/GoogleAccount.h"

namespace corvel {

// The Firebase session kept in the keyring, with the project it belongs to.
struct FirebaseStoredSession {
    QString projectID;
    FirebaseTokens tokens;
    GoogleAccount account;

    QJsonObject toJson() const;
    static FirebaseStoredSession fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const FirebaseStoredSession&) const = default;
};

} // namespace corvel
