#include "StoreHarness.h"

#include <gtest/gtest.h>

using namespace corvel;
using test::FakeAnswerSource;
using test::StoreHarness;
using Route = FakeAnswerSource::Route;
using Case = AnswerServiceError::Case;

namespace {

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

const QString project = QStringLiteral("Tell me about your last project?");
const QUrl base(QStringLiteral("https://cloud.example/api/v1"));

class CloudSession : public ::testing::Test {
protected:
    // Signs in and loads the account.
    void configure() {
        h.prepare();
        h.answers.enqueue(Route::account, {});
        h.store->configureCloud(base, QStringLiteral("u1"), tokens.provider());
        h.settle();
        ASSERT_TRUE(h.store->canStartCloudSession());
    }
    // Then starts a session whose lease is open.
    void startCloudSession() {
        configure();
        h.answers.enqueue(Route::start, {});
        h.store->startSession();
        h.settle();
        ASSERT_TRUE(h.store->cloudSessionReady());
        EXPECT_EQ(h.store->sessionPhase(), SessionPhase::waiting);
    }
    void advance(double seconds) {
        h.clock.advance(seconds);
        h.settle();
    }
    std::vector<Route> routes() const {
        std::vector<Route> list;
        for (const auto& call : h.answers.calls())
            list.push_back(call.route);
        return list;
    }
    const FakeAnswerSource::Call& call(std::size_t i) const { return h.answers.calls().at(i); }

    StoreHarness h{std::nullopt};
    Tokens tokens;
};

} // namespace

TEST_F(CloudSession, HeartbeatsEachIntervalWithAFreshTokenAndStopsWithTheLastGoodOne) {
    startCloudSession();
    EXPECT_EQ(call(1).credential, QStringLiteral("token-2"));

    h.answers.enqueue(Route::heartbeat, {});
    advance(11.9);
    EXPECT_EQ(h.answers.calls().size(), 2u);
    advance(0.1);
    ASSERT_EQ(routes().back(), Route::heartbeat);
    EXPECT_EQ(call(2).sessionID, QStringLiteral("s1"));
    EXPECT_EQ(call(2).credential, QStringLiteral("token-3"));

    h.answers.enqueue(Route::cloudAnswer, {.deltas = {"A cloud answer."}});
    h.capture.transcript(project, true);
    h.settle();
    EXPECT_EQ(call(3).sessionID, QStringLiteral("s1"));
    EXPECT_EQ(h.store->sessionEntries().size(), 1u);

    h.answers.enqueue(Route::stop, {});
    h.store->endSession();
    h.settle();
    ASSERT_EQ(routes().back(), Route::stop);
    EXPECT_EQ(call(4).sessionID, QStringLiteral("s1"));
    EXPECT_EQ(call(4).credential, QStringLiteral("token-3")) << "the last good token";
    for (const auto& each : h.answers.calls())
        EXPECT_EQ(each.baseURL, base) << static_cast<int>(each.route);
}

TEST_F(CloudSession, AFailedStartIsClosedByStartingAgainThenStopping) {
    configure();
    h.answers.enqueue(Route::start, {.failure = Case::serverUnavailable});
    h.answers.enqueue(Route::start, {.sessionId = QStringLiteral("s9")});
    h.answers.enqueue(Route::stop, {.sessionId = QStringLiteral("s9")});
    h.store->startSession();
    h.settle();
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_EQ(routes(), (std::vector{Route::account, Route::start, Route::start, Route::stop}));
    EXPECT_EQ(call(2).clientSessionID, call(1).clientSessionID);
    EXPECT_EQ(call(3).sessionID, QStringLiteral("s9"));
    EXPECT_FALSE(h.store->cloudAccountError());
}

TEST_F(CloudSession, ACleanupThatFailsTwiceIsShown) {
    configure();
    for (int i = 0; i < 3; ++i)
        h.answers.enqueue(Route::start, {.failure = Case::cloudUnavailable});
    h.store->startSession();
    h.settle();
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    EXPECT_EQ(h.store->message(), AnswerServiceError(Case::cloudUnavailable).errorDescription());
    EXPECT_EQ(h.answers.calls().size(), 3u);
    EXPECT_FALSE(h.store->cloudAccountError());

    // The second attempt waits 0.25 s on the store's clock.
    advance(0.25);
    ASSERT_EQ(h.answers.calls().size(), 4u);
    EXPECT_EQ(call(3).clientSessionID, call(1).clientSessionID);
    EXPECT_EQ(h.store->cloudAccountError(),
              QStringLiteral("The session could not be closed online. Its server lease will expire "
                             "automatically."));
}

// The app can drop its store while a cleanup waits on the service (tests do it all the time): the
// cleanup holds the service, still closes the lease with it, and lets it go when done.
TEST_F(CloudSession, ACleanupOutlivesItsStoreAndStillClosesTheLease) {
    configure();
    h.answers.enqueue(Route::start, {.failure = Case::serverUnavailable});
    h.answers.enqueue(Route::start, {.seconds = 1, .sessionId = QStringLiteral("s9")});
    h.answers.enqueue(Route::stop, {.seconds = 1});
    h.store->startSession();
    h.settle();
    ASSERT_EQ(routes(), (std::vector{Route::account, Route::start, Route::start}));

    const std::weak_ptr<FakeAnswerSource> service = h.answerSource;
    h.answerSource.reset();
    h.store.reset();
    EXPECT_FALSE(service.expired()) << "the cleanup holds it";
    advance(1);
    {
        const auto held = service.lock();
        ASSERT_TRUE(held);
        ASSERT_EQ(held->calls().size(), 4u);
        EXPECT_EQ(held->calls()[3].route, Route::stop);
        EXPECT_EQ(held->calls()[3].sessionID, QStringLiteral("s9"));
    }
    advance(1);
    EXPECT_TRUE(service.expired()) << "released once the cleanup ended";
}

