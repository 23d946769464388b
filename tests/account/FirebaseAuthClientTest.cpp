#include "account/FirebaseAuthClient.h"
#include "account/GoogleURLSessionTransport.h"

#include "AuthFailure.h"
#include "SignInReplies.h"

#include <gtest/gtest.h>

using namespace corvel;
using test::changed;
using test::TestHttpServer;

namespace {

const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000, Qt::UTC);
const QString code = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJ0123-_Z");
const QByteArray bridgeReply = R"({"customToken":"eyJ.custom.sig","user":{"uid":"uid-1"}})";
const QByteArray signInReply =
    R"({"idToken":"eyJ.id.sig","refreshToken":"AMf-refresh","expiresIn":"3600"})";
const QByteArray refreshReply = R"({"id_token":"eyJ.id2","refresh_token":"AMf-2",)"
                                R"("expires_in":"3600","token_type":"Bearer","user_id":"uid-1"})";
const QByteArray user =
    R"({"localId":"uid-1","email":"ana@example.com","emailVerified":true,"displayName":" Ana ",)"
    R"("photoUrl":"https://lh3.example.com/a.png",)"
    R"("providerUserInfo":[{"providerId":"password"},{"providerId":"google.com"}]})";

QByteArray lookup(const QByteArray& users = user) {
    return R"({"users":[)" + users + "]}";
}

class FirebaseAuthClientTest : public ::testing::Test {
protected:
    FirebaseAuthClientTest()
        : client(std::make_shared<GoogleURLSessionTransport>(), [] { return now; },
                 {server.baseUrl(), server.baseUrl()}) {
        configuration.apiKey = QStringLiteral("AIzaSyA-test_key_0123456789");
        configuration.projectID = QStringLiteral("corvel-test");
        configuration.apiBaseURL = QUrl(server.baseUrl().toString() + QStringLiteral("/api/v1"));
    }

    void enqueue(const QList<QByteArray>& replies, int status = 200) {
        for (const QByteArray& reply : replies)
            server.enqueue(TestHttpServer::json(status, reply));
    }
    QCoro::Task<FirebaseStoredSession> exchange(const QList<QByteArray>& replies,
                                                const QString& withCode = code) {
        enqueue(replies);
        return client.exchange(withCode, {configuration, QString(43, u's'), QString(43, u'v')}, {});
    }
    FirebaseStoredSession stored() const {
        return {configuration.projectID,
                {QStringLiteral("eyJ.old"), QStringLiteral("AMf-old"), now},
                {QStringLiteral("uid-1"), QStringLiteral("old@example.com"), {}, {}}};
    }
    QCoro::Task<FirebaseStoredSession> refresh(const QList<QByteArray>& replies) {
        enqueue(replies);
        return client.refresh(stored(), configuration, {});
    }
    QCoro::Task<GoogleAccount> account(const QByteArray& reply, int status = 200) {
        enqueue({reply}, status);
        return client.account(QStringLiteral("eyJ.id.sig"), configuration, {});
    }

    TestHttpServer server;
    FirebaseAuthClient client;
    FirebaseAuthConfiguration configuration;
};

} // namespace

