#include "account/GoogleOAuthClient.h"
#include "account/GoogleURLSessionTransport.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include "AuthFailure.h"
#include "SentHeaders.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;

namespace {

const QString clientID = QStringLiteral("123456789012-abc.apps.googleusercontent.com");
const QString scheme = QStringLiteral("com.googleusercontent.apps.123456789012-abc");
const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
const QByteArray tokenReply =
    R"({"access_token":"ya29.A","refresh_token":"1//R","expires_in":3599,"token_type":"Bearer",)"
    R"("scope":"openid https://www.googleapis.com/auth/userinfo.email profile"})";
const QByteArray userReply =
    R"({"sub":"1061","email":"Ana@Example.com","email_verified":true,"name":"  Ana B  ",)"
    R"("picture":"https://lh3.example.com/a.png"})";

class GoogleOAuthClientTest : public ::testing::Test {
protected:
    GoogleOAuthClientTest()
        : client(std::make_shared<GoogleURLSessionTransport>(), [] { return now; },
                 {url("/token"), url("/revoke"), url("/v1/userinfo")}) {}

    QUrl url(const char* path) const {
        return QUrl(server.baseUrl().toString() + QLatin1String(path));
    }

    GoogleOAuthAttempt attempt() const {
        return GoogleOAuthAttempt::create(GoogleOAuthConfiguration::create(clientID, {scheme}),
                                          QString(43, QLatin1Char('s')),
                                          QStringLiteral("v-._~") + QString(38, QLatin1Char('v')));
    }
    GoogleTokens exchange(const QByteArray& reply, int status = 200) {
        server.enqueue(TestHttpServer::json(status, reply));
        return test::awaitTask(client.exchange(QStringLiteral("4/0A+b"), attempt(), {}));
    }
    GoogleTokens refresh(const QByteArray& reply, int status = 200) {
        server.enqueue(TestHttpServer::json(status, reply));
        return test::awaitTask(
            client.refresh({QStringLiteral("old-access"), QStringLiteral("1//old"), now},
                           GoogleOAuthConfiguration{clientID, scheme}, {}));
    }
    GoogleAccount account(const QByteArray& reply) {
        server.enqueue(TestHttpServer::json(200, reply));
        return test::awaitTask(client.account(QStringLiteral("ya29.A"), {}));
    }
    GoogleAuthError::Case exchangeFailure(const QByteArray& reply, int status = 200) {
        return test::authFailure([&] { exchange(reply, status); });
    }
    GoogleAuthError::Case accountFailure(const QByteArray& reply) {
        return test::authFailure([&] { account(reply); });
    }

    TestHttpServer server;
    GoogleOAuthClient client;
};

// The token reply with one member replaced (or removed, with an empty value).
QByteArray tokenReplyWith(const char* member, const char* value) {
    QJsonObject reply = QJsonDocument::fromJson(tokenReply).object();
    if (*value)
        reply.insert(QLatin1String(member),
                     QJsonDocument::fromJson(QByteArray("[") + value + "]").array().first());
    else
        reply.remove(QLatin1String(member));
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

} // namespace

TEST_F(GoogleOAuthClientTest, RequestsAreExact) {
    const auto tokens = exchange(tokenReply);
    refresh(R"({"access_token":"ya29.B","expires_in":3599,"token_type":"Bearer"})");
    account(userReply);
    server.enqueue(TestHttpServer::json(200, ""));
    test::awaitTask(client.revoke(tokens, {}));

    const auto& requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
    const QByteArray form = "application/x-www-form-urlencoded";
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].path, "/token");
    EXPECT_EQ(requests[0].body,
              "client_id=123456789012-abc.apps.googleusercontent.com&code=4%2F0A%2Bb"
              "&code_verifier=v-._~" +
                  QByteArray(38, 'v') +
                  "&redirect_uri=com.googleusercontent.apps.123456789012-abc%3A%2Foauth2redirect"
                  "&grant_type=authorization_code");
    EXPECT_EQ(requests[1].path, "/token");
    EXPECT_EQ(requests[1].body, "client_id=123456789012-abc.apps.googleusercontent.com"
                                "&refresh_token=1%2F%2Fold&grant_type=refresh_token");
    EXPECT_EQ(requests[2].method, "GET");
    EXPECT_EQ(requests[2].path, "/v1/userinfo");
    EXPECT_EQ(requests[2].header("Authorization"), "Bearer ya29.A");
    EXPECT_TRUE(requests[2].body.isEmpty());
    EXPECT_EQ(requests[3].path, "/revoke");
    EXPECT_EQ(requests[3].body, "token=1%2F%2FR");
    // Nothing else goes out: no cookie, and credentials only where they belong.
    for (const auto& request : requests) {
        EXPECT_EQ(request.header("Accept"), "application/json");
        if (request.method == "POST") {
            EXPECT_EQ(request.header("Content-Type"), form);
            EXPECT_EQ(test::sentHeaderNames(request), test::postHeaderNames());
        }
    }
    // A GET also asks any cache on the way not to answer it.
    EXPECT_EQ(test::sentHeaderNames(requests[2]),
              (QByteArrayList{"accept", "accept-encoding", "accept-language", "authorization",
                              "cache-control", "connection", "host", "pragma", "user-agent"}));
}

