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

TEST(SessionCoding, ReadsAndWritesTheStoredForm) {
    // Expiry in seconds since 2001-01-01 UTC with its fraction; absent optionals left out.
    const QByteArray stored =
        R"({"account":{"email":"a@b.c","subject":"uid-1"},"projectID":"corvel-test",)"
        R"("tokens":{"expiresAt":801692800.125,"idToken":"id","refreshToken":"r\/t"}})";
    const auto session = FirebaseStoredSession::fromJson(json::decodeObject(stored));
    EXPECT_EQ(session.tokens.expiresAt,
              QDateTime::fromMSecsSinceEpoch(978307200000 + 801692800125, Qt::UTC));
    EXPECT_EQ(session.tokens.refreshToken, QStringLiteral("r/t"));
    EXPECT_EQ(json::encode(session.toJson()), stored);

    const QByteArray google =
        R"({"clientID":"c","tokens":{"accessToken":"a","refreshToken":"r","expiresAt":-1.5},)"
        R"("account":{"subject":"s","email":"e","name":"Ada","pictureURL":"https:\/\/x.org\/p"}})";
    const auto googleSession = GoogleStoredSession::fromJson(json::decodeObject(google));
    EXPECT_EQ(googleSession.account.pictureURL, QUrl(QStringLiteral("https://x.org/p")));
    EXPECT_EQ(GoogleStoredSession::fromJson(googleSession.toJson()), googleSession);
    QByteArray nulls = google;
    nulls.replace(R"("Ada")", "null").replace(R"("https:\/\/x.org\/p")", "null");
    const auto withoutOptionals = GoogleStoredSession::fromJson(json::decodeObject(nulls));
    EXPECT_EQ(withoutOptionals.account.name, std::nullopt);
    EXPECT_EQ(withoutOptionals.account.pictureURL, std::nullopt);

    const QByteArray account = R"("account":{"subject":"s","email":"e"})";
    for (const QByteArray& bad : {
             R"({"projectID":"p","tokens":{"idToken":"i","refreshToken":"r","expiresAt":"1"},)" +
                 account + '}',
             R"({"projectID":"p","tokens":{"idToken":"i","refreshToken":"r","expiresAt":1e300},)" +
                 account + '}',
             R"({"projectID":"p","tokens":{"refreshToken":"r","expiresAt":1},)" + account + '}',
             R"({"tokens":{"idToken":"i","refreshToken":"r","expiresAt":1},)" + account + '}',
             R"({"projectID":"p","tokens":{"idToken":"i","refreshToken":"r","expiresAt":1}})"_qba,
             R"({"projectID":"p","tokens":{"idToken":"i","refreshToken":"r","expiresAt":1},)"
             R"("account":{"subject":"s","email":"e","pictureURL":42}})"_qba,
         })
        EXPECT_THROW(FirebaseStoredSession::fromJson(json::decodeObject(bad)), JsonDecodingError)
            << bad.constData();
}

TEST(GoogleAuthErrorTest, DescriptionsAndEquality) {
    EXPECT_EQ(GoogleAuthError(GoogleAuthError::notConfigured).description(),
              QStringLiteral("Google sign-in is not available in this build yet. You can continue "
                             "on this computer."));
    EXPECT_NE(GoogleAuthError(GoogleAuthError::denied), GoogleAuthError(GoogleAuthError::server));

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
