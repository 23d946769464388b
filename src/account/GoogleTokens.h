#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

namespace corvel {

// The tokens of a direct Google sign-in; `expiresAt` is when the access token lapses.
struct GoogleTokens {
    QString accessToken;
    QString refreshToken;
    QDateTime expiresAt;

    QJsonObject toJson() const;
    static GoogleTokens fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const GoogleTokens&) const = default;
};

} // namespace corvel
