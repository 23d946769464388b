#include "account/FirebaseAuthAttempt.h"

#include "AuthFailure.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

const QString apiKey = QStringLiteral("AIzaSyA-test_key_0123456789");
const QString project = QStringLiteral("corvel-test");
const QString baseURL = QStringLiteral("https://corvel-test.web.app/api/v1");
const QString pageURL = QStringLiteral("https://corvel-test.firebaseapp.com/auth.html");
const QStringList schemes = {QStringLiteral("corvelinterview")};
const QString state = QString(43, QLatin1Char('s'));
const QString code = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123-_Z");

struct Values {
    QString key = apiKey;
    QString projectID = project;
    QString base = baseURL;
    QString page = pageURL;
    QStringList registered = schemes;
};

GoogleAuthError::Case createFailure(const Values& v) {
    return test::authFailure([&] {
        FirebaseAuthConfiguration::create(v.key, v.projectID, v.base, v.page, v.registered);
    });
}

FirebaseAuthAttempt attempt() {
    return {FirebaseAuthConfiguration::create(apiKey, project, baseURL, pageURL, schemes), state,
            QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk")};
}

} // namespace

TEST(FirebaseAuthConfigurationTest, LoadsFromTheBuildValues) {
    BundleInfo bundle;
    bundle.firebaseAPIKey = apiKey;
    bundle.firebaseProjectID = project;
    bundle.corvelAPIBaseURL = baseURL;
    bundle.corvelAuthURL = pageURL;
    bundle.urlSchemes = schemes;
    EXPECT_EQ(FirebaseAuthConfiguration::load(bundle),
              FirebaseAuthConfiguration::create(apiKey, project, baseURL, pageURL, schemes));

    auto loadFailure = [](const BundleInfo& b) {
        return test::authFailure([&] { FirebaseAuthConfiguration::load(b); });
    };
    EXPECT_EQ(loadFailure(BundleInfo()), GoogleAuthError::notConfigured);
    for (QString BundleInfo::*field : {&BundleInfo::firebaseAPIKey, &BundleInfo::firebaseProjectID,
                                       &BundleInfo::corvelAPIBaseURL, &BundleInfo::corvelAuthURL}) {
        BundleInfo missing = bundle;
        missing.*field = QString();
        EXPECT_EQ(loadFailure(missing), GoogleAuthError::notConfigured);
    }
    BundleInfo unparsable = bundle;
    unparsable.corvelAuthURL = QStringLiteral("https://corvel-test.web.app/auth page");
    EXPECT_EQ(loadFailure(unparsable), GoogleAuthError::notConfigured);
    BundleInfo capitals = bundle;
    capitals.urlSchemes = {QStringLiteral("CorvelInterview")};
    EXPECT_EQ(loadFailure(capitals), GoogleAuthError::invalidConfiguration);
}

TEST(FirebaseAuthConfigurationTest, RefusesValuesThatBreakTheirRules) {
    EXPECT_NO_THROW(FirebaseAuthConfiguration::create(QString(20, QLatin1Char('k')), project,
                                                      baseURL, pageURL, schemes));
    EXPECT_NO_THROW(FirebaseAuthConfiguration::create(
        QString(256, QLatin1Char('k')), QStringLiteral("a-b-c1"),
        QStringLiteral("https://a-b-c1.web.app/api/v1"),
        QStringLiteral("https://a-b-c1.web.app/auth.html"), schemes));

    const std::vector<Values> refused = {
        {.key = QString(19, QLatin1Char('k'))},
        {.key = QString(257, QLatin1Char('k'))},
        {.key = apiKey + QLatin1Char('.')},
        {.projectID = QStringLiteral("abcde")},
        {.projectID = QString(64, QLatin1Char('p'))},
        {.projectID = QStringLiteral("-corvel")},
        {.projectID = QStringLiteral("corvel-")},
        {.projectID = QStringLiteral("Corvel-test")},
        {.base = QStringLiteral("https://corvel-test.web.app/api/v2")},
        {.base = QStringLiteral("https://corvel-test.web.app:443/api/v1")},
        {.base = QStringLiteral("https://corvel-test.web.app/api/v1?x=1")},
        {.base = QStringLiteral("http://corvel-test.web.app/api/v1")},
        {.base = QStringLiteral("https://other-project.web.app/api/v1")},
        {.base = QStringLiteral("https://CORVEL-TEST.web.app/api/v1")},
        {.base = QStringLiteral("HTTPS://corvel-test.web.app/api/v1")},
        {.base = QStringLiteral("https://corvel-test.web.app/api/v1/")},
        {.base = QStringLiteral("https://user@corvel-test.web.app/api/v1")},
        {.base = QStringLiteral("https://corvel-test.web.app.evil.example/api/v1")},
        {.page = QStringLiteral("https://corvel-test.web.app/auth.htm")},
        {.page = QStringLiteral("https://corvel-test.web.app:/auth.html")},
        {.page = QStringLiteral("https://corvel-test.web.app/%61uth.html")},
        {.page = QStringLiteral("https:///auth.html")},
    };
    for (size_t i = 0; i < refused.size(); ++i)
        EXPECT_EQ(createFailure(refused[i]), GoogleAuthError::invalidConfiguration) << i;
}

