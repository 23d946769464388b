#include "core/AnswerService.h"
#include "core/CloudSessionStop.h"
#include "support/AwaitTask.h"
#include "support/TestHttpServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace corvel;
using test::TestHttpServer;
using Case = AnswerServiceError::Case;

namespace {

const QByteArray account =
    R"({"uid":"u1","email":"a@b.c","displayName":"Ana","emailVerified":true,"model":"m",)"
    R"("extra":1})";

InterviewContext preparedContext() {
    InterviewContext context;
    context.resume = QStringLiteral("CV");
    context.jobDescription = QStringLiteral("Offre");
    return context;
}

class AnswerServiceCloud : public ::testing::Test {
protected:
    AnswerServiceCloud() : server(TestHttpServer::Mode::tls), answers(options()) {
        base = QUrl(server.baseUrl().toString() + QStringLiteral("/api/"));
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
                                             QString token = QStringLiteral("tok")) {
        return failure(answers.streamCloudAnswer(question, context, AnswerStyle::star,
                                                 QStringLiteral("s-1"), token, url,
                                                 [](const QString&) {}, {}));
    }

    TestHttpServer server;
    AnswerService answers;
    QUrl base;
};

} // namespace

TEST_F(AnswerServiceCloud, RequestsAreExact) {
    server.enqueue(TestHttpServer::json(200, account));
    const CloudAccountBalance balance =
        test::awaitTask(answers.cloudAccount(base, QStringLiteral("  tok-1 \n"), {}));
    EXPECT_EQ(balance.uid, QStringLiteral("u1"));
    EXPECT_EQ(balance.photoURL, std::nullopt);
    EXPECT_EQ(balance.activeSession, std::nullopt);

    const QByteArray lease =
        R"({"sessionId":"s-1","leaseExpiresAt":"t","heartbeatIntervalSeconds":9})";
    server.enqueue(TestHttpServer::json(200, lease));
    const QUuid client =
        QUuid::fromString(QStringLiteral("{0f8fad5b-d9cb-469f-a165-70867728950e}"));
    EXPECT_EQ(test::awaitTask(answers.startCloudSession(base, QStringLiteral("tok-1"), client, {})),
              (CloudSessionLease{QStringLiteral("s-1"), QStringLiteral("t"), 9}));
    server.enqueue(TestHttpServer::json(200, lease));
    test::awaitTask(
        answers.heartbeatCloudSession(base, QStringLiteral("tok-1"), QStringLiteral(" s-1"), {}));
    server.enqueue(TestHttpServer::json(200, R"({"sessionId":"s-1"})"));
    HttpRequest stop =
        answers.cloudRequest(base, QStringLiteral("/sessions//stop/"), QStringLiteral("tok-1"), {});
    stop.body = R"({"sessionId":"s-1"})";
    EXPECT_EQ(test::awaitTask(answers.cloudJSON<CloudSessionStop>(stop, {})).sessionId,
              QStringLiteral("s-1"));

    InterviewContext context = preparedContext();
    context.name = QStringLiteral(" Ana ");
    context.resume = QString(60'000, QLatin1Char('r'));
    context.language = QStringLiteral("anglais");
    context.resumeFilename = QStringLiteral("cv.pdf");
    TestHttpServer::Response events;
    events.chunks = {"data: {\"type\":\"response.output_text.delta\",\"delta\":\"Oui\"}\n\n"
                     "data: {\"type\":\"response.completed\"}\n\n"};
    server.enqueue(events);
    EXPECT_EQ(answer(context, QString(5'000, QLatin1Char('q')), base), std::nullopt);

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
    const QJsonObject body = QJsonDocument::fromJson(stream.body).object();
    EXPECT_EQ(body.value(QLatin1String("sessionId")), QStringLiteral("s-1"));
    EXPECT_EQ(body.value(QLatin1String("style")), QStringLiteral("star"));
    EXPECT_EQ(body.value(QLatin1String("question")), QString(4'000, QLatin1Char('q')));
    EXPECT_EQ(body.value(QLatin1String("context")).toObject(),
              (QJsonObject{{QStringLiteral("name"), QStringLiteral("Ana")},
                           {QStringLiteral("role"), QString()},
                           {QStringLiteral("company"), QString()},
                           {QStringLiteral("resume"), QString(50'000, QLatin1Char('r'))},
                           {QStringLiteral("jobDescription"), QStringLiteral("Offre")},
                           {QStringLiteral("notes"), QString()},
                           {QStringLiteral("language"), QStringLiteral("English")}}));
}

TEST_F(AnswerServiceCloud, BadSettingsFailBeforeAnythingIsSent) {
    const auto accountFailure = [&](const QString& url, const QString& token) {
        return failure(answers.cloudAccount(QUrl(url), token, {}));
    };
    const QString port = QString::number(server.serverPort());
    for (const QString& url :
         {QStringLiteral("http://127.0.0.1:") + port, QStringLiteral("https://127.0.0.1/?a=1"),
          QStringLiteral("https://127.0.0.1/#x"), QStringLiteral("https://user@127.0.0.1/"),
          QStringLiteral("https:///path"), QString()})
        EXPECT_EQ(accountFailure(url, QStringLiteral("tok")), Case::cloudNotConfigured)
            << url.toStdString();
    for (const QString& token : {QString(), QStringLiteral(" \n"), QStringLiteral("a b"),
                                 QStringLiteral("a\tb"), QStringLiteral("a\u0007b")})
        EXPECT_EQ(accountFailure(base.toString(), token), Case::signInRequired);

    const QUrl insecure(QStringLiteral("http://127.0.0.1:") + port);
    EXPECT_EQ(answer(preparedContext(), QStringLiteral("  "), insecure), Case::emptyQuestion);
    InterviewContext unready = preparedContext();
    unready.jobDescription = QStringLiteral(" ");
    EXPECT_EQ(answer(unready, QStringLiteral("Q"), insecure), Case::invalidContext);
    EXPECT_EQ(answer(preparedContext(), QStringLiteral("Q"), insecure), Case::cloudNotConfigured);
    EXPECT_EQ(answer(preparedContext(), QStringLiteral("Q"), base, QStringLiteral("a b")),
              Case::signInRequired);

    // Within every field's limit, yet over the whole body's: four-byte characters.
    InterviewContext heavy = preparedContext();
    heavy.resume.clear();
    for (int i = 0; i < 50'000; ++i)
        heavy.resume += QStringLiteral("\U0001F600");
    heavy.jobDescription = QString(40'000, QChar(0x00E9));
    EXPECT_EQ(answer(heavy, QStringLiteral("Q"), base), Case::invalidContext);
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(AnswerServiceCloud, RepliesAreDecodedStrictlyAndBounded) {
    const auto accountFailure = [&](const QByteArray& reply) {
        server.enqueue(TestHttpServer::json(200, reply));
        return failure(answers.cloudAccount(base, QStringLiteral("tok"), {}));
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
    const auto full = test::awaitTask(answers.cloudAccount(base, QStringLiteral("tok"), {}));
    EXPECT_EQ(full.photoURL, QStringLiteral("https://p"));
    EXPECT_EQ(full.activeSession, (CloudActiveSession{QStringLiteral("s"), QStringLiteral("t")}));
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
    EXPECT_EQ(failure(answers.heartbeatCloudSession(base, QStringLiteral("tok"),
                                                    QStringLiteral("s"), {})),
              Case::sessionExpired);
    server.enqueue(TestHttpServer::json(500, R"({"error":{"code":"SESSION_CLOSED"}})"));
    EXPECT_EQ(answer(preparedContext(), QStringLiteral("Q"), base), Case::sessionExpired);
}
