#include "account/FirebaseAuthClient.h"
#include "account/GoogleURLSessionTransport.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include "AuthFailure.h"
#include "SentHeaders.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;

namespace {

const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
const QString apiKey = QStringLiteral("AIzaSyA-test_key_0123456789");
const QString code = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123-_Z");
const QByteArray bridgeReply = R"({"customToken":"eyJ.custom.sig","user":{"uid":"uid-1"}})";
const QByteArray signInReply =
    R"({"idToken":"eyJ.id.sig","refreshToken":"AMf-refresh","expiresIn":"3600"})";
const QByteArray refreshReply =
    R"({"id_token":"eyJ.id2.sig","refresh_token":"AMf-refresh2","expires_in":"3600",)"
    R"("token_type":"Bearer","user_id":"uid-1","project_id":"1"})";

QByteArray lookupReply(const QByteArray& userMembers = {}) {
    QJsonObject user = QJsonDocument::fromJson(
                           R"({"localId":"uid-1","email":"ana@example.com","emailVerified":true,)"
                           R"("displayName":" Ana ","photoUrl":"https://lh3.example.com/a.png",)"
                           R"("providerUserInfo":[{"providerId":"password"},)"
                           R"({"providerId":"google.com"}]})")
                           .object();
    const QJsonObject changes = QJsonDocument::fromJson("{" + userMembers + "}").object();
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.value() == QJsonValue(QStringLiteral("<absent>")))
            user.remove(it.key());
        else
            user.insert(it.key(), it.value());
    }
    return R"({"users":[)" + QJsonDocument(user).toJson(QJsonDocument::Compact) + "]}";
}

QJsonObject jsonBody(const TestHttpServer::Request& request) {
    return QJsonDocument::fromJson(request.body).object();
}

class FirebaseAuthClientTest : public ::testing::Test {
protected:
    FirebaseAuthClientTest()
        : client(std::make_shared<GoogleURLSessionTransport>(), [] { return now; },
                 {server.baseUrl(), server.baseUrl()}) {
        configuration.apiKey = apiKey;
        configuration.projectID = QStringLiteral("corvel-test");
        configuration.apiBaseURL = QUrl(server.baseUrl().toString() + QStringLiteral("/api/v1"));
        configuration.authURL = QUrl(server.baseUrl().toString() + QStringLiteral("/auth.html"));
    }

    FirebaseStoredSession exchange(const QList<QByteArray>& replies) {
        for (const QByteArray& reply : replies)
            server.enqueue(TestHttpServer::json(200, reply));
        const FirebaseAuthAttempt attempt{configuration, QString(43, QLatin1Char('s')),
                                          QString(43, QLatin1Char('v'))};
        return test::awaitTask(client.exchange(code, attempt, {}));
    }
    GoogleAuthError::Case exchangeFailure(const QList<QByteArray>& replies) {
        return test::authFailure([&] { exchange(replies); });
    }
    FirebaseStoredSession storedSession() const {
        return {configuration.projectID,
                {QStringLiteral("eyJ.old.sig"), QStringLiteral("AMf-old"), now},
                {QStringLiteral("uid-1"), QStringLiteral("old@example.com"), std::nullopt,
                 std::nullopt}};
    }
    FirebaseStoredSession refresh(const QList<QByteArray>& replies) {
        for (const QByteArray& reply : replies)
            server.enqueue(TestHttpServer::json(200, reply));
        return test::awaitTask(client.refresh(storedSession(), configuration, {}));
    }
    GoogleAuthError::Case refreshFailure(const QList<QByteArray>& replies) {
        return test::authFailure([&] { refresh(replies); });
    }
    GoogleAuthError::Case lookupFailure(const QByteArray& reply, int status = 200) {
        server.enqueue(TestHttpServer::json(status, reply));
        return test::authFailure([&] {
            test::awaitTask(client.account(QStringLiteral("eyJ.id.sig"), configuration, {}));
        });
    }

    TestHttpServer server;
    FirebaseAuthClient client;
    FirebaseAuthConfiguration configuration;
};

} // namespace

