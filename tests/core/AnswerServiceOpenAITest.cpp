#include "core/AnswerPrompt.h"
#include "core/AnswerService.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;
using test::TestHttpServer;
using Case = AnswerServiceError::Case;

namespace {

QByteArray deltaEvent(const QByteArray& text) {
    return R"(data: {"type":"response.output_text.delta","item_id":"msg_1","output_index":0,)"
           R"("content_index":0,"delta":")" +
           text + "\"}\n\n";
}
const QByteArray completedEvent = "data: {\"type\":\"response.completed\",\"response\":{}}\n\n";

TestHttpServer::Response sse(const QByteArray& body, int chunkSize = 0) {
    TestHttpServer::Response response;
    response.headers = {{"Content-Type", "text/event-stream"}};
    response.chunks = chunkSize > 0 ? TestHttpServer::split(body, chunkSize) : QList{body};
    return response;
}

struct Outcome {
    QStringList deltas;
    std::optional<AnswerServiceError> error;
    bool cancelled = false;
};

InterviewContext preparedContext() {
    InterviewContext context;
    context.role = u"Développeuse"_s;
    context.resume = u"Dix ans de C++"_s;
    context.jobDescription = u"Poste à Lyon"_s;
    return context;
}

QJsonObject object(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object();
}

class AnswerServiceOpenAI : public ::testing::Test {
protected:
    static AnswerService::Options options(const QUrl& base) {
        AnswerService::Options options;
        options.openAIBaseURL = base;
        return options;
    }

    // `onDelta` runs after each delta is collected.
    Outcome stream(CancelSource* source = nullptr, AnswerStyle style = AnswerStyle::concise,
                   QString key = u"sk-test"_s, QString question = u"Pourquoi nous ?"_s,
                   std::function<void()> onDelta = {}) {
        Outcome outcome;
        CancelSource own;
        CancelSource& cancel = source ? *source : own;
        try {
            test::awaitTask(answers.streamAnswer(
                question, preparedContext(), style, key, QString(),
                [&](const QString& delta) {
                    outcome.deltas.append(delta);
                    if (onDelta)
                        onDelta();
                },
                cancel.token()));
        } catch (const AnswerServiceError& error) {
            outcome.error = error;
        } catch (const CancellationError&) {
            outcome.cancelled = true;
        }
        return outcome;
    }

    std::optional<AnswerServiceError> verify(QString key, QString model = {}) {
        try {
            test::awaitTask(answers.verifyConnection(key, model, {}));
        } catch (const AnswerServiceError& error) {
            return error;
        }
        return std::nullopt;
    }

    TestHttpServer server;
    AnswerService answers{options(server.baseUrl())};
};

} // namespace

TEST_F(AnswerServiceOpenAI, ConnectionCheckSendsItsExactRequest) {
    server.enqueue(TestHttpServer::json(200, ""));
    EXPECT_EQ(verify(u" \n sk-abc \t"_s), std::nullopt);
    const QString model120(120, u'm');
    server.enqueue(TestHttpServer::json(204, ""));
    EXPECT_EQ(verify(u"sk-abc"_s, model120), std::nullopt);

    ASSERT_EQ(server.requests().size(), 2u);
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/v1/responses");
    EXPECT_EQ(request.header("Authorization"), "Bearer sk-abc");
    EXPECT_EQ(request.header("Content-Type"), "application/json");
    EXPECT_EQ(request.header("Accept"), "application/json");
    EXPECT_EQ(object(request.body),
              object(R"({"model":"gpt-4.1-mini","stream":false,"store":false,)"
                     R"("input":"Réponds uniquement OK.","max_output_tokens":16})"));
    EXPECT_EQ(object(server.requests()[1].body)[u"model"_s], model120);

    // Invalid settings fail before anything is sent, the key first.
    EXPECT_EQ(verify(u"sk a"_s), Case::invalidAPIKey);
    EXPECT_EQ(verify(u"sk\u200Ba"_s), Case::invalidAPIKey);
    EXPECT_EQ(verify(u" \n"_s, u"a b"_s), Case::missingAPIKey);
    EXPECT_EQ(verify(u"k"_s, model120 + u'm'), Case::invalidModel);
    EXPECT_EQ(verify(u"k"_s, u"gpt\t4"_s), Case::invalidModel);
    EXPECT_EQ(stream(nullptr, AnswerStyle::star, QString(), u" "_s).error, Case::missingAPIKey);
    EXPECT_EQ(stream(nullptr, AnswerStyle::star, u"k"_s, u" \n "_s).error, Case::emptyQuestion);
    EXPECT_EQ(server.requests().size(), 2u);
}

TEST_F(AnswerServiceOpenAI, AnswerRequestCarriesThePromptAndBudget) {
    server.enqueue(sse(deltaEvent("Oui") + completedEvent));
    const Outcome outcome = stream(nullptr, AnswerStyle::star);
    EXPECT_EQ(outcome.deltas, QStringList{u"Oui"_s});
    EXPECT_FALSE(outcome.error);

    ASSERT_EQ(server.requests().size(), 1u);
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.path, "/v1/responses");
    EXPECT_EQ(request.header("Authorization"), "Bearer sk-test");
    EXPECT_EQ(request.header("Accept"), "text/event-stream");
    QJsonObject expected =
        object(R"({"model":"gpt-4.1-mini","stream":true,"store":false,"max_output_tokens":420})");
    expected[u"instructions"_s] = AnswerPrompt::instructions(AnswerStyle::star);
    expected[u"input"_s] = QJsonArray{
        QJsonObject{{u"role"_s, u"user"_s},
                    {u"content"_s, AnswerPrompt::input(u"Pourquoi nous ?"_s, preparedContext())}}};
    EXPECT_EQ(object(request.body), expected);
}

