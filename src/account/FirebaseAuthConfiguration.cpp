#include "account/FirebaseAuthConfiguration.h"

#include "account/GoogleAuthError.h"
#include "account/UrlComponents.h"

namespace corvel {

namespace {

const QLatin1String scheme("corvelinterview");
// Firebase Hosting's two default site domains of a project.
const QLatin1String hostingSuffixes[] = {QLatin1String(".web.app"),
                                         QLatin1String(".firebaseapp.com")};

bool allCharactersIn(QStringView text, QLatin1StringView allowed) {
    for (const QChar c : text) {
        if (!allowed.contains(c))
            return false;
    }
    return true;
}

bool validHTTPS(const std::optional<UrlComponents>& url) {
    return url && url->scheme == QLatin1String("https") && url->host && !url->host->isEmpty() &&
           !url->user && !url->password && !url->query && !url->fragment;
}

bool hostingHost(const UrlComponents& url, const QString& projectID) {
    for (const QLatin1String suffix : hostingSuffixes) {
        if (*url.host == projectID + suffix)
            return true;
    }
    return false;
}

[[noreturn]] void invalid() {
    throw GoogleAuthError(GoogleAuthError::invalidConfiguration);
}

} // namespace

FirebaseAuthConfiguration FirebaseAuthConfiguration::load(const BundleInfo& bundle) {
    const auto parses = [](const QString& url) {
        return !url.isEmpty() && UrlComponents::parse(url).has_value();
    };
    const bool present = !bundle.firebaseAPIKey.isEmpty() && !bundle.firebaseProjectID.isEmpty() &&
                         parses(bundle.corvelAPIBaseURL) && parses(bundle.corvelAuthURL);
    if (!present)
        throw GoogleAuthError(GoogleAuthError::notConfigured);
    return create(bundle.firebaseAPIKey, bundle.firebaseProjectID, bundle.corvelAPIBaseURL,
                  bundle.corvelAuthURL, bundle.urlSchemes);
}

FirebaseAuthConfiguration
FirebaseAuthConfiguration::create(const QString& apiKey, const QString& projectID,
                                  const QString& apiBaseURL, const QString& authURL,
                                  const QStringList& registeredURLSchemes) {
    if (apiKey.size() < 20 || apiKey.size() > 256 ||
        !allCharactersIn(apiKey, QLatin1StringView("abcdefghijklmnopqrstuvwxyz"
                                                   "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-")))
        invalid();
    if (projectID.size() < 6 || projectID.size() > 63 ||
        !allCharactersIn(projectID, QLatin1StringView("abcdefghijklmnopqrstuvwxyz0123456789-")) ||
        projectID.startsWith(QLatin1Char('-')) || projectID.endsWith(QLatin1Char('-')))
        invalid();

    const auto base = UrlComponents::parse(apiBaseURL);
    const auto page = UrlComponents::parse(authURL);
    if (!validHTTPS(base) || !validHTTPS(page))
        invalid();
    if (!hostingHost(*base, projectID) || !hostingHost(*page, projectID))
        invalid();
    if (base->port || page->port)
        invalid();
    if (base->path != QLatin1String("/api/v1") || page->path != QLatin1String("/auth.html"))
        invalid();
    if (!registeredURLSchemes.contains(scheme, Qt::CaseSensitive))
        invalid();

    FirebaseAuthConfiguration configuration;
    configuration.apiKey = apiKey;
    configuration.projectID = projectID;
    configuration.apiBaseURL = QUrl(apiBaseURL, QUrl::StrictMode);
    configuration.authURL = QUrl(authURL, QUrl::StrictMode);
    return configuration;
}

} // namespace corvel
