#include "platform/BundleInfo.h"

#include "BundleValues.h"

namespace corvel {

BundleInfo BundleInfo::fromBuild() {
    BundleInfo info;
    info.allowsPrivateAPIKeyFallback = AllowsPrivateAPIKeyFallback != 0;
    info.corvelAPIBaseURL = QString::fromUtf8(CORVEL_API_BASE_URL).trimmed();
    info.corvelAuthURL = QString::fromUtf8(CORVEL_AUTH_URL).trimmed();
    info.firebaseAPIKey = QString::fromUtf8(CORVEL_FIREBASE_API_KEY).trimmed();
    info.firebaseProjectID = QString::fromUtf8(CORVEL_FIREBASE_PROJECT_ID).trimmed();
    info.gidClientID = QString::fromUtf8(CORVEL_GID_CLIENT_ID).trimmed();
    info.urlSchemes = {QStringLiteral("corvelinterview")};
    // Google returns a native sign-in on the reversed client identifier, which the app registers.
    const QString googleSuffix = QStringLiteral(".apps.googleusercontent.com");
    if (info.gidClientID.endsWith(googleSuffix))
        info.urlSchemes.append(QStringLiteral("com.googleusercontent.apps.") +
                               info.gidClientID.chopped(googleSuffix.size()));
    info.shortVersion = QString::fromUtf8(CORVEL_SHORT_VERSION);
    return info;
}

} // namespace corvel