// A cleanup belongs to one start: the late reply of an abandoned start needs no second cleanup
// and must not take the next, still pending lease with it.
TEST_F(CloudSession, PauseDuringStartCleansUpAndALateReplyLeavesTheNextPendingLeaseAlone) {
    configure();
    // The first lease arrives after the pause, as a reply already on its way would.
    h.answers.enqueue(
        Route::start,
        {.seconds = 1, .sessionId = QStringLiteral("late"), .ignoresCancellation = true});
    h.answers.enqueue(Route::start, {.sessionId = QStringLiteral("s2")}); // the cleanup's start
    h.answers.enqueue(Route::stop, {.sessionId = QStringLiteral("s2")});  // the cleanup's stop
    h.answers.enqueue(Route::start, {.seconds = 2, .sessionId = QStringLiteral("s3")}); // new
    h.store->startSession();
    h.settle();
    h.store->ask(QStringLiteral("Why this role?"));
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_EQ(
        h.store->message(),
        QStringLiteral("Your interview connection is being prepared. Try again in a moment."));

    h.store->togglePause();
    h.store->togglePause();
    h.settle();
    EXPECT_EQ(routes(),
              (std::vector{Route::account, Route::start, Route::start, Route::stop, Route::start}));
    EXPECT_EQ(call(2).clientSessionID, call(1).clientSessionID);
    EXPECT_NE(call(4).clientSessionID, call(1).clientSessionID);

    advance(1); // the late reply, while the new lease is still pending
    EXPECT_EQ(h.answers.calls().size(), 5u);
    advance(1);
    EXPECT_TRUE(h.store->cloudSessionReady());
    h.answers.enqueue(Route::cloudAnswer, {.deltas = {"Because of the team."}});
    h.store->ask(QStringLiteral("Why this role?"));
    h.settle();
    EXPECT_EQ(h.answers.calls().back().sessionID, QStringLiteral("s3"));

    h.answers.enqueue(Route::stop, {});
    h.store->endSession();
    h.settle();
    EXPECT_EQ(routes().back(), Route::stop);
    EXPECT_EQ(h.answers.calls().back().sessionID, QStringLiteral("s3"));
}

TEST_F(CloudSession, HeartbeatFailureDuringAnAnswerStopsListening) {
    startCloudSession();
    h.answers.enqueue(Route::cloudAnswer, {.deltas = {"Part one. ", "part two."}, .seconds = 100});
    h.capture.transcript(project, true);
    h.settle();
    ASSERT_TRUE(h.store->isGenerating());

    h.answers.enqueue(Route::heartbeat, {.failure = Case::sessionExpired});
    h.answers.enqueue(Route::stop, {});
    advance(12);
    EXPECT_EQ(h.store->sessionPhase(), SessionPhase::error);
    const QString expired = QStringLiteral(
        "Your interview connection expired. Resume listening to start a new session.");
    EXPECT_EQ(h.store->message(), expired);
    EXPECT_EQ(h.store->cloudAccountError(), expired);
    EXPECT_FALSE(h.store->isGenerating());
    EXPECT_FALSE(h.audio.isRunning());
    ASSERT_EQ(routes().back(), Route::stop);
    EXPECT_EQ(h.answers.calls().back().credential, QStringLiteral("token-2"));
}

TEST_F(CloudSession, AnUnauthorisedAnswerStopsListeningARateLimitedOneDoesNot) {
    startCloudSession();
    h.answers.enqueue(Route::cloudAnswer, {.failure = Case::rateLimited});
    h.store->ask(project);
    h.settle();
    EXPECT_EQ(h.store->message(), AnswerServiceError(Case::rateLimited).errorDescription());
    EXPECT_TRUE(h.audio.isRunning());
    EXPECT_FALSE(h.store->cloudAccountError());

    h.answers.enqueue(Route::cloudAnswer, {.failure = Case::unauthorized});
    h.answers.enqueue(Route::stop, {});
    h.store->ask(project);
    h.settle();
    EXPECT_FALSE(h.audio.isRunning());
    EXPECT_EQ(h.store->cloudAccountError(),
              AnswerServiceError(Case::unauthorized).errorDescription());
}

TEST_F(CloudSession, ConfigurationChangesEndTheSessionAndOtherAccountsAreRefused) {
    startCloudSession();
    // No change: nothing happens.
    h.store->configureCloud(base, QStringLiteral("u1"), tokens.provider());
    EXPECT_TRUE(h.store->isSessionActive());

    // Another account: the session ends, its lease is released, the new account loads.
    h.answers.enqueue(Route::stop, {});
    h.answers.enqueue(Route::account, {.uid = QStringLiteral("u1")}); // u1 is not u2
    h.store->configureCloud(base, QStringLiteral("u2"), tokens.provider());
    EXPECT_FALSE(h.store->isSessionActive());
    EXPECT_FALSE(h.store->cloudAccount());
    h.settle();
    EXPECT_EQ(h.store->cloudAccountError(),
              QStringLiteral("Sign in with Google again to access your interview account."));
    EXPECT_FALSE(h.store->cloudAccount()) << "another account's record is never shown";
    EXPECT_FALSE(h.store->canStartCloudSession());

    // Signed out: starting asks to sign in again.
    h.store->configureCloud(base, std::nullopt, {});
    h.prepare();
    h.store->startSession();
    EXPECT_EQ(h.store->section(), AppSection::settings);
    EXPECT_EQ(h.store->message(),
              QStringLiteral("Sign in with Google again to access your interview account."));
}
