#include "account/GoogleOAuthAttempt.h"
#include "account/GooglePKCE.h"

#include "AuthFailure.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

const QString clientID = QStringLiteral("123456789012-abc.apps.googleusercontent.com");
const QString scheme = QStringLiteral("com.googleusercontent.apps.123456789012-abc");
const QString state = QString(43, QLatin1Char('s'));
const QString verifier = QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk");

GoogleAuthError::Case configurationFailure(const QString& id, const QStringList& schemes) {
    return test::authFailure([&] { GoogleOAuthConfiguration::create(id, schemes); });
}

GoogleOAuthAttempt attempt() {
    return GoogleOAuthAttempt::create(GoogleOAuthConfiguration::create(clientID, {scheme}), state,
                                      verifier);
}

} // namespace

TEST(GooglePKCETest, ChallengeMatchesRfc7636AndValuesAreUrlSafe) {
    EXPECT_EQ(GooglePKCE::challenge(verifier),
              QStringLiteral("E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"));

    EXPECT_NE(GooglePKCE::randomValue(), GooglePKCE::randomValue());
    for (int i = 0; i < 64; ++i) {
        const QString value = GooglePKCE::randomValue();
        ASSERT_EQ(value.size(), 43);
        ASSERT_TRUE(GooglePKCE::validVerifier(value));
    }

    const QString unreserved = QStringLiteral("azAZ09-._~");
    EXPECT_TRUE(GooglePKCE::validVerifier(unreserved.repeated(5).left(43)));
    EXPECT_TRUE(GooglePKCE::validVerifier(unreserved.repeated(13).left(128)));
    EXPECT_FALSE(GooglePKCE::validVerifier(unreserved.repeated(5).left(42)));
    EXPECT_FALSE(GooglePKCE::validVerifier(unreserved.repeated(13).left(129)));
    EXPECT_FALSE(GooglePKCE::validVerifier(QString(42, QLatin1Char('a')) + QLatin1Char('+')));
}

TEST(GoogleOAuthConfigurationTest, DerivesTheReversedSchemeAndRefusesMalformedIdentifiers) {
    const auto configuration =
        GoogleOAuthConfiguration::create(clientID, {QStringLiteral("x"), scheme});
    EXPECT_EQ(configuration.clientID, clientID);
    EXPECT_EQ(configuration.callbackScheme, scheme);

    EXPECT_EQ(configurationFailure(QStringLiteral("   \n"), {scheme}),
              GoogleAuthError::notConfigured);
    EXPECT_EQ(configurationFailure(clientID + QLatin1Char(' '), {scheme}),
              GoogleAuthError::invalidConfiguration);
    const QString suffix = QStringLiteral(".apps.googleusercontent.com");
    for (const QString& bad :
         {QString(229, QLatin1Char('a')) + suffix, QStringLiteral("12_3") + suffix,
          QStringLiteral(".123") + suffix, QStringLiteral("1..3") + suffix,
          QStringLiteral("123.apps.googleusercontent.org")})
        EXPECT_EQ(configurationFailure(bad, {scheme}), GoogleAuthError::invalidConfiguration)
            << bad.toStdString();
    EXPECT_NO_THROW(GoogleOAuthConfiguration::create(
        QString(228, QLatin1Char('a')) + suffix,
        {QStringLiteral("com.googleusercontent.apps.") + QString(228, QLatin1Char('a'))}));

    // The scheme must be registered exactly as derived.
    EXPECT_EQ(configurationFailure(clientID, {scheme.toUpper()}),
              GoogleAuthError::invalidConfiguration);
    EXPECT_EQ(configurationFailure(clientID, {}), GoogleAuthError::invalidConfiguration);

    BundleInfo bundle;
    EXPECT_EQ(test::authFailure([&] { GoogleOAuthConfiguration::load(bundle); }),
              GoogleAuthError::notConfigured);
    bundle.gidClientID = clientID;
    bundle.urlSchemes = {QStringLiteral("corvelinterview"), scheme};
    EXPECT_EQ(GoogleOAuthConfiguration::load(bundle), configuration);
}

TEST(GoogleOAuthAttemptTest, AuthorizationUrlIsExact) {
    EXPECT_EQ(attempt().authorizationURL().toString(QUrl::FullyEncoded),
              QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth"
                             "?client_id=123456789012-abc.apps.googleusercontent.com"
                             "&redirect_uri=com.googleusercontent.apps.123456789012-abc:/"
                             "oauth2redirect"
                             "&response_type=code&scope=openid%20email%20profile"
                             "&state=sssssssssssssssssssssssssssssssssssssssssss"
                             "&code_challenge=E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"
                             "&code_challenge_method=S256&access_type=offline"
                             "&prompt=select_account%20consent"));

    const auto configuration = GoogleOAuthConfiguration::create(clientID, {scheme});
    const auto drawn = GoogleOAuthAttempt::create(configuration);
    EXPECT_TRUE(GooglePKCE::validVerifier(drawn.state));
    EXPECT_TRUE(GooglePKCE::validVerifier(drawn.verifier));
    EXPECT_NE(drawn.state, drawn.verifier);
    EXPECT_FALSE(drawn.authorizationURL().toString().contains(drawn.verifier));
    EXPECT_EQ(test::authFailure(
                  [&] { GoogleOAuthAttempt::create(configuration, QStringLiteral("short")); }),
              GoogleAuthError::randomGeneration);
    EXPECT_EQ(
        test::authFailure([&] { GoogleOAuthAttempt::create(configuration, state, QString()); }),
        GoogleAuthError::randomGeneration);
}

TEST(GoogleOAuthAttemptTest, CallbackYieldsTheCodeOnlyWhenEveryCheckPasses) {
    const GoogleOAuthAttempt a = attempt();
    auto codeFailure = [&a](const QString& url) {
        return test::authFailure([&] { a.authorizationCode(url); });
    };
    const QString base = scheme + QStringLiteral(":/oauth2redirect?");
    const QString good = base + QStringLiteral("state=") + state + QStringLiteral("&code=4/0A-x");
    EXPECT_EQ(a.authorizationCode(good), QStringLiteral("4/0A-x"));
    EXPECT_EQ(a.authorizationCode(base + QStringLiteral("scope=email&code=4%2F0A&state=") + state),
              QStringLiteral("4/0A"));
    EXPECT_EQ(a.authorizationCode(good + QStringLiteral("&error")), QStringLiteral("4/0A-x"));

    // The checks both paths share (scheme, state, repeated items, errors) are exercised in
    // FirebaseAuthAttemptTest; these rows are the direct path's own shape.
    const QString rightState = QStringLiteral("state=") + state;
    const QStringList refused = {
        scheme + QStringLiteral("://host/oauth2redirect?") + rightState + QStringLiteral("&code=c"),
        scheme + QStringLiteral(":///oauth2redirect?") + rightState + QStringLiteral("&code=c"),
        scheme + QStringLiteral(":/oauth2redirect/?") + rightState + QStringLiteral("&code=c"),
        scheme + QStringLiteral(":/oauth2%72edirect?") + rightState + QStringLiteral("&code=c"),
        base + rightState + QStringLiteral("&code=a%20b"),
        base + rightState + QStringLiteral("&code=a b"),
        base + rightState + QStringLiteral("&code=%FF"),
    };
    for (const QString& url : refused)
        EXPECT_EQ(codeFailure(url), GoogleAuthError::invalidCallback) << url.toStdString();
}
