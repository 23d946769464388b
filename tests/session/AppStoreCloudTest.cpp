#include "StoreHarness.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;
using test::TestHttpServer;

namespace {

const QByteArray account =
    R"({"uid":"u1","email":"ana@example.com","displayName":"Ana","emailVerified":true,"model":"m"})";

QByteArray lease(const char* id, int interval = 12) {
    return QByteArray(R"({"sessionId":")") + id +
           R"(","leaseExpiresAt":"2030-01-01T00:00:00Z","heartbeatIntervalSeconds":)" +
           QByteArray::number(interval) + "}";
}

QByteArray stopped(const char* id) {
    return QByteArray(R"({"sessionId":")") + id + "\"}";
}

QJsonObject body(const TestHttpServer::Request& request) {
    return QJsonDocument::fromJson(request.body).object();
}

// Hands out "token-1", "token-2", … and can be told to fail.
struct Tokens {
    AppStore::TokenProvider provider() {
        return [this](CancelToken) -> QCoro::Task<QString> {
            if (fail)
                throw std::runtime_error("Your session expired. Sign in again.");
            co_return QStringLiteral("token-%1").arg(++issued);
        };
    }
    int issued = 0;
    bool fail = false;
};

class CloudSession : public ::testing::Test {
protected:
    CloudSession() : h(std::nullopt, true, TestHttpServer::Mode::tls) {}

    QUrl base() const {
        QUrl url = h.server.baseUrl();
        url.setPath(QStringLiteral("/api/v1"));
        return url;
    }

    // Signs in, loads the account and starts a session whose lease is open.
    void startCloudSession(const char* leaseID = "s1", int interval = 12) {
        h.prepare();
        h.server.enqueue(TestHttpServer::json(200, account));
        h.store->configureCloud(base(), QStringLiteral("u1"), tokens.provider());
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->canStartCloudSession(); }, 5000));
        h.server.enqueue(TestHttpServer::json(200, lease(leaseID, interval)));
        h.store->startSession();
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->cloudSessionReady(); }, 5000));
        EXPECT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    }

    const TestHttpServer::Request& request(std::size_t i) const {
        return h.server.requests().at(i);
    }
    QList<QByteArray> paths() const {
        QList<QByteArray> list;
        for (const auto& r : h.server.requests())
            list.append(r.path);
        return list;
    }

    StoreHarness h;
    Tokens tokens;
};

} // namespace

TEST_F(CloudSession, WholeSessionStartsBeatsAnswersAndStops) {
    startCloudSession();
    EXPECT_EQ(request(0).path, "/api/v1/account");
    EXPECT_EQ(request(1).path, "/api/v1/sessions/start");
    EXPECT_EQ(body(request(1)).value(QStringLiteral("clientSessionId")).toString(),
              body(request(1)).value(QStringLiteral("clientSessionId")).toString().toUpper());
    EXPECT_EQ(request(1).header("Authorization"), "Bearer token-2");

    // The first heartbeat leaves one interval after the lease opened, with a fresh token.
    h.server.enqueue(TestHttpServer::json(200, lease("s1")));
    h.clock.advance(11.9);
    EXPECT_EQ(h.server.requests().size(), 2u);
    h.clock.advance(0.1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 3; }, 5000));
    EXPECT_EQ(request(2).path, "/api/v1/sessions/heartbeat");
    EXPECT_EQ(body(request(2)).value(QStringLiteral("sessionId")).toString(), QStringLiteral("s1"));
    EXPECT_EQ(request(2).header("Authorization"), "Bearer token-3");
    QTest::qWait(50);

    h.server.enqueue(StoreHarness::answer({"A cloud answer."}));
    h.capture.transcript(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(h.waitForAnswer());
    EXPECT_EQ(request(3).path, "/api/v1/answers");
    EXPECT_EQ(body(request(3)).value(QStringLiteral("sessionId")).toString(), QStringLiteral("s1"));
    EXPECT_EQ(h.store->sessionEntries().size(), 1u);

    h.server.enqueue(TestHttpServer::json(200, stopped("s1")));
    h.store->endSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 5; }, 5000));
    EXPECT_EQ(request(4).path, "/api/v1/sessions/stop");
    EXPECT_EQ(body(request(4)).value(QStringLiteral("sessionId")).toString(), QStringLiteral("s1"));
    EXPECT_EQ(request(4).header("Authorization"), "Bearer token-3") << "the last good token";
}

TEST_F(CloudSession, FailedStartIsCleanedUpAndASecondCleanupFailureIsShown) {
    h.prepare();
    h.server.enqueue(TestHttpServer::json(200, account));
    h.store->configureCloud(base(), QStringLiteral("u1"), tokens.provider());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->canStartCloudSession(); }, 5000));
    h.server.enqueue(TestHttpServer::json(503, "{}"));
    for (int i = 0; i < 2; ++i)
        h.server.enqueue(TestHttpServer::json(503, "{}"));
    h.store->startSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store->isStarting(); }, 5000));
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_TRUE(h.store->message()->contains(QStringLiteral("temporarily unavailable")));

    // Start again with the same identifier to learn the session, twice (0.25 s apart on the
    // store's clock); then the message.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            h.clock.advance(0.05);
            return h.store->cloudAccountError().has_value();
        },
        5000));
    EXPECT_EQ(h.server.requests().size(), 4u);
    EXPECT_EQ(h.store->cloudAccountError(),
              QStringLiteral("The session could not be closed online. Its server lease will expire "
                             "automatically."));
    const QString client = body(request(1)).value(QStringLiteral("clientSessionId")).toString();
    for (std::size_t i = 2; i < 4; ++i) {
        EXPECT_EQ(request(i).path, "/api/v1/sessions/start");
        EXPECT_EQ(body(request(i)).value(QStringLiteral("clientSessionId")).toString(), client);
    }
}

