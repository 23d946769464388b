#include "account/FirebaseStoredSession.h"
#include "account/GoogleAuthError.h"
#include "account/GoogleStoredSession.h"
#include "account/SignInRules.h"
#include "core/JsonCoding.h"

#include <QSet>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::signin;

TEST(SignInRules, OpaqueValueIsOneToSixteenKiBOfPrintableAscii) {
    EXPECT_TRUE(validOpaqueValue(QString(16384, QLatin1Char('~'))));
    EXPECT_FALSE(validOpaqueValue(QString(16385, QLatin1Char('!'))));
    EXPECT_FALSE(validOpaqueValue(QString()));
    EXPECT_TRUE(validOpaqueValue(u"4/0AX-code_with.all!printable~"));
    for (const QStringView bad : {u"ab cd", u"ab\tcd", u"caf\u00e9", u"ab\u007fcd", u"\U0001F600"})
        EXPECT_FALSE(validOpaqueValue(bad)) << bad.toString().toStdString();

    EXPECT_TRUE(validGoogleSubject(QString(255, QLatin1Char('1'))));
    EXPECT_FALSE(validGoogleSubject(QString(256, QLatin1Char('1'))));
    EXPECT_TRUE(validFirebaseSubject(QString(128, QLatin1Char('u'))));
    EXPECT_FALSE(validFirebaseSubject(QString(129, QLatin1Char('u'))));
    EXPECT_FALSE(validFirebaseSubject(u"user id"));
}

TEST(SignInRules, EmailHasOneAtWithTextAroundAndNoSpaceOrControl) {
    EXPECT_TRUE(validEmail(u"a@b"));
    EXPECT_TRUE(validEmail(u"ren\u00e9e@exemple.fr"));
    for (const QStringView bad : {u"a@b@c", u"@b", u"a@", u"ab", u" a@b", u"a@b\n", u"a@b\u00a0c",
                                  u"a@b\u202ec", u"a\u0007@b"})
        EXPECT_FALSE(validEmail(bad)) << bad.toString().toStdString();

    const QString local = QString(64, QLatin1Char('x')) + QLatin1Char('@');
    EXPECT_TRUE(validEmail(local + QString(255, QLatin1Char('d'))));  // 320
    EXPECT_FALSE(validEmail(local + QString(256, QLatin1Char('d')))); // 321
    // Length counts what the user sees: 320 accented letters made of two code points each pass.
    QString combined = QStringLiteral("a@");
    for (int i = 0; i < 318; ++i)
        combined += QStringLiteral("e\u0301");
    EXPECT_TRUE(validEmail(combined));
}

TEST(SignInRules, BadNamesAndPicturesAreDroppedNotFatal) {
    EXPECT_EQ(accountName(QStringLiteral("  Ada Lovelace \n")), QStringLiteral("Ada Lovelace"));
    EXPECT_EQ(accountName(QStringLiteral("   ")), std::nullopt);
    EXPECT_EQ(accountName(std::nullopt), std::nullopt);
    EXPECT_EQ(accountName(QStringLiteral("Ada\u0000Byron")), std::nullopt);
    EXPECT_TRUE(accountName(QString(256, QLatin1Char('n'))));
    EXPECT_EQ(accountName(QLatin1Char(' ') + QString(257, QLatin1Char('n'))), std::nullopt);

    EXPECT_EQ(accountPicture(QStringLiteral("https://lh3.example.com/a/photo=s96-c")),
              QUrl(QStringLiteral("https://lh3.example.com/a/photo=s96-c")));
    for (const QStringView bad :
         {u"http://lh3.example.com/p.png", u"HTTPS://lh3.example.com/p.png",
          u"https://user@lh3.example.com/p.png", u"https://u:p@example.com/", u"https:///p.png",
          u"https://exa mple.com/p.png", u"/p.png"})
        EXPECT_EQ(accountPicture(bad.toString()), std::nullopt) << bad.toString().toStdString();
}

namespace {

FirebaseStoredSession sampleSession() {
    FirebaseStoredSession session;
    session.projectID = QStringLiteral("corvel-test");
    session.tokens.idToken = QStringLiteral("id.token");
    session.tokens.refreshToken = QStringLiteral("refresh/token");
    session.tokens.expiresAt = QDateTime::fromMSecsSinceEpoch(1780000000123, Qt::UTC);
    session.account = {QStringLiteral("uid-1"), QStringLiteral("a@b.c"), QStringLiteral("Ada"),
                       QUrl(QStringLiteral("https://example.com/p.png"))};
    return session;
}

} // namespace