TEST_F(GoogleOAuthClientTest, UnusableInputsFailBeforeAnythingIsSent) {
    EXPECT_EQ(test::authFailure([&] {
                  test::awaitTask(client.exchange(QStringLiteral("4/0 Ab"), attempt(), {}));
              }),
              GoogleAuthError::invalidCallback);
    EXPECT_EQ(test::authFailure([&] {
                  test::awaitTask(client.refresh({QStringLiteral("a"), QString(), now},
                                                 GoogleOAuthConfiguration{clientID, scheme}, {}));
              }),
              GoogleAuthError::sessionExpired);
    EXPECT_EQ(test::authFailure([&] { test::awaitTask(client.account(QStringLiteral("é"), {})); }),
              GoogleAuthError::invalidToken);
    EXPECT_EQ(test::authFailure([&] {
                  test::awaitTask(client.revoke({QString(), QStringLiteral("a b"), now}, {}));
              }),
              GoogleAuthError::invalidToken);
    EXPECT_TRUE(server.requests().empty());

    // An unusable refresh token leaves the access token to revoke.
    server.enqueue(TestHttpServer::json(200, "{}"));
    test::awaitTask(client.revoke({QStringLiteral("ya29.A"), QStringLiteral("a b"), now}, {}));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].body, "token=ya29.A");
}