TEST_F(FirebaseAuthClientTest, ExchangeAndRefreshSendExactlyTheirRequests) {
    const auto session = test::awaitTask(exchange({bridgeReply, signInReply, lookup()}));
    EXPECT_EQ(session,
              (FirebaseStoredSession{
                  QStringLiteral("corvel-test"),
                  {QStringLiteral("eyJ.id.sig"), QStringLiteral("AMf-refresh"), now.addSecs(3600)},
                  {QStringLiteral("uid-1"), QStringLiteral("ana@example.com"),
                   QStringLiteral("Ana"), QUrl(QStringLiteral("https://lh3.example.com/a.png"))}}));
    // A refresh takes the account as it is now.
    const auto refreshed = test::awaitTask(
        refresh({refreshReply, lookup(changed(user, R"(email="new@example.com")"))}));
    EXPECT_EQ(refreshed.tokens, (FirebaseTokens{QStringLiteral("eyJ.id2"), QStringLiteral("AMf-2"),
                                                now.addSecs(3600)}));
    EXPECT_EQ(refreshed.account.email, QStringLiteral("new@example.com"));

    const auto& requests = server.requests();
    ASSERT_EQ(requests.size(), 5u);
    const QByteArray key = "?key=AIzaSyA-test_key_0123456789";
    const std::vector<std::pair<QByteArray, QByteArray>> expected = {
        {"/api/v1/auth/exchange", R"({"code":")" + code.toUtf8() + R"(","state":")" +
                                      QByteArray(43, 's') + R"(","verifier":")" +
                                      QByteArray(43, 'v') + R"("})"},
        {"/v1/accounts:signInWithCustomToken" + key,
         R"({"returnSecureToken":true,"token":"eyJ.custom.sig"})"},
        {"/v1/accounts:lookup" + key, R"({"idToken":"eyJ.id.sig"})"},
        {"/v1/token" + key, "grant_type=refresh_token&refresh_token=AMf-old"},
        {"/v1/accounts:lookup" + key, R"({"idToken":"eyJ.id2"})"},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(requests[i].method, "POST");
        EXPECT_EQ(requests[i].path, expected[i].first);
        EXPECT_EQ(requests[i].body, expected[i].second);
        EXPECT_EQ(requests[i].header("Content-Type"),
                  i == 3 ? "application/x-www-form-urlencoded" : "application/json");
        EXPECT_EQ(requests[i].header("Accept"), "application/json");
        EXPECT_EQ(test::sentHeaderNames(requests[i]), test::postHeaderNames);
    }
}

TEST_F(FirebaseAuthClientTest, UnusableInputsFailBeforeAnythingIsSent) {
    // The code rule is the attempt's (FirebaseAuthAttemptTest); one row shows it is applied.
    EXPECT_EQ(test::authFailure(exchange({}, code.left(42))), GoogleAuthError::invalidCallback);
    auto otherProject = stored();
    otherProject.projectID = QStringLiteral("corvel-other");
    auto spaced = stored();
    spaced.tokens.refreshToken = QStringLiteral("AMf old");
    for (const auto& session : {otherProject, spaced})
        EXPECT_EQ(test::authFailure(client.refresh(session, configuration, {})),
                  GoogleAuthError::sessionExpired);
    EXPECT_EQ(test::authFailure(client.account({}, configuration, {})),
              GoogleAuthError::invalidToken);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(FirebaseAuthClientTest, TokenRepliesAreCheckedStrictly) {
    const QByteArray longUid = R"(user={"uid":")" + QByteArray(129, 'u') + "\"}";
    for (const QByteArray& change : {"customToken"_qba, "user"_qba, R"(user={"uid":7})"_qba,
                                     R"(customToken="a b")"_qba, longUid})
        EXPECT_EQ(test::authFailure(exchange({changed(bridgeReply, change)})),
                  GoogleAuthError::invalidToken)
            << change.data();

    const auto lifetime = [](const char* s) {
        return changed(signInReply, "expiresIn=\"" + QByteArray(s) + '"');
    };
    for (const char* seconds : {"86400", "1e3"})
        EXPECT_NO_THROW(test::awaitTask(exchange({bridgeReply, lifetime(seconds), lookup()})));
    EXPECT_EQ(test::awaitTask(exchange({bridgeReply, lifetime("0.5"), lookup()})).tokens.expiresAt,
              now.addMSecs(500));
    for (const char* seconds : {"86401", "0", "-5", "inf", "nan", "1h", " 3600", "3600 ", ""})
        EXPECT_EQ(test::authFailure(exchange({bridgeReply, lifetime(seconds)})),
                  GoogleAuthError::invalidToken)
            << '"' << seconds << '"';
    for (const char* change :
         {"expiresIn=3600", "refreshToken", R"(idToken="")", R"(refreshToken="r\u00e9")"})
        EXPECT_EQ(test::authFailure(exchange({bridgeReply, changed(signInReply, change)})),
                  GoogleAuthError::invalidToken)
            << change;

    for (const char* change : {R"(token_type="mac")", "token_type", "expires_in=3600",
                               R"(id_token="a b")", R"(refresh_token="")"})
        EXPECT_EQ(test::authFailure(refresh({changed(refreshReply, change)})),
                  GoogleAuthError::invalidToken)
            << change;
    EXPECT_EQ(test::authFailure(refresh({changed(refreshReply, R"(user_id="uid-2")")})),
              GoogleAuthError::identityChanged);
    EXPECT_NO_THROW(
        test::awaitTask(refresh({changed(refreshReply, R"(token_type="BEARER")"), lookup()})));

    // The looked-up user must be the one the bridge signed in, or the session's.
    const QByteArray other = lookup(changed(user, R"(localId="uid-2")"));
    EXPECT_EQ(test::authFailure(exchange({bridgeReply, signInReply, other})),
              GoogleAuthError::identityChanged);
    EXPECT_EQ(test::authFailure(refresh({refreshReply, other})), GoogleAuthError::identityChanged);
}

