#include "account/GoogleURLSessionTransport.h"
#include "account/GoogleOAuthClient.h"
#include "support/TestHttpServer.h"

#include "AuthFailure.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;
using namespace std::chrono_literals;

namespace {

const GoogleTokens tokens{QStringLiteral("ya29.A"), QStringLiteral("1//R"), QDateTime()};

HttpSession::Options timeouts(std::chrono::milliseconds idle, std::chrono::milliseconds whole) {
    auto options = GoogleURLSessionTransport::defaultOptions();
    options.requestTimeout = idle;
    options.resourceTimeout = whole;
    return options;
}

// Revocation ignores the reply body, so it shows the transport's own outcome.
GoogleOAuthClient clientAt(const TestHttpServer& server,
                           std::shared_ptr<GoogleAuthTransport> transport) {
    const QUrl url(server.baseUrl().toString() + QStringLiteral("/revoke"));
    return GoogleOAuthClient(std::move(transport), &QDateTime::currentDateTimeUtc, {url, url, url});
}

GoogleAuthError::Case revokeFailure(GoogleOAuthClient& client, CancelToken token = {}) {
    return test::authFailure(client.revoke(tokens, token));
}

// Answers every request as the test says.
class ScriptedTransport final : public GoogleAuthTransport {
public:
    std::function<Reply(const HttpRequest&)> answer;
    QCoro::Task<Reply> send(HttpRequest request, CancelToken) override {
        co_return answer(request);
    }
};

} // namespace

TEST(GoogleURLSessionTransport, RedirectsComeBackUnfollowedAndCookiesAreNeverSentBack) {
    TestHttpServer server;
    auto first = TestHttpServer::json(200, "{}");
    first.headers.emplace_back("Set-Cookie", "sid=1; Path=/");
    server.enqueue(first);
    TestHttpServer::Response redirect;
    redirect.status = 307;
    redirect.headers = {{"Location", server.baseUrl().toString().toUtf8() + "/revoke"}};
    redirect.chunked = false;
    server.enqueue(redirect);
    server.enqueue(redirect);

    GoogleURLSessionTransport transport;
    HttpRequest request;
    request.url = QUrl(server.baseUrl().toString() + QStringLiteral("/revoke"));
    EXPECT_EQ(test::awaitTask(transport.send(request, {})).status, 200);
    const auto reply = test::awaitTask(transport.send(request, {}));
    EXPECT_EQ(reply.status, 307);
    EXPECT_EQ(reply.url, request.url);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_TRUE(server.requests()[1].header("Cookie").isEmpty());

    auto client = clientAt(server, std::make_shared<GoogleURLSessionTransport>());
    EXPECT_EQ(revokeFailure(client), GoogleAuthError::server);
    EXPECT_EQ(server.requests().size(), 3u);
}

TEST(GoogleURLSessionTransport, StallsAndDripsTimeOutAsConnectionFailures) {
    TestHttpServer server;
    auto idle = clientAt(server, std::make_shared<GoogleURLSessionTransport>(timeouts(150ms, 10s)));

    TestHttpServer::Response silent;
    silent.end = TestHttpServer::End::stallBeforeHeaders;
    server.enqueue(silent);
    EXPECT_EQ(revokeFailure(idle), GoogleAuthError::connection);

    TestHttpServer::Response stalled;
    stalled.chunks = {"{"};
    stalled.end = TestHttpServer::End::stall;
    server.enqueue(stalled);
    EXPECT_EQ(revokeFailure(idle), GoogleAuthError::connection);

    // Never idle long enough for the first timer, but too long in all.
    auto whole = clientAt(server, std::make_shared<GoogleURLSessionTransport>(timeouts(5s, 300ms)));
    TestHttpServer::Response drip;
    drip.chunks = QList<QByteArray>(200, " ");
    drip.chunkDelayMs = 20;
    server.enqueue(drip);
    EXPECT_EQ(revokeFailure(whole), GoogleAuthError::connection);
}

TEST(GoogleURLSessionTransport, ABodyBeyondOneMebibyteIsRefusedWithoutReadingIt) {
    TestHttpServer server;
    auto transport = std::make_shared<GoogleURLSessionTransport>();
    auto client = clientAt(server, transport);
    constexpr qsizetype limit = GoogleAuthTransport::kMaximumBodyBytes;

    server.enqueue(TestHttpServer::json(200, QByteArray(limit, ' ')));
    EXPECT_NO_THROW(test::awaitTask(client.revoke(tokens, {})));
    server.enqueue(TestHttpServer::json(200, QByteArray(limit + 1, ' ')));
    EXPECT_EQ(revokeFailure(client), GoogleAuthError::server);

    TestHttpServer::Response huge;
    huge.fillBytes = 64 * 1024 * 1024;
    server.enqueue(huge);
    HttpRequest request;
    request.url = QUrl(server.baseUrl().toString() + QStringLiteral("/revoke"));
    EXPECT_EQ(test::awaitTask(transport->send(request, {})).body.size(), limit + 1);
    server.enqueue(huge);
    EXPECT_EQ(revokeFailure(client), GoogleAuthError::server);
    // Two huge bodies were offered; only socket buffers beyond each mebibyte ever left.
    EXPECT_LT(server.bytesSent(), 3 * limit + 16 * 1024 * 1024);
}

TEST(GoogleURLSessionTransport, CancellingIsCancelledNeverAConnectionFailure) {
    TestHttpServer server;
    auto client = clientAt(server, std::make_shared<GoogleURLSessionTransport>());
    CancelSource early;
    early.cancel();
    EXPECT_EQ(revokeFailure(client, early.token()), GoogleAuthError::cancelled);
    EXPECT_TRUE(server.requests().empty());

    TestHttpServer::Response stalled;
    stalled.end = TestHttpServer::End::stallBeforeHeaders;
    server.enqueue(stalled);
    CancelSource late;
    QTimer::singleShot(50, [&late] { late.cancel(); });
    EXPECT_EQ(revokeFailure(client, late.token()), GoogleAuthError::cancelled);
}

TEST(GoogleURLSessionTransport, OtherTransportsAreJudgedTheSameWay) {
    TestHttpServer server;
    auto transport = std::make_shared<ScriptedTransport>();
    auto client = clientAt(server, transport);
    transport->answer = [](const HttpRequest& request) {
        return GoogleAuthTransport::Reply{200, request.url.resolved(QUrl(QStringLiteral("/x"))),
                                          "{}"};
    };
    EXPECT_EQ(revokeFailure(client), GoogleAuthError::server);
    transport->answer = [](const HttpRequest&) -> GoogleAuthTransport::Reply {
        throw std::runtime_error("refused");
    };
    EXPECT_EQ(revokeFailure(client), GoogleAuthError::connection);
}
