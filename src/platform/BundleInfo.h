#pragma once

#include <QString>
#include <QStringList>

namespace corvel {

// The values fixed per build (set as CMake cache options). An empty text means "not set".
struct BundleInfo {
    bool allowsPrivateAPIKeyFallback = true;
    QString corvelAPIBaseURL;
    QString corvelAuthURL;
    QString firebaseAPIKey;
    QString firebaseProjectID;
    QString gidClientID;
    QStringList urlSchemes;
    QString shortVersion;

    static BundleInfo fromBuild();
    bool operator==(const BundleInfo&) const = default;
};

} // namespace corvel
