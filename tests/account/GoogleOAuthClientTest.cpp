#include "account/GoogleOAuthClient.h"
#include "account/GoogleURLSessionTransport.h"

#include "AuthFailure.h"
#include "SignInReplies.h"

#include <gtest/gtest.h>

using namespace corvel;
using test::changed;
using test::TestHttpServer;

namespace {

const QString clientID = QStringLiteral("123456789012-abc.apps.googleusercontent.com");
const GoogleOAuthConfiguration configuration{
    clientID, QStringLiteral("com.googleusercontent.apps.123456789012-abc")};
const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
const QByteArray tokenReply =
    R"({"access_token":"ya29.A","refresh_token":"1//R","expires_in":3599,"token_type":"Bearer",)"
    R"("scope":"openid https://www.googleapis.com/auth/userinfo.email profile"})";
const QByteArray userReply = R"({"sub":"1061","email":"Ana@Example.com","email_verified":true,)"
                             R"("name":"  Ana B  ","picture":"https://lh3.example.com/a.png"})";

class GoogleOAuthClientTest : public ::testing::Test {
protected:
    GoogleOAuthClientTest()
        : client(std::make_shared<GoogleURLSessionTransport>(), [] { return now; },
                 {url("/token"), url("/revoke"), url("/v1/userinfo")}) {}

    QUrl url(const char* path) const {
        return QUrl(server.baseUrl().toString() + QLatin1String(path));
    }
    QCoro::Task<GoogleTokens> exchange(const QByteArray& reply, int status = 200) {
        server.enqueue(TestHttpServer::json(status, reply));
        const auto attempt = GoogleOAuthAttempt::create(
            configuration, QString(43, u's'), QStringLiteral("v-._~") + QString(38, u'v'));
        return client.exchange(QStringLiteral("4/0A+b"), attempt, {});
    }
    QCoro::Task<GoogleTokens> refresh(const QByteArray& reply) {
        server.enqueue(TestHttpServer::json(200, reply));
        return client.refresh({QStringLiteral("old"), QStringLiteral("1//old"), now}, configuration,
                              {});
    }
    QCoro::Task<GoogleAccount> account(const QByteArray& reply) {
        server.enqueue(TestHttpServer::json(200, reply));
        return client.account(QStringLiteral("ya29.A"), {});
    }

    TestHttpServer server;
    GoogleOAuthClient client;
};

} // namespace

TEST_F(GoogleOAuthClientTest, RequestsAreExact) {
    const auto tokens = test::awaitTask(exchange(tokenReply));
    test::awaitTask(refresh(tokenReply));
    test::awaitTask(account(userReply));
    server.enqueue(TestHttpServer::json(200, ""));
    test::awaitTask(client.revoke(tokens, {}));

    const auto& requests = server.requests();
    ASSERT_EQ(requests.size(), 4u);
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
    EXPECT_EQ(requests[3].path, "/revoke");
    EXPECT_EQ(requests[3].body, "token=1%2F%2FR");
    for (const auto* post : {&requests[0], &requests[1], &requests[3]}) {
        EXPECT_EQ(post->method, "POST");
        EXPECT_EQ(post->header("Content-Type"), "application/x-www-form-urlencoded");
        EXPECT_EQ(post->header("Accept"), "application/json");
        EXPECT_EQ(test::sentHeaderNames(*post), test::postHeaderNames);
    }
    // A GET also asks any cache on the way not to answer it.
    EXPECT_EQ(test::sentHeaderNames(requests[2]),
              (QByteArrayList{"accept", "accept-encoding", "accept-language", "authorization",
                              "cache-control", "connection", "host", "pragma", "user-agent"}));
}

TEST_F(GoogleOAuthClientTest, UnusableInputsFailBeforeAnythingIsSent) {
    const auto attempt = GoogleOAuthAttempt::create(configuration);
    EXPECT_EQ(test::authFailure(client.exchange(QStringLiteral("4/0 A"), attempt, {})),
              GoogleAuthError::invalidCallback);
    EXPECT_EQ(test::authFailure(client.refresh({QStringLiteral("a"), {}, now}, configuration, {})),
              GoogleAuthError::sessionExpired);
    EXPECT_EQ(test::authFailure(client.account(QStringLiteral("é"), {})),
              GoogleAuthError::invalidToken);
    EXPECT_EQ(test::authFailure(client.revoke({{}, QStringLiteral("a b"), now}, {})),
              GoogleAuthError::invalidToken);
    EXPECT_TRUE(server.requests().empty());

    // An unusable refresh token leaves the access token to revoke.
    server.enqueue(TestHttpServer::json(200, "{}"));
    test::awaitTask(client.revoke({QStringLiteral("ya29.A"), QStringLiteral("a b"), now}, {}));
    EXPECT_EQ(server.requests().at(0).body, "token=ya29.A");
}