TEST(FirebaseAuthAttemptTest, PageUrlCarriesStateAndChallengeOnly) {
    const FirebaseAuthAttempt a = attempt();
    EXPECT_EQ(a.authorizationURL().toString(QUrl::FullyEncoded),
              QStringLiteral("https://corvel-test.firebaseapp.com/auth.html"
                             "?state=sssssssssssssssssssssssssssssssssssssssssss"
                             "&challenge=E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"));
    EXPECT_FALSE(a.authorizationURL().toString().contains(a.verifier));
}

TEST(FirebaseAuthAttemptTest, CallbackYieldsTheCodeOnlyWhenEveryCheckPasses) {
    const FirebaseAuthAttempt a = attempt();
    auto codeFailure = [&a](const QString& url) {
        return test::authFailure([&] { a.authorizationCode(url); });
    };
    const QString base = QStringLiteral("corvelinterview://auth/google?");
    const QString rightState = QStringLiteral("state=") + state;
    const QString good = base + rightState + QStringLiteral("&code=") + code;
    EXPECT_EQ(a.authorizationCode(good), code);
    EXPECT_EQ(a.authorizationCode(base + QStringLiteral("code=") + code + u'&' + rightState), code);
    EXPECT_EQ(a.authorizationCode(good + QStringLiteral("&error")), code);

    const QString query = rightState + QStringLiteral("&code=") + code;
    const QStringList refused = {
        QStringLiteral("https://auth/google?") + query,
        QStringLiteral("CorvelInterview://auth/google?") + query,
        QStringLiteral("corvelinterview://AUTH/google?") + query,
        QStringLiteral("corvelinterview://other/google?") + query,
        QStringLiteral("corvelinterview:/auth/google?") + query,
        QStringLiteral("corvelinterview://auth/google/?") + query,
        QStringLiteral("corvelinterview://auth/Google?") + query,
        QStringLiteral("corvelinterview://u@auth/google?") + query,
        QStringLiteral("corvelinterview://auth:1/google?") + query,
        good + QStringLiteral("#x"),
        QStringLiteral("corvelinterview://auth/google"),
        base,
        good + QStringLiteral("&extra=1"),
        good + QStringLiteral("&") + rightState,
        good + QStringLiteral("&code=") + code,
        base + QStringLiteral("code=") + code,
        base + QStringLiteral("state=other&code=") + code,
        base + rightState + QStringLiteral("&code=") + code.left(42),
        base + rightState + QStringLiteral("&code=") + code + QLatin1Char('a'),
        base + rightState + QStringLiteral("&code=") + code.left(42) + QLatin1Char('='),
        base + rightState + QStringLiteral("&code=") + code.left(42) + QLatin1Char('+'),
        good + QStringLiteral("&error="),
        good + QStringLiteral("&error=access_denied"),
    };
    for (const QString& url : refused)
        EXPECT_EQ(codeFailure(url), GoogleAuthError::invalidCallback) << url.toStdString();

    EXPECT_EQ(codeFailure(base + rightState + QStringLiteral("&error=access_denied")),
              GoogleAuthError::denied);
    EXPECT_EQ(codeFailure(base + rightState + QStringLiteral("&error=")), GoogleAuthError::server);
    // The state is checked before the error is believed.
    EXPECT_EQ(codeFailure(base + QStringLiteral("state=x&error=access_denied")),
              GoogleAuthError::invalidCallback);
}
