#include "core/AnswerService.h"
#include "core/CloudSessionStop.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;
using test::TestHttpServer;
using Case = AnswerServiceError::Case;

namespace {

const QByteArray account =
    R"({"uid":"u1","email":"a@b.c","displayName":"Ana","emailVerified":true,"model":"m",)"
    R"("extra":1})";

InterviewContext preparedContext() {
    InterviewContext context;
    context.resume = u"CV"_s;
    context.jobDescription = u"Offre"_s;
    return context;
}

class AnswerServiceCloud : public ::testing::Test {
protected:
    AnswerServiceCloud() : server(TestHttpServer::Mode::tls), answers(options()) {
        base = QUrl(server.baseUrl().toString() + u"/api/"_s);
    }

    static AnswerService::Options options() {
        AnswerService::Options options;
        options.http.extraCaCertificates = {TestHttpServer::caCertificate()};
        return options;
    }

    template <typename T> std::optional<AnswerServiceError> failure(QCoro::Task<T> task) {
        try {
            test::awaitTask(std::move(task));
        } catch (const AnswerServiceError& error) {
            return error;
        }
        return std::nullopt;
    }

    std::optional<AnswerServiceError> answer(InterviewContext context, QString question, QUrl url,
                                             QString token = u"tok"_s) {
        return failure(answers.streamCloudAnswer(question, context, AnswerStyle::star, u"s-1"_s,
                                                 token, url, [](const QString&) {}, {}));
    }

    TestHttpServer server;
    AnswerService answers;
    QUrl base;
};

} // namespace

