#pragma once

#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "platform/UptimeClock.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <vector>

namespace corvel::test {

// Answers from a script, on the test's clock, without sockets. Each call takes the next reply
// queued for its route. A reply with `seconds` waits that long on the clock before each delta
// but the first and before its result, so a test holds an answer open by not advancing time.
class FakeAnswerSource final : public AnswerSource {
public:
    enum class Route { verify, answer, cloudAnswer, account, start, heartbeat, stop };

    struct Reply {
        QList<QByteArray> deltas{}; // UTF-8
        double seconds = 0;
        std::optional<AnswerServiceError::Case> failure{};
        QString sessionId = QStringLiteral("s1"); // a lease's or a stop's
        qint64 heartbeatIntervalSeconds = 12;
        QString uid = QStringLiteral("u1"); // an account's
        // Goes on after a cancellation, as a reply already on its way would.
        bool ignoresCancellation = false;
    };

    // What the store asked for.
    struct Call {
        Route route;
        QString question;
        QString credential; // the API key, or the account's ID token
        QString model;
        QString sessionID;
        QUuid clientSessionID;
        QUrl baseURL;
    };

    explicit FakeAnswerSource(UptimeClock& clock) : m_clock(clock) {}

    void enqueue(Route route, Reply reply) { m_replies[route].push_back(std::move(reply)); }
    void answer(QList<QByteArray> deltas, double seconds = 0) {
        enqueue(Route::answer, {.deltas = std::move(deltas), .seconds = seconds});
    }
    const std::vector<Call>& calls() const { return m_calls; }

    QCoro::Task<> verifyConnection(QString apiKey, QString model, CancelToken token) override {
        const Reply r = take({Route::verify, {}, apiKey, model, {}, {}, {}});
        co_await finish(r, token);
    }
    // GCC 12 destroys some temporaries of a co_await expression twice: every value the awaited
    // call takes is a named local.
    QCoro::Task<> streamAnswer(QString question, InterviewContext, AnswerStyle, QString apiKey,
                               QString model, DeltaHandler onDelta, CancelToken token) override {
        const Reply r = take({Route::answer, question, apiKey, model, {}, {}, {}});
        co_await stream(r, onDelta, token);
    }
    QCoro::Task<> streamCloudAnswer(QString question, InterviewContext, AnswerStyle,
                                    QString sessionID, QString idToken, QUrl baseURL,
                                    DeltaHandler onDelta, CancelToken token) override {
        const Reply r = take({Route::cloudAnswer, question, idToken, {}, sessionID, {}, baseURL});
        co_await stream(r, onDelta, token);
    }
    QCoro::Task<CloudAccountBalance> cloudAccount(QUrl baseURL, QString idToken,
                                                  CancelToken token) override {
        const Reply r = take({Route::account, {}, idToken, {}, {}, {}, baseURL});
        co_await finish(r, token);
        CloudAccountBalance account;
        account.uid = r.uid;
        account.email = QStringLiteral("ana@example.com");
        account.emailVerified = true;
        co_return account;
    }
    QCoro::Task<CloudSessionLease> startCloudSession(QUrl baseURL, QString idToken,
                                                     QUuid clientSessionID,
                                                     CancelToken token) override {
        const Reply r = take({Route::start, {}, idToken, {}, {}, clientSessionID, baseURL});
        co_await finish(r, token);
        co_return lease(r);
    }
    QCoro::Task<CloudSessionLease> heartbeatCloudSession(QUrl baseURL, QString idToken,
                                                         QString sessionID,
                                                         CancelToken token) override {
        const Reply r = take({Route::heartbeat, {}, idToken, {}, sessionID, {}, baseURL});
        co_await finish(r, token);
        co_return lease(r);
    }
    QCoro::Task<CloudSessionStop> stopCloudSession(QUrl baseURL, QString idToken, QString sessionID,
                                                   CancelToken token) override {
        const Reply r = take({Route::stop, {}, idToken, {}, sessionID, {}, baseURL});
        co_await finish(r, token);
        co_return CloudSessionStop{r.sessionId};
    }

private:
    Reply take(Call call) {
        m_calls.push_back(call);
        auto& queue = m_replies[call.route];
        if (queue.empty()) {
            ADD_FAILURE() << "no reply queued for route " << static_cast<int>(call.route);
            return {.failure = AnswerServiceError::Case::networkFailure};
        }
        Reply reply = std::move(queue.front());
        queue.pop_front();
        return reply;
    }
    static CloudSessionLease lease(const Reply& r) {
        return {r.sessionId, QStringLiteral("2030-01-01T00:00:00Z"), r.heartbeatIntervalSeconds};
    }
    QCoro::Task<> wait(const Reply& r, const CancelToken& token) {
        if (!r.ignoresCancellation)
            token.throwIfCancelled();
        const CancelToken sleeping = r.ignoresCancellation ? CancelToken() : token;
        if (r.seconds > 0)
            co_await m_clock.sleep(r.seconds, sleeping);
    }
    QCoro::Task<> finish(Reply r, CancelToken token) {
        co_await wait(r, token);
        if (r.failure)
            throw AnswerServiceError(*r.failure);
    }
    QCoro::Task<> stream(Reply r, DeltaHandler onDelta, CancelToken token) {
        for (qsizetype i = 0; i < r.deltas.size(); ++i) {
            if (i > 0)
                co_await wait(r, token);
            onDelta(QString::fromUtf8(r.deltas[i]));
        }
        co_await finish(r, token);
    }

    UptimeClock& m_clock;
    std::map<Route, std::deque<Reply>> m_replies;
    std::vector<Call> m_calls;
};

} // namespace corvel::test