TEST_F(FirebaseAuthClientTest, ExchangeAndRefreshSendExactlyTheirRequests) {
    const auto session = exchange({bridgeReply, signInReply, lookupReply()});
    EXPECT_EQ(session.projectID, QStringLiteral("corvel-test"));
    EXPECT_EQ(session.tokens, (FirebaseTokens{QStringLiteral("eyJ.id.sig"),
                                              QStringLiteral("AMf-refresh"), now.addSecs(3600)}));
    EXPECT_EQ(session.account,
              (GoogleAccount{QStringLiteral("uid-1"), QStringLiteral("ana@example.com"),
                             QStringLiteral("Ana"),
                             QUrl(QStringLiteral("https://lh3.example.com/a.png"))}));

    const auto refreshed = refresh({refreshReply, lookupReply(R"("email":"new@example.com")")});
    EXPECT_EQ(refreshed.tokens.idToken, QStringLiteral("eyJ.id2.sig"));
    EXPECT_EQ(refreshed.tokens.refreshToken, QStringLiteral("AMf-refresh2"));
    EXPECT_EQ(refreshed.account.email, QStringLiteral("new@example.com"));

    const auto& requests = server.requests();
    ASSERT_EQ(requests.size(), 5u);
    EXPECT_EQ(requests[0].path, "/api/v1/auth/exchange");
    EXPECT_EQ(jsonBody(requests[0]),
              (QJsonObject{{QStringLiteral("code"), code},
                           {QStringLiteral("verifier"), QString(43, QLatin1Char('v'))},
                           {QStringLiteral("state"), QString(43, QLatin1Char('s'))}}));
    EXPECT_EQ(requests[1].path, "/v1/accounts:signInWithCustomToken?key=" + apiKey.toUtf8());
    EXPECT_EQ(jsonBody(requests[1]),
              (QJsonObject{{QStringLiteral("token"), QStringLiteral("eyJ.custom.sig")},
                           {QStringLiteral("returnSecureToken"), true}}));
    EXPECT_EQ(requests[1].body, R"({"returnSecureToken":true,"token":"eyJ.custom.sig"})");
    EXPECT_EQ(requests[2].path, "/v1/accounts:lookup?key=" + apiKey.toUtf8());
    EXPECT_EQ(jsonBody(requests[2]),
              (QJsonObject{{QStringLiteral("idToken"), QStringLiteral("eyJ.id.sig")}}));
    EXPECT_EQ(requests[3].path, "/v1/token?key=" + apiKey.toUtf8());
    EXPECT_EQ(requests[3].body, "grant_type=refresh_token&refresh_token=AMf-old");
    EXPECT_EQ(requests[3].header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(jsonBody(requests[4]),
              (QJsonObject{{QStringLiteral("idToken"), QStringLiteral("eyJ.id2.sig")}}));
    // Nothing else goes out: no cookie and no credentials beyond the API key.
    for (const auto& request : requests) {
        EXPECT_EQ(request.method, "POST");
        EXPECT_EQ(request.header("Accept"), "application/json");
        EXPECT_EQ(test::sentHeaderNames(request), test::postHeaderNames());
        if (&request != &requests[3]) {
            EXPECT_EQ(request.header("Content-Type"), "application/json");
        }
    }
    EXPECT_EQ(requests[0].path.indexOf("key="), -1);
}

TEST_F(FirebaseAuthClientTest, UnusableInputsFailBeforeAnythingIsSent) {
    const FirebaseAuthAttempt attempt{configuration, QString(43, QLatin1Char('s')),
                                      QString(43, QLatin1Char('v'))};
    for (const QString& bad : {code.left(42), code + QLatin1Char('x'), code.left(42) + u'='})
        EXPECT_EQ(test::authFailure([&] { test::awaitTask(client.exchange(bad, attempt, {})); }),
                  GoogleAuthError::invalidCallback);

    auto otherProject = storedSession();
    otherProject.projectID = QStringLiteral("corvel-other");
    auto noRefreshToken = storedSession();
    noRefreshToken.tokens.refreshToken = QStringLiteral("AMf old");
    for (const auto& session : {otherProject, noRefreshToken})
        EXPECT_EQ(
            test::authFailure([&] { test::awaitTask(client.refresh(session, configuration, {})); }),
            GoogleAuthError::sessionExpired);
    EXPECT_EQ(
        test::authFailure([&] { test::awaitTask(client.account(QString(), configuration, {})); }),
        GoogleAuthError::invalidToken);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(FirebaseAuthClientTest, BridgeAndSignInRepliesAreCheckedStrictly) {
    const QByteArray longUid =
        R"({"customToken":"t","user":{"uid":")" + QByteArray(129, 'u') + R"("}})";
    for (const QByteArray& bridge : {
             QByteArray(R"({"user":{"uid":"uid-1"}})"),
             QByteArray(R"({"customToken":"t"})"),
             QByteArray(R"({"customToken":"t","user":{"uid":7}})"),
             QByteArray(R"({"customToken":"t t","user":{"uid":"uid-1"}})"),
             longUid,
         })
        EXPECT_EQ(exchangeFailure({bridge}), GoogleAuthError::invalidToken) << bridge.constData();

    for (const char* lifetime : {"86400", "0.5", "1e3"})
        EXPECT_NO_THROW(exchange(
            {bridgeReply,
             R"({"idToken":"i","refreshToken":"r","expiresIn":")" + QByteArray(lifetime) + "\"}",
             lookupReply()}))
            << lifetime;
    EXPECT_EQ(exchange({bridgeReply, R"({"idToken":"i","refreshToken":"r","expiresIn":"0.5"})",
                        lookupReply()})
                  .tokens.expiresAt,
              now.addMSecs(500));
    for (const char* lifetime : {"86401", "0", "-5", "inf", "nan", "1h", " 3600", "3600 ", ""})
        EXPECT_EQ(
            exchangeFailure({bridgeReply, R"({"idToken":"i","refreshToken":"r","expiresIn":")" +
                                              QByteArray(lifetime) + "\"}"}),
            GoogleAuthError::invalidToken)
            << lifetime;
    for (const QByteArray& signIn : {
             QByteArray(R"({"idToken":"i","refreshToken":"r","expiresIn":3600})"),
             QByteArray(R"({"idToken":"i","expiresIn":"3600"})"),
             QByteArray(R"({"idToken":"","refreshToken":"r","expiresIn":"3600"})"),
             QByteArray(R"({"idToken":"i","refreshToken":"r\u00e9","expiresIn":"3600"})"),
         })
        EXPECT_EQ(exchangeFailure({bridgeReply, signIn}), GoogleAuthError::invalidToken)
            << signIn.constData();

    // The looked-up user must be the one the bridge signed in.
    EXPECT_EQ(exchangeFailure({bridgeReply, signInReply, lookupReply(R"("localId":"uid-2")")}),
              GoogleAuthError::identityChanged);
}

