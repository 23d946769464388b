#include "account/GoogleURLSessionTransport.h"
#include "account/GoogleOAuthClient.h"
#include "platform/NetworkError.h"
#include "support/TestHttpServer.h"

#include "AuthFailure.h"

#include <QTimer>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;

namespace {

const GoogleTokens tokens{QStringLiteral("ya29.A"), QStringLiteral("1//R"), QDateTime()};
constexpr qsizetype limit = GoogleAuthTransport::kMaximumBodyBytes;

// Revocation ignores the reply body, so it shows the transport's own outcome. Both sign-in
// clients send through the same checked request, so one client stands for both.
GoogleOAuthClient clientAt(const QUrl& url, std::shared_ptr<GoogleAuthTransport> transport) {
    return GoogleOAuthClient(std::move(transport), &QDateTime::currentDateTimeUtc, {url, url, url});
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

// Transport failures (stalls, drips, cookies, huge bodies) are the HTTP layer's; this is the
// table from what a transport reports to the sign-in error case.
TEST(GoogleURLSessionTransport, TransportOutcomesMapToSignInCases) {
    auto scripted = std::make_shared<ScriptedTransport>();
    auto client = clientAt(QUrl(QStringLiteral("https://oauth2.example/revoke")), scripted);
    using Answer = std::function<GoogleAuthTransport::Reply(const HttpRequest&)>;
    const auto reply = [](QByteArray body, QString path = {}) -> Answer {
        return [=](const HttpRequest& request) {
            return GoogleAuthTransport::Reply{
                200, path.isEmpty() ? request.url : request.url.resolved(QUrl(path)), body};
        };
    };
    const auto fail = [](auto error) -> Answer {
        return [=](const HttpRequest&) -> GoogleAuthTransport::Reply { throw error; };
    };
    const std::vector<std::tuple<const char*, Answer, std::optional<GoogleAuthError::Case>>> table =
        {
            {"body at the limit", reply(QByteArray(limit, ' ')), std::nullopt},
            {"body past the limit", reply(QByteArray(limit + 1, ' ')), GoogleAuthError::server},
            {"another URL answered", reply("{}", QStringLiteral("/x")), GoogleAuthError::server},
            {"timed out", fail(NetworkError(NetworkError::Kind::timedOut, {})),
             GoogleAuthError::connection},
            {"connection lost", fail(NetworkError(NetworkError::Kind::connectionLost, {})),
             GoogleAuthError::connection},
            {"anything else", fail(std::runtime_error("refused")), GoogleAuthError::connection},
            {"not HTTP", fail(GoogleAuthError(GoogleAuthError::server)), GoogleAuthError::server},
            {"cancelled", fail(CancellationError()), GoogleAuthError::cancelled},
        };
    for (const auto& [name, answer, expected] : table) {
        scripted->answer = answer;
        if (expected)
            EXPECT_EQ(test::authFailure(client.revoke(tokens, {})), *expected) << name;
        else
            EXPECT_NO_THROW(test::awaitTask(client.revoke(tokens, {}))) << name;
    }
}

// The real transport: redirects come back unfollowed, a huge body is read one byte past the
// limit and no further, and cancelling is a cancellation, never a connection failure.
TEST(GoogleURLSessionTransport, RefusesRedirectsAndReadsNoFurtherThanTheLimit) {
    TestHttpServer server;
    const QUrl url(server.baseUrl().toString() + QStringLiteral("/revoke"));
    auto transport = std::make_shared<GoogleURLSessionTransport>();
    auto client = clientAt(url, transport);

    server.enqueue(TestHttpServer::redirect(307, url.toString().toUtf8()));
    EXPECT_EQ(test::authFailure(client.revoke(tokens, {})), GoogleAuthError::server);
    EXPECT_EQ(server.requests().size(), 1u);

    server.enqueue({.fillBytes = 64 * 1024 * 1024});
    HttpRequest request;
    request.url = url;
    EXPECT_EQ(test::awaitTask(transport->send(request, {})).body.size(), limit + 1);
    EXPECT_LT(server.bytesSent(), limit + 16 * 1024 * 1024);

    server.enqueue({.end = TestHttpServer::End::stallBeforeHeaders});
    CancelSource late;
    QTimer::singleShot(50, [&late] { late.cancel(); });
    EXPECT_EQ(test::authFailure(client.revoke(tokens, late.token())), GoogleAuthError::cancelled);
    EXPECT_EQ(server.requests().size(), 3u);
}
