#pragma once

#include "platform/BundleInfo.h"

#include <QString>
#include <QStringList>
#include <QUrl>

namespace corvel {

// The build's Firebase project and the cloud service's hosted sign-in, for the hosted path.
struct FirebaseAuthConfiguration {
    QString apiKey;
    QString projectID;
    QUrl apiBaseURL; // https://<project's hosting domain>/api/v1
    QUrl authURL;    // https://<project's hosting domain>/auth.html
    QString callbackScheme = QStringLiteral("corvelinterview");

    // Throws GoogleAuthError: notConfigured when a value is missing or a URL does not parse,
    // invalidConfiguration when a value breaks its rule or the callback scheme is not registered.
    static FirebaseAuthConfiguration load(const BundleInfo& bundle);
    // The URLs are taken as text so that they are checked exactly as written.
    static FirebaseAuthConfiguration create(const QString& apiKey, const QString& projectID,
                                            const QString& apiBaseURL, const QString& authURL,
                                            const QStringList& registeredURLSchemes);

    bool operator==(const FirebaseAuthConfiguration&) const = default;
};

} // namespace corvel