TEST_F(AnswerServiceCloud, RequestsAreExact) {
    server.enqueue(TestHttpServer::json(200, account));
    const CloudAccountBalance balance =
        test::awaitTask(answers.cloudAccount(base, u"  tok-1 \n"_s, {}));
    EXPECT_EQ(balance.uid, u"u1"_s);
    EXPECT_EQ(balance.photoURL, std::nullopt);
    EXPECT_EQ(balance.activeSession, std::nullopt);

    const QByteArray lease =
        R"({"sessionId":"s-1","leaseExpiresAt":"t","heartbeatIntervalSeconds":9})";
    server.enqueue(TestHttpServer::json(200, lease));
    const QUuid client = QUuid::fromString(u"{0f8fad5b-d9cb-469f-a165-70867728950e}"_s);
    EXPECT_EQ(test::awaitTask(answers.startCloudSession(base, u"tok-1"_s, client, {})),
              (CloudSessionLease{u"s-1"_s, u"t"_s, 9}));
    server.enqueue(TestHttpServer::json(200, lease));
    test::awaitTask(answers.heartbeatCloudSession(base, u"tok-1"_s, u" s-1"_s, {}));
    server.enqueue(TestHttpServer::json(200, R"({"sessionId":"s-1"})"));
    HttpRequest stop = answers.cloudRequest(base, u"/sessions//stop/"_s, u"tok-1"_s, {});
    stop.body = R"({"sessionId":"s-1"})";
    EXPECT_EQ(test::awaitTask(answers.cloudJSON<CloudSessionStop>(stop, {})).sessionId, u"s-1"_s);

    InterviewContext context = preparedContext();
    context.name = u" Ana "_s;
    context.resume = QString(60'000, u'r');
    context.language = u"anglais"_s;
    context.resumeFilename = u"cv.pdf"_s;
    TestHttpServer::Response events;
    events.chunks = {"data: {\"type\":\"response.output_text.delta\",\"delta\":\"Oui\"}\n\n"
                     "data: {\"type\":\"response.completed\"}\n\n"};
    server.enqueue(events);
    EXPECT_EQ(answer(context, QString(5'000, u'q'), base), std::nullopt);

    ASSERT_EQ(server.requests().size(), 5u);
    const std::tuple<QByteArray, QByteArray, QByteArray> json[] = {
        {"GET", "/api/account", {}},
        {"POST", "/api/sessions/start",
         R"({"clientSessionId":"0F8FAD5B-D9CB-469F-A165-70867728950E"})"},
        {"POST", "/api/sessions/heartbeat", R"({"sessionId":" s-1"})"},
        {"POST", "/api/sessions/stop", R"({"sessionId":"s-1"})"},
    };
    for (std::size_t i = 0; i < std::size(json); ++i) {
        const auto& request = server.requests()[i];
        EXPECT_EQ(std::tie(request.method, request.path, request.body), json[i]);
        EXPECT_EQ(request.header("Authorization"), "Bearer tok-1");
        EXPECT_EQ(request.header("Content-Type"), "application/json");
        EXPECT_EQ(request.header("Accept"), "application/json");
    }

    const auto& stream = server.requests()[4];
    EXPECT_EQ(stream.path, "/api/answers");
    EXPECT_EQ(stream.header("Accept"), "text/event-stream");
    EXPECT_EQ(QJsonDocument::fromJson(stream.body).object(),
              QJsonDocument::fromJson(
                  R"({"sessionId":"s-1","style":"star","question":")" + QByteArray(4'000, 'q') +
                  R"(","context":{"name":"Ana","role":"","company":"","resume":")" +
                  QByteArray(50'000, 'r') +
                  R"(","jobDescription":"Offre","notes":"","language":"English"}})")
                  .object());
}

TEST_F(AnswerServiceCloud, BadSettingsFailBeforeAnythingIsSent) {
    const auto accountFailure = [&](const QString& url, const QString& token) {
        return failure(answers.cloudAccount(QUrl(url), token, {}));
    };
    const QString port = QString::number(server.serverPort());
    for (const QString& url :
         {u"http://127.0.0.1:"_s + port, u"https://127.0.0.1/?a=1"_s, u"https://127.0.0.1/#x"_s,
          u"https://user@127.0.0.1/"_s, u"https:///path"_s, QString()})
        EXPECT_EQ(accountFailure(url, u"tok"_s), Case::cloudNotConfigured) << url.toStdString();
    for (const QString& token : {QString(), u" \n"_s, u"a b"_s, u"a\tb"_s, u"a\u0007b"_s})
        EXPECT_EQ(accountFailure(base.toString(), token), Case::signInRequired);

    const QUrl insecure(u"http://127.0.0.1:"_s + port);
    EXPECT_EQ(answer(preparedContext(), u"  "_s, insecure), Case::emptyQuestion);
    InterviewContext unready = preparedContext();
    unready.jobDescription = u" "_s;
    EXPECT_EQ(answer(unready, u"Q"_s, insecure), Case::invalidContext);
    EXPECT_EQ(answer(preparedContext(), u"Q"_s, insecure), Case::cloudNotConfigured);
    EXPECT_EQ(answer(preparedContext(), u"Q"_s, base, u"a b"_s), Case::signInRequired);

    // Within every field's limit, yet over the whole body's: four-byte characters.
    InterviewContext heavy = preparedContext();
    heavy.resume.clear();
    for (int i = 0; i < 50'000; ++i)
        heavy.resume += u"\U0001F600"_s;
    heavy.jobDescription = QString(40'000, QChar(0x00E9));
    EXPECT_EQ(answer(heavy, u"Q"_s, base), Case::invalidContext);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(AnswerServiceCloud, RepliesAreDecodedStrictlyAndBounded) {
    const auto accountFailure = [&](const QByteArray& reply) {
        server.enqueue(TestHttpServer::json(200, reply));
        return failure(answers.cloudAccount(base, u"tok"_s, {}));
    };
    const QByteArray padded = account + QByteArray(262'144 - account.size(), ' ');
    EXPECT_EQ(accountFailure(padded), std::nullopt);
    QByteArray noModel = account;
    noModel.replace(R"("model":"m",)", "");
    QByteArray textFlag = account;
    textFlag.replace("true", R"("yes")");
    for (const QByteArray& bad :
         {padded + ' ', QByteArray("not json"), QByteArray("[]"), noModel, textFlag})
        EXPECT_EQ(accountFailure(bad), Case::invalidStream) << bad.left(80).constData();

    server.enqueue(TestHttpServer::json(
        200,
        R"({"uid":"u1","email":"a@b.c","displayName":"Ana","emailVerified":false,)"
        R"("model":"m","photoURL":"https://p","activeSession":{"id":"s","leaseExpiresAt":"t"}})"));
    const auto full = test::awaitTask(answers.cloudAccount(base, u"tok"_s, {}));
    EXPECT_EQ(full.photoURL, u"https://p"_s);
    EXPECT_EQ(full.activeSession, (CloudActiveSession{u"s"_s, u"t"_s}));
}

TEST(AnswerServiceCloudStatus, StatusesMapToTheirCases) {
    const std::tuple<int, QByteArray, Case> table[] = {
        {400, {}, Case::invalidContext},
        {401, {}, Case::signInRequired},
        {403, {}, Case::googleAccountRequired},
        {409, {}, Case::sessionExpired},
        {429, {}, Case::rateLimited},
        {500, {}, Case::cloudUnavailable},
        {404, {}, Case::cloudUnavailable},
        {500, R"({"error":{"code":"SESSION_CLOSED"}})", Case::sessionExpired},
        {401, R"({"error":{"code":"UNAUTHENTICATED"}})", Case::signInRequired},
        {400, R"({"error":{"code":"SOMETHING_NEW"}})", Case::serverUnavailable},
    };
    for (const auto& [status, body, expected] : table)
        EXPECT_EQ(AnswerService::cloudResponseError(status, body).errorCase(), expected) << status;
}

// One row per route through the network: JSON calls and the answer stream.
TEST_F(AnswerServiceCloud, BothRoutesReportTheStatus) {
    server.enqueue(TestHttpServer::json(409, {}));
    EXPECT_EQ(failure(answers.heartbeatCloudSession(base, u"tok"_s, u"s"_s, {})),
              Case::sessionExpired);
    server.enqueue(TestHttpServer::json(500, R"({"error":{"code":"SESSION_CLOSED"}})"));
    EXPECT_EQ(answer(preparedContext(), u"Q"_s, base), Case::sessionExpired);
}
