#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace corvel {

// The tokens of a Firebase session; `expiresAt` is when the ID token lapses.
struct FirebaseTokens {
    QString idToken;
    QString refreshToken;
    QDateTime expiresAt;

    QJsonObject toJson() const;
    static FirebaseTokens fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const FirebaseTokens&) const = default;
};

} // namespace corvel
