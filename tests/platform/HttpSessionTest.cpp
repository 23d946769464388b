#include "platform/HttpSession.h"
#include "platform/NetworkError.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include <QCoreApplication>
#include <QCoroTask>
#include <QCoroTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTimer>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;
using namespace std::chrono_literals;

namespace {

HttpRequest post(const QUrl& url, const QByteArray& body) {
    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "application/json"}, {"Authorization", "Bearer k"}};
    request.body = body;
    return request;
}

// Sends and reads the whole body (bounded), the way the clients do.
QCoro::Task<std::pair<int, QByteArray>> fetch(HttpSession& session, HttpRequest request,
                                              CancelToken token = {}) {
    auto reply = co_await session.send(std::move(request), token);
    const QByteArray body = co_await reply->readPrefix(1 << 20, token);
    co_return std::make_pair(reply->status(), body);
}

HttpSession::Options options(std::chrono::milliseconds idle, std::chrono::milliseconds whole) {
    HttpSession::Options options;
    options.requestTimeout = idle;
    options.resourceTimeout = whole;
    return options;
}

NetworkError::Kind failureKind(HttpSession& session, HttpRequest request) {
    try {
        test::awaitTask(fetch(session, std::move(request)));
    } catch (const NetworkError& error) {
        return error.kind();
    }
    ADD_FAILURE() << "the request did not fail";
    return NetworkError::Kind::failed;
}

} // namespace

TEST(HttpSession, SendsExactlyTheRequestAndKeepsNoCookiesNorFollowsRedirects) {
    TestHttpServer server;
    auto first = TestHttpServer::json(200, "{}");
    first.headers.emplace_back("Set-Cookie", "track=1; Path=/");
    server.enqueue(first);
    server.enqueue(TestHttpServer::redirect(302, server.baseUrl().toString().toUtf8() + "/x"));

    HttpSession session({});
    const QUrl url(server.baseUrl().toString() + QStringLiteral("/v1/x?a=b"));
    const auto [status, body] = test::awaitTask(fetch(session, post(url, R"({"a":1})")));
    EXPECT_EQ(status, 200);
    EXPECT_EQ(body, "{}");
    const auto [redirectStatus, ignored] = test::awaitTask(fetch(session, post(url, "{}")));
    EXPECT_EQ(redirectStatus, 302);

    ASSERT_EQ(server.requests().size(), 2u);
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/v1/x?a=b");
    EXPECT_EQ(request.body, R"({"a":1})");
    EXPECT_EQ(request.header("Authorization"), "Bearer k");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("Content-Length"), "7");
    EXPECT_EQ(request.header("Accept-Encoding"), "identity");
    EXPECT_TRUE(server.requests()[1].header("Cookie").isEmpty());
}

TEST(HttpSession, SameOriginRedirectsAreFollowedBeforeTheStatusIsRead) {
    TestHttpServer server;
    TestHttpServer other;
    HttpSession::Options following;
    following.redirects = HttpSession::Redirects::sameOrigin;
    HttpSession session(following);
    // The status is read first, as the answer client does, before any of the body.
    const auto statusThenBody = [&](const QByteArray& path) {
        auto reply = test::awaitTask(session.send(
            post(QUrl(server.baseUrl().toString() + QString::fromUtf8(path)), "{\"q\":1}"), {}));
        const int status = reply->status();
        return std::make_pair(status, test::awaitTask(reply->readPrefix(1 << 20, {})));
    };

    server.enqueue(TestHttpServer::redirect(307, "/moved"));
    server.enqueue(TestHttpServer::json(200, "done"));
    EXPECT_EQ(statusThenBody("/start"), std::make_pair(200, QByteArray("done")));
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1].path, "/moved");
    EXPECT_EQ(server.requests()[1].method, "POST");
    EXPECT_EQ(server.requests()[1].body, R"({"q":1})");

    // Another port is another origin: the bearer token never goes there.
    server.enqueue(TestHttpServer::redirect(302, other.baseUrl().toString().toUtf8() + "/steal"));
    EXPECT_EQ(statusThenBody("/start").first, 302);
    EXPECT_TRUE(other.requests().empty());
}