TEST_F(FirebaseAuthClientTest, LookupRepliesAreCheckedStrictly) {
    QList<QByteArray> replies = {lookup(""), lookup(user + "," + user), R"({"users":{}})"};
    for (const QByteArray& change :
         {"emailVerified=false"_qba, R"(emailVerified="true")"_qba, "disabled=true"_qba,
          R"(disabled="false")"_qba, "providerUserInfo"_qba,
          R"(providerUserInfo=[{"providerId":"password"}])"_qba,
          R"(providerUserInfo=[{"providerId":"google.com"},{}])"_qba,
          "localId=\"" + QByteArray(129, 'u') + '"', R"(email="ana@")"_qba, "email"_qba,
          "displayName=5"_qba})
        replies.append(lookup(changed(user, change)));
    for (const QByteArray& reply : replies)
        EXPECT_EQ(test::authFailure(account(reply)), GoogleAuthError::invalidIdentity)
            << reply.data();

    const auto plain = test::awaitTask(
        account(lookup(changed(changed(changed(user, "disabled=false"), R"(displayName="   ")"),
                               R"(photoUrl="http://x.example/a")"))));
    EXPECT_EQ(plain.name, std::nullopt);
    EXPECT_EQ(plain.pictureURL, std::nullopt);
}

TEST_F(FirebaseAuthClientTest, ErrorRepliesMapToTheirCases) {
    for (const char* message : {"TOKEN_EXPIRED", "USER_DISABLED", "USER_NOT_FOUND",
                                "INVALID_REFRESH_TOKEN", "INVALID_ID_TOKEN"})
        EXPECT_EQ(test::authFailure(account(
                      R"({"error":{"code":400,"message":")" + QByteArray(message) + "\"}}", 400)),
                  GoogleAuthError::sessionExpired)
            << message;
    for (const QByteArray& body :
         {QByteArray(R"({"error":{"message":"TOKEN_EXPIRED : x"}})"),
          QByteArray(R"({"error":{"message":"QUOTA_EXCEEDED"}})"),
          QByteArray(R"({"error":"TOKEN_EXPIRED"})"), QByteArray("<html>TOKEN_EXPIRED</html>")})
        EXPECT_EQ(test::authFailure(account(body, 400)), GoogleAuthError::server) << body.data();
    EXPECT_EQ(test::authFailure(account("<html></html>", 401)), GoogleAuthError::sessionExpired);
    EXPECT_EQ(test::authFailure(account(lookup(), 500)), GoogleAuthError::server);
}
