#pragma once

#include "platform/BundleInfo.h"

#include <QString>
#include <QStringList>

namespace corvel {

// The build's OAuth client for the direct Google sign-in.
struct GoogleOAuthConfiguration {
    QString clientID;
    QString callbackScheme; // the reversed client identifier

    static const QStringList& scopes();

    // Throws GoogleAuthError: notConfigured without a client identifier, invalidConfiguration
    // when it is malformed or its callback scheme is not registered.
    static GoogleOAuthConfiguration load(const BundleInfo& bundle);
    static GoogleOAuthConfiguration create(const QString& clientID,
                                           const QStringList& registeredURLSchemes);

    bool operator==(const GoogleOAuthConfiguration&) const = default;
};

} // namespace corvel