TEST(HttpSession, StalledOrEndlessTransfersTimeOut) {
    TestHttpServer server;
    // The whole-exchange limit is far off, so only the idle timer can end the first two.
    HttpSession session(options(150ms, 1h));
    const QUrl url = server.baseUrl();

    server.enqueue({.end = TestHttpServer::End::stallBeforeHeaders});
    EXPECT_EQ(failureKind(session, post(url, "{}")), NetworkError::Kind::timedOut);

    server.enqueue({.chunks = {"part"}, .end = TestHttpServer::End::stall});
    EXPECT_EQ(failureKind(session, post(url, "{}")), NetworkError::Kind::timedOut);

    // A drip that never pauses long enough for the idle timer still meets the whole-exchange one.
    HttpSession bounded(options(2s, 300ms));
    server.enqueue({.chunks = QList<QByteArray>(100, "d"), .chunkDelayMs = 20});
    EXPECT_EQ(failureKind(bounded, post(url, "{}")), NetworkError::Kind::timedOut);

    // Depending on timing Qt reports a connection closed in the middle of a chunked body as a lost
    // connection or as the body's end: callers must judge whether a body is complete (an answer
    // stream without its completion event is not).
    server.enqueue({.chunks = {"half"}, .end = TestHttpServer::End::cut});
    try {
        EXPECT_EQ(test::awaitTask(fetch(session, post(url, "{}"))).second, "half");
    } catch (const NetworkError& error) {
        EXPECT_EQ(error.kind(), NetworkError::Kind::connectionLost);
    }
}

TEST(HttpSession, CancellingAbortsTheTransfer) {
    TestHttpServer server;
    server.enqueue({.chunks = {"part"}, .end = TestHttpServer::End::stall});
    HttpSession session({});
    CancelSource source;
    QTimer::singleShot(50, [&source] { source.cancel(); });
    EXPECT_THROW(test::awaitTask(fetch(session, post(server.baseUrl(), "{}"), source.token())),
                 CancellationError);
}

TEST(HttpSession, AHugeBodyIsReadOnlyAsFarAsAsked) {
    TestHttpServer server(TestHttpServer::Mode::tls);
    server.enqueue({.status = 500, .fillBytes = 50 * 1024 * 1024});
    HttpSession::Options trust;
    trust.extraCaCertificates = {TestHttpServer::caCertificate()};
    HttpSession session(trust);
    auto read = [&]() -> QCoro::Task<> {
        auto reply = co_await session.send(post(server.baseUrl(), "{}"), {});
        const QByteArray prefix = co_await reply->readPrefix(16'384, {});
        EXPECT_EQ(prefix.size(), 16'384);
        // Give the server time to push whatever the client would still accept.
        co_await QCoro::sleepFor(200ms);
        EXPECT_LE(reply->peakBuffered(), 4 * HttpReply::kBufferSize);
        EXPECT_LE(reply->bytesRead(), 16'384 + HttpReply::kBufferSize);
    };
    test::awaitTask(read());
    // Only socket buffers stand between the two ends; the body itself was never pulled through.
    EXPECT_LT(server.bytesSent(), 16 * 1024 * 1024);
}

// Trusting the extra authority is what every TLS test does; without it, nothing is trusted.
TEST(HttpSession, AnUnknownCertificateAuthorityIsRefused) {
    TestHttpServer server(TestHttpServer::Mode::tls);
    HttpSession plain({});
    HttpRequest request;
    request.url = server.baseUrl();
    EXPECT_EQ(failureKind(plain, request), NetworkError::Kind::failed);
}

// A computer without any network: the test runs itself again in a network namespace of its own,
// which holds only a loopback interface, down. There a name cannot be looked up and an address
// has no route, and both are "not connected". With a network, a refused connection stays a plain
// failure.
TEST(HttpSession, WithoutAnyNetworkLookupsAndUnroutedAddressesAreNotConnected) {
    const auto kindAt = [](const QString& url) {
        HttpSession session({});
        HttpRequest request;
        request.url = QUrl(url);
        return failureKind(session, request);
    };
    if (qEnvironmentVariableIsSet("CORVEL_TEST_NO_NETWORK")) {
        EXPECT_EQ(kindAt(QStringLiteral("http://corvel-test.invalid/")),
                  NetworkError::Kind::notConnected);
        EXPECT_EQ(kindAt(QStringLiteral("http://192.0.2.1:9/")), NetworkError::Kind::notConnected);
        return;
    }

    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    EXPECT_EQ(kindAt(QStringLiteral("http://127.0.0.1:%1/").arg(port)), NetworkError::Kind::failed);

    const QStringList isolate = {QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                                 QStringLiteral("--net")};
    if (QProcess::execute(QStringLiteral("unshare"),
                          isolate + QStringList{QStringLiteral("true")}) != 0)
        GTEST_SKIP() << "this machine gives no network namespace to an unprivileged user";
    QProcess child;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CORVEL_TEST_NO_NETWORK"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral("unshare"),
                isolate +
                    QStringList{QCoreApplication::applicationFilePath(),
                                QStringLiteral("--gtest_filter=HttpSession.WithoutAnyNetwork*")});
    ASSERT_TRUE(child.waitForFinished(-1));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
}