TEST(SessionCoding, RoundTripsWithReferenceDatesAndOptionalFields) {
    const FirebaseStoredSession session = sampleSession();
    const QJsonObject object = session.toJson();
    // Seconds since 2001-01-01 UTC, with the fraction kept.
    EXPECT_DOUBLE_EQ(object[u"tokens"][u"expiresAt"].toDouble(), 801692800.123);
    EXPECT_EQ(FirebaseStoredSession::fromJson(json::decodeObject(json::encode(object))), session);

    GoogleStoredSession google;
    google.clientID = QStringLiteral("client");
    google.tokens = {QStringLiteral("access"), QStringLiteral("refresh"),
                     QDateTime::fromMSecsSinceEpoch(978307200000 - 1500, Qt::UTC)};
    google.account = {QStringLiteral("sub"), QStringLiteral("a@b.c"), std::nullopt, std::nullopt};
    const QJsonObject googleObject = google.toJson();
    EXPECT_FALSE(googleObject[u"account"].toObject().contains(u"name"));
    EXPECT_FALSE(googleObject[u"account"].toObject().contains(u"pictureURL"));
    EXPECT_EQ(GoogleStoredSession::fromJson(googleObject), google);

    QJsonObject nulls = googleObject;
    QJsonObject account = nulls[u"account"].toObject();
    account[u"name"] = QJsonValue::Null;
    account[u"pictureURL"] = QJsonValue::Null;
    nulls[u"account"] = account;
    EXPECT_EQ(GoogleStoredSession::fromJson(nulls), google);
}

TEST(SessionCoding, MalformedSessionsFailToDecode) {
    const QJsonObject good = sampleSession().toJson();
    auto withToken = [&good](const QString& key, const QJsonValue& value) {
        QJsonObject copy = good;
        QJsonObject tokens = copy[u"tokens"].toObject();
        if (value.isUndefined())
            tokens.remove(key);
        else
            tokens[key] = value;
        copy[u"tokens"] = tokens;
        return copy;
    };
    EXPECT_THROW(FirebaseStoredSession::fromJson(
                     withToken(QStringLiteral("expiresAt"), QStringLiteral("801692800"))),
                 JsonDecodingError);
    EXPECT_THROW(FirebaseStoredSession::fromJson(withToken(QStringLiteral("expiresAt"), 1e300)),
                 JsonDecodingError);
    EXPECT_THROW(FirebaseStoredSession::fromJson(withToken(QStringLiteral("idToken"), {})),
                 JsonDecodingError);

    QJsonObject noProject = good;
    noProject.remove(u"projectID");
    EXPECT_THROW(FirebaseStoredSession::fromJson(noProject), JsonDecodingError);
    QJsonObject badPicture = good;
    QJsonObject account = badPicture[u"account"].toObject();
    account[u"pictureURL"] = 42;
    badPicture[u"account"] = account;
    EXPECT_THROW(FirebaseStoredSession::fromJson(badPicture), JsonDecodingError);
}

TEST(GoogleAuthErrorTest, DescriptionsAndEquality) {
    EXPECT_EQ(GoogleAuthError(GoogleAuthError::notConfigured).description(),
              QStringLiteral("Google sign-in is not available in this build yet. You can continue "
                             "on this computer."));
    EXPECT_EQ(GoogleAuthError(GoogleAuthError::secureStorage).description(),
              QStringLiteral("Your Google session could not be updated in the keyring. Unlock your "
                             "computer and try again."));
    EXPECT_EQ(GoogleAuthError(GoogleAuthError::cancelled).description(),
              QStringLiteral("Google sign-in cancelled."));
    EXPECT_EQ(GoogleAuthError(GoogleAuthError::denied), GoogleAuthError(GoogleAuthError::denied));
    EXPECT_FALSE(GoogleAuthError(GoogleAuthError::denied) ==
                 GoogleAuthError(GoogleAuthError::server));

    // Every case has its own text, none of them names the Mac.
    QSet<QString> texts;
    for (int c = GoogleAuthError::notConfigured; c <= GoogleAuthError::randomGeneration; ++c) {
        const QString text = GoogleAuthError(GoogleAuthError::Case(c)).description();
        EXPECT_FALSE(text.isEmpty());
        EXPECT_FALSE(text.contains(QLatin1String("Mac")));
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), 14);
}