TEST_F(CloudSession, StartThatFailsIsClosedByStartAgainThenStop) {
    h.prepare();
    h.server.enqueue(TestHttpServer::json(200, account));
    h.store->configureCloud(base(), QStringLiteral("u1"), tokens.provider());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->canStartCloudSession(); }, 5000));
    h.server.enqueue(TestHttpServer::json(500, "{}"));
    h.server.enqueue(TestHttpServer::json(200, lease("s9")));
    h.server.enqueue(TestHttpServer::json(200, stopped("s9")));
    h.store->startSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 4; }, 5000));
    EXPECT_EQ(paths(), (QList<QByteArray>{"/api/v1/account", "/api/v1/sessions/start",
                                          "/api/v1/sessions/start", "/api/v1/sessions/stop"}));
    EXPECT_EQ(body(request(3)).value(QStringLiteral("sessionId")).toString(), QStringLiteral("s9"));
    QTest::qWait(100);
    EXPECT_FALSE(h.store->cloudAccountError());
}

TEST_F(CloudSession, PauseDuringStartCleansUpAndResumeWaitsForIt) {
    h.prepare();
    h.server.enqueue(TestHttpServer::json(200, account));
    h.store->configureCloud(base(), QStringLiteral("u1"), tokens.provider());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->canStartCloudSession(); }, 5000));
    auto slowStart = TestHttpServer::json(200, lease("late"));
    slowStart.chunkDelayMs = 400;
    h.server.enqueue(slowStart);
    h.server.enqueue(TestHttpServer::json(200, lease("s2")));   // the cleanup's start
    h.server.enqueue(TestHttpServer::json(200, stopped("s2"))); // the cleanup's stop
    h.server.enqueue(TestHttpServer::json(200, lease("s3")));   // the new lease
    h.store->startSession();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 2; }, 5000));
    h.store->ask(QStringLiteral("Why this role?"));
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(
        h.store->message(),
        QStringLiteral("Your interview connection is being prepared. Try again in a moment."));

    h.store->togglePause();
    h.store->togglePause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->cloudSessionReady(); }, 5000));
    EXPECT_EQ(paths(), (QList<QByteArray>{"/api/v1/account", "/api/v1/sessions/start",
                                          "/api/v1/sessions/start", "/api/v1/sessions/stop",
                                          "/api/v1/sessions/start"}));
    EXPECT_EQ(body(request(2)).value(QStringLiteral("clientSessionId")),
              body(request(1)).value(QStringLiteral("clientSessionId")));
    EXPECT_NE(body(request(4)).value(QStringLiteral("clientSessionId")),
              body(request(1)).value(QStringLiteral("clientSessionId")));
    QTest::qWait(500);
    EXPECT_EQ(h.server.requests().size(), 5u) << "the late reply needs no second cleanup";
}

TEST_F(CloudSession, HeartbeatFailureDuringAnAnswerStopsListening) {
    startCloudSession("s1", 12);
    h.server.enqueue(StoreHarness::answer({"Part one. ", "part two. ", "part three."}, 300));
    h.capture.transcript(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 3; }, 5000));

    h.server.enqueue(TestHttpServer::json(409, "{\"error\":{\"code\":\"SESSION_EXPIRED\"}}"));
    h.server.enqueue(TestHttpServer::json(200, stopped("s1")));
    h.clock.advance(12);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return h.store->sessionPhase() == SessionPhase::error; }, 5000));
    const QString expired = QStringLiteral(
        "Your interview connection expired. Resume listening to start a new session.");
    EXPECT_EQ(h.store->message(), expired);
    EXPECT_EQ(h.store->cloudAccountError(), expired);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_FALSE(h.audio.isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.server.requests().size() == 5; }, 5000));
    EXPECT_EQ(request(4).path, "/api/v1/sessions/stop");
    EXPECT_EQ(request(4).header("Authorization"), "Bearer token-2");
}

TEST_F(CloudSession, ConfigurationChangesEndTheSessionAndOtherAccountsAreRefused) {
    startCloudSession();
    // No change: nothing happens.
    h.store->configureCloud(base(), QStringLiteral("u1"), tokens.provider());
    EXPECT_TRUE(h.store->isSessionActive());

    // Another account: the session ends, its lease is released, the new account loads.
    // The stop and the account load leave together: one reply that reads as either.
    const QByteArray either = R"({"sessionId":"s1",)" + account.mid(1);
    h.server.enqueue(TestHttpServer::json(200, either));
    h.server.enqueue(TestHttpServer::json(200, either)); // uid u1 is not u2
    h.store->configureCloud(base(), QStringLiteral("u2"), tokens.provider());
    EXPECT_FALSE(h.store->isSessionActive());
    EXPECT_FALSE(h.store->cloudAccount());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store->cloudAccountError().has_value(); }, 5000));
    EXPECT_EQ(h.store->cloudAccountError(),
              QStringLiteral("Sign in with Google again to access your interview account."));
    EXPECT_FALSE(h.store->cloudAccount()) << "another account's record is never shown";
    EXPECT_FALSE(h.store->canStartCloudSession());

    // Signed out: a manual ask before any lease only shows the preparation message.
    h.store->configureCloud(base(), std::nullopt, {});
    h.prepare();
    h.store->startSession();
    EXPECT_EQ(h.store->section(), AppSection::settings);
    EXPECT_EQ(h.store->message(),
              QStringLiteral("Sign in with Google again to access your interview account."));
}