TEST_F(GoogleOAuthClientTest, TokenRepliesAreCheckedStrictly) {
    EXPECT_EQ(test::awaitTask(exchange(tokenReply)),
              (GoogleTokens{QStringLiteral("ya29.A"), QStringLiteral("1//R"), now.addSecs(3599)}));
    EXPECT_EQ(test::awaitTask(exchange(changed(tokenReply, "expires_in=3599.5"))).expiresAt,
              now.addMSecs(3'599'500));
    for (const char* change : {"expires_in=31536000", R"(token_type="bEaReR")", "scope",
                               R"(scope="  email openid  profile ")"})
        EXPECT_NO_THROW(test::awaitTask(exchange(changed(tokenReply, change)))) << change;

    // An exchange must bring a refresh token.
    for (const char* change : {"access_token", "access_token=42", R"(access_token="ya29 A")",
                               "expires_in", "expires_in=0", "expires_in=-1", "expires_in=31536001",
                               R"(expires_in="3600")", "token_type", R"(token_type="mac")",
                               "refresh_token", "refresh_token=null", R"(refresh_token="1//R\n")",
                               R"(scope="openid email")", R"(scope="email profile")", "scope=7"})
        EXPECT_EQ(test::authFailure(exchange(changed(tokenReply, change))),
                  GoogleAuthError::invalidToken)
            << change;
    EXPECT_EQ(test::authFailure(exchange("[]")), GoogleAuthError::invalidToken);

    // A refresh that brings no new refresh token keeps the old one.
    EXPECT_EQ(test::awaitTask(refresh(changed(tokenReply, "refresh_token"))).refreshToken,
              QStringLiteral("1//old"));
    EXPECT_EQ(test::awaitTask(refresh(tokenReply)).refreshToken, QStringLiteral("1//R"));
}

TEST_F(GoogleOAuthClientTest, ErrorRepliesMapToTheirCases) {
    const std::vector<std::tuple<int, QByteArray, GoogleAuthError::Case>> cases = {
        {400, R"({"error":"invalid_grant"})", GoogleAuthError::sessionExpired},
        {400, R"({"error":"invalid_client"})", GoogleAuthError::server},
        {400, R"({"error":{"message":"invalid_grant"}})", GoogleAuthError::server},
        {400, "<html>invalid_grant</html>", GoogleAuthError::server},
        {401, "<html></html>", GoogleAuthError::sessionExpired},
        {500, tokenReply, GoogleAuthError::server},
    };
    for (const auto& [status, body, expected] : cases)
        EXPECT_EQ(test::authFailure(exchange(body, status)), expected) << status << body.data();
}

TEST_F(GoogleOAuthClientTest, UserInformationIsCheckedStrictly) {
    const auto ana = test::awaitTask(account(userReply));
    EXPECT_EQ(ana, (GoogleAccount{QStringLiteral("1061"), QStringLiteral("Ana@Example.com"),
                                  QStringLiteral("Ana B"),
                                  QUrl(QStringLiteral("https://lh3.example.com/a.png"))}));
    // A bad name or picture costs only that field.
    const auto plain = test::awaitTask(account(
        changed(changed(userReply, R"(name=" ")"), R"(picture="http://lh3.example.com/a")")));
    EXPECT_EQ(plain.name, std::nullopt);
    EXPECT_EQ(plain.pictureURL, std::nullopt);

    for (const char* change : {"email_verified=false", R"(email_verified="true")", "email_verified",
                               "sub=1061", R"(sub="10 61")", R"(email="a@@b")", "email", "name=3"})
        EXPECT_EQ(test::authFailure(account(changed(userReply, change))),
                  GoogleAuthError::invalidIdentity)
            << change;
}