TEST_F(AnswerServiceOpenAI, StreamEndings) {
    const auto outcomeOf = [&](const QByteArray& body) {
        server.enqueue(sse(body, 5));
        return stream();
    };
    EXPECT_EQ(outcomeOf(completedEvent + deltaEvent("late")).error, Case::invalidStream);
    EXPECT_EQ(outcomeOf(deltaEvent("") + completedEvent).error, Case::invalidStream);

    Outcome cut = outcomeOf(deltaEvent("Début"));
    EXPECT_EQ(cut.deltas, QStringList{u"Début"_s});
    EXPECT_EQ(cut.error, Case::interruptedStream);
    // The last delta of a body with no blank line after it is still delivered.
    cut = outcomeOf(deltaEvent("a") + deltaEvent("b").chopped(2));
    EXPECT_EQ(cut.deltas, (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(cut.error, Case::interruptedStream);
    EXPECT_EQ(outcomeOf({}).error, Case::interruptedStream);

    // A completion as the last line, with no line end, completes.
    EXPECT_FALSE(outcomeOf(deltaEvent("a") + completedEvent.chopped(2)).error);
    // Nothing after the completion is read, not even bytes that would be invalid.
    EXPECT_FALSE(outcomeOf(deltaEvent("a") + completedEvent + "\xFF\xFF\n\n").error);

    // One of the decoder's failures, to show they end the stream (the rest are its own test's).
    EXPECT_EQ(outcomeOf(deltaEvent("a") + "data: {\"type\":\"response.incomplete\"}\n\n").error,
              Case::incompleteAnswer);
}

TEST_F(AnswerServiceOpenAI, AnAnswerPastItsBoundEndsAsUnreadableKeepingTheTextUpToIt) {
    QByteArray body;
    for (int i = 0; i < AnswerService::maximumAnswerLength / 1000 - 1; ++i)
        body += deltaEvent(QByteArray(1000, 'a'));
    // Exactly at the bound completes; one unit more, inside an emoji, ends before the emoji.
    for (const QByteArray& last :
         {QByteArray(1000, 'a'), QByteArray(999, 'a') + "\xF0\x9F\x98\x80"}) {
        server.enqueue(sse(body + deltaEvent(last) + completedEvent));
        const Outcome outcome = stream();
        const bool past = last.size() > 1000;
        EXPECT_EQ(outcome.error,
                  past ? std::optional(AnswerServiceError(Case::invalidStream)) : std::nullopt);
        EXPECT_EQ(outcome.deltas.join(QString()).size(), AnswerService::maximumAnswerLength - past);
    }
}

TEST(AnswerServiceOpenAIStatus, StatusesMapToTheirCases) {
    const QByteArray quota = R"({"error":{"code":"insufficient_quota"}})";
    const QByteArray rate = R"({"error":{"code":"rate_limit_exceeded"}})";
    const std::tuple<int, QByteArray, AnswerServiceError> table[] = {
        {401, {}, Case::unauthorized},
        {403, quota, Case::unauthorized},
        {404, quota, Case::modelUnavailable},
        {429, quota, Case::quotaExceeded},
        {429, rate, Case::rateLimited},
        {429, {}, Case::rateLimited},
        {500, {}, Case::serverUnavailable},
        {599, {}, Case::serverUnavailable},
        {400, quota, AnswerServiceError::rejectedRequest(400)},
        {302, {}, AnswerServiceError::rejectedRequest(302)},
        {600, {}, AnswerServiceError::rejectedRequest(600)},
    };
    for (const auto& [status, body, expected] : table)
        EXPECT_EQ(AnswerService::responseError(status, body), expected) << status;
}

// One row per route through the network. The error body is read only to its limit, so a code
// past it is never seen; a broken transfer is reported as the sanitizing table says.
TEST_F(AnswerServiceOpenAI, BothRoutesReportStatusesAndBrokenTransfers) {
    const QByteArray quota = R"({"error":{"code":"insufficient_quota"}})";
    server.enqueue(TestHttpServer::json(429, quota));
    EXPECT_EQ(stream().error, Case::quotaExceeded);
    server.enqueue(TestHttpServer::json(
        429, QByteArray(AnswerService::maximumErrorBodyBytes - quota.size() + 1, ' ') + quota));
    EXPECT_EQ(verify(u"k"_s), Case::rateLimited);

    TestHttpServer::Response cut = sse(deltaEvent("Un"));
    cut.chunked = false;
    cut.end = TestHttpServer::End::cut;
    server.enqueue(cut);
    const Outcome outcome = stream();
    EXPECT_EQ(outcome.deltas, QStringList{u"Un"_s});
    EXPECT_EQ(outcome.error, Case::offline);
    server.close(); // refused
    EXPECT_EQ(verify(u"k"_s), Case::networkFailure);
}

TEST_F(AnswerServiceOpenAI, CancellingMidStreamIsASilentCancellation) {
    // Cancelled from inside the delta callback: nothing more is delivered. (A cancel while the
    // transfer waits is HttpSession's; that it stays silent is the sanitizing table's.)
    TestHttpServer::Response endless = sse(deltaEvent("Un") + deltaEvent("Deux"));
    endless.end = TestHttpServer::End::stall;
    server.enqueue(endless);
    CancelSource inside;
    const Outcome stopped =
        stream(&inside, AnswerStyle::adaptive, u"k"_s, u"Q"_s, [&] { inside.cancel(); });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.deltas, QStringList{u"Un"_s});

    // Already cancelled: nothing is sent.
    const auto sent = server.requests().size();
    CancelSource before;
    before.cancel();
    EXPECT_TRUE(stream(&before).cancelled);
    EXPECT_EQ(server.requests().size(), sent);
}