TEST_F(GoogleOAuthClientTest, TokenRepliesAreCheckedStrictly) {
    const auto tokens = exchange(tokenReply);
    EXPECT_EQ(tokens,
              (GoogleTokens{QStringLiteral("ya29.A"), QStringLiteral("1//R"), now.addSecs(3599)}));
    EXPECT_EQ(exchange(tokenReplyWith("expires_in", "3599.5")).expiresAt, now.addMSecs(3'599'500));
    EXPECT_EQ(exchange(tokenReplyWith("expires_in", "31536000")).expiresAt,
              now.addSecs(31'536'000));
    EXPECT_NO_THROW(exchange(tokenReplyWith("token_type", R"("bEaReR")")));
    EXPECT_NO_THROW(exchange(tokenReplyWith("scope", "")));
    EXPECT_NO_THROW(exchange(tokenReplyWith("scope", R"("  email openid  profile ")")));

    const std::vector<std::pair<const char*, const char*>> refused = {
        {"access_token", ""},
        {"access_token", "42"},
        {"access_token", R"("ya29 A")"},
        {"access_token", R"("")"},
        {"expires_in", ""},
        {"expires_in", "0"},
        {"expires_in", "-1"},
        {"expires_in", "31536001"},
        {"expires_in", R"("3600")"},
        {"token_type", ""},
        {"token_type", R"("mac")"},
        {"refresh_token", ""}, // an exchange must bring one
        {"refresh_token", "null"},
        {"refresh_token", R"("1//R\n")"},
        {"scope", R"("openid email")"},
        {"scope", R"("email profile")"},
        {"scope", R"("openid https://www.googleapis.com/auth/userinfo.email")"},
        {"scope", "7"},
    };
    for (const auto& [member, value] : refused)
        EXPECT_EQ(exchangeFailure(tokenReplyWith(member, value)), GoogleAuthError::invalidToken)
            << member << " = " << value;
    EXPECT_EQ(exchangeFailure("[]"), GoogleAuthError::invalidToken);
    EXPECT_EQ(exchangeFailure("not json"), GoogleAuthError::invalidToken);

    // A refresh that brings no new refresh token keeps the old one.
    const auto refreshed = refresh(tokenReplyWith("refresh_token", ""));
    EXPECT_EQ(refreshed.refreshToken, QStringLiteral("1//old"));
    EXPECT_EQ(refreshed.accessToken, QStringLiteral("ya29.A"));
    EXPECT_EQ(refresh(tokenReply).refreshToken, QStringLiteral("1//R"));
}

TEST_F(GoogleOAuthClientTest, ErrorRepliesMapToTheirCases) {
    EXPECT_EQ(exchangeFailure(R"({"error":"invalid_grant"})", 400),
              GoogleAuthError::sessionExpired);
    EXPECT_EQ(exchangeFailure(R"({"error":"invalid_client"})", 400), GoogleAuthError::server);
    EXPECT_EQ(exchangeFailure(R"({"error":{"message":"invalid_grant"}})", 400),
              GoogleAuthError::server);
    EXPECT_EQ(exchangeFailure("<html>invalid_grant</html>", 400), GoogleAuthError::server);
    EXPECT_EQ(exchangeFailure("<html></html>", 401), GoogleAuthError::sessionExpired);
    EXPECT_EQ(exchangeFailure(tokenReply, 500), GoogleAuthError::server);
}

TEST_F(GoogleOAuthClientTest, UserInformationIsCheckedStrictly) {
    const auto ana = account(userReply);
    EXPECT_EQ(ana.subject, QStringLiteral("1061"));
    EXPECT_EQ(ana.email, QStringLiteral("Ana@Example.com"));
    EXPECT_EQ(ana.name, QStringLiteral("Ana B"));
    EXPECT_EQ(ana.pictureURL, QUrl(QStringLiteral("https://lh3.example.com/a.png")));

    // A bad name or picture costs only that field.
    const auto plain = account(R"({"sub":"1061","email":"a@b","email_verified":true,"name":" ",)"
                               R"("picture":"http://lh3.example.com/a.png"})");
    EXPECT_EQ(plain.name, std::nullopt);
    EXPECT_EQ(plain.pictureURL, std::nullopt);

    const QByteArray longSubject = "\"" + QByteArray(256, '1') + "\"";
    for (const QByteArray& reply : {
             QByteArray(R"({"sub":"1061","email":"a@b","email_verified":false})"),
             QByteArray(R"({"sub":"1061","email":"a@b","email_verified":"true"})"),
             QByteArray(R"({"sub":"1061","email":"a@b"})"),
             QByteArray(R"({"sub":1061,"email":"a@b","email_verified":true})"),
             QByteArray(R"({"sub":"10 61","email":"a@b","email_verified":true})"),
             QByteArray(R"({"sub":)") + longSubject + R"(,"email":"a@b","email_verified":true})",
             QByteArray(R"({"sub":"1061","email":"a@@b","email_verified":true})"),
             QByteArray(R"({"sub":"1061","email":" a@b","email_verified":true})"),
             QByteArray(R"({"sub":"1061","email_verified":true})"),
             QByteArray(R"({"sub":"1061","email":"a@b","email_verified":true,"name":3})"),
         })
        EXPECT_EQ(accountFailure(reply), GoogleAuthError::invalidIdentity) << reply.constData();
    EXPECT_NO_THROW(account(R"({"sub":")" + QByteArray(255, '1') +
                            R"(","email":"a@b","email_verified":true})"));
}