TEST_F(FirebaseAuthClientTest, RefreshRepliesAreCheckedStrictly) {
    auto replaced = [](const char* member, const char* value) {
        QJsonObject reply = QJsonDocument::fromJson(refreshReply).object();
        reply.insert(QLatin1String(member), QLatin1String(value));
        return QJsonDocument(reply).toJson(QJsonDocument::Compact);
    };
    EXPECT_NO_THROW(refresh({replaced("token_type", "BEARER"), lookupReply()}));
    EXPECT_EQ(refreshFailure({replaced("token_type", "mac")}), GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({replaced("user_id", "uid-2")}), GoogleAuthError::identityChanged);
    EXPECT_EQ(refreshFailure({replaced("id_token", "a b")}), GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({replaced("refresh_token", "")}), GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({replaced("expires_in", "86401")}), GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({R"({"id_token":"i","refresh_token":"r","expires_in":3600,)"
                              R"("token_type":"Bearer","user_id":"uid-1"})"}),
              GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({R"({"id_token":"i","refresh_token":"r","expires_in":"3600",)"
                              R"("user_id":"uid-1"})"}),
              GoogleAuthError::invalidToken);
    EXPECT_EQ(refreshFailure({refreshReply, lookupReply(R"("localId":"uid-2")")}),
              GoogleAuthError::identityChanged);
}

TEST_F(FirebaseAuthClientTest, LookupRepliesAreCheckedStrictly) {
    const QByteArray user = lookupReply().mid(10).chopped(2);
    for (const QByteArray& reply : {
             QByteArray(R"({"users":[]})"),
             QByteArray(R"({"users":[)") + user + "," + user + "]}",
             QByteArray(R"({"users":{}})"),
             QByteArray(R"({"kind":"x"})"),
             lookupReply(R"("emailVerified":false)"),
             lookupReply(R"("emailVerified":"true")"),
             lookupReply(R"("disabled":true)"),
             lookupReply(R"("disabled":"false")"),
             lookupReply(R"("providerUserInfo":"<absent>")"),
             lookupReply(R"("providerUserInfo":[{"providerId":"password"}])"),
             lookupReply(R"("providerUserInfo":[{"providerId":"google.com"},{"rawId":"1"}])"),
             lookupReply(R"("localId":")" + QByteArray(129, 'u') + "\""),
             lookupReply(R"("localId":"")"),
             lookupReply(R"("email":"ana@")"),
             lookupReply(R"("email":"<absent>")"),
             lookupReply(R"("displayName":5)"),
         })
        EXPECT_EQ(lookupFailure(reply), GoogleAuthError::invalidIdentity) << reply.constData();

    server.enqueue(TestHttpServer::json(
        200,
        lookupReply(R"("disabled":false,"displayName":"   ","photoUrl":"http://x.example/a")")));
    const auto account =
        test::awaitTask(client.account(QStringLiteral("eyJ.id.sig"), configuration, {}));
    EXPECT_EQ(account.name, std::nullopt);
    EXPECT_EQ(account.pictureURL, std::nullopt);
}

TEST_F(FirebaseAuthClientTest, ErrorRepliesMapToTheirCases) {
    for (const char* message : {"TOKEN_EXPIRED", "USER_DISABLED", "USER_NOT_FOUND",
                                "INVALID_REFRESH_TOKEN", "INVALID_ID_TOKEN"})
        EXPECT_EQ(lookupFailure(
                      R"({"error":{"code":400,"message":")" + QByteArray(message) + "\"}}", 400),
                  GoogleAuthError::sessionExpired)
            << message;
    EXPECT_EQ(lookupFailure(R"({"error":{"message":"TOKEN_EXPIRED : detail"}})", 400),
              GoogleAuthError::server);
    EXPECT_EQ(lookupFailure(R"({"error":{"message":"QUOTA_EXCEEDED"}})", 400),
              GoogleAuthError::server);
    EXPECT_EQ(lookupFailure(R"({"error":"TOKEN_EXPIRED"})", 400), GoogleAuthError::server);
    EXPECT_EQ(lookupFailure("<html>TOKEN_EXPIRED</html>", 400), GoogleAuthError::server);
    EXPECT_EQ(lookupFailure("<html></html>", 401), GoogleAuthError::sessionExpired);
    EXPECT_EQ(lookupFailure(lookupReply(), 500), GoogleAuthError::server);
}
