#include "core/AnswerServiceError.h"
#include "core/AnswerService.h"
#include "platform/NetworkError.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace corvel;
using Case = AnswerServiceError::Case;

namespace {

QByteArray codeBody(const char* code) {
    return QByteArray(R"({"error":{"code":")") + code + R"(","message":"x"}})";
}

// The case a failure is sanitized to; none when it becomes a silent cancellation.
std::optional<Case> sanitized(std::exception_ptr error, const CancelToken& token = {}) {
    try {
        std::rethrow_exception(AnswerService::sanitizedError(error, token));
    } catch (const AnswerServiceError& sanitized) {
        return sanitized.errorCase();
    } catch (const CancellationError&) {
    }
    return std::nullopt;
}

} // namespace

TEST(AnswerServiceError, EveryCaseHasItsOwnMessage) {
    EXPECT_EQ(AnswerServiceError::rejectedRequest(400).errorDescription(),
              QStringLiteral("OpenAI rejected the request (HTTP 400). Check the selected model."));
    QSet<QString> messages;
    for (int i = 0; i <= static_cast<int>(Case::cloudUnavailable); ++i) {
        const AnswerServiceError error(static_cast<Case>(i));
        EXPECT_FALSE(error.errorDescription().isEmpty());
        EXPECT_EQ(QString::fromStdString(error.what()), error.errorDescription());
        messages.insert(error.errorDescription());
    }
    EXPECT_EQ(messages.size(), 25);
    EXPECT_NE(AnswerServiceError::rejectedRequest(400), AnswerServiceError::rejectedRequest(401));
}

TEST(AnswerServiceError, ServiceCodesMapExactly) {
    const std::pair<const char*, Case> table[] = {
        {"insufficient_quota", Case::quotaExceeded},
        {"billing_hard_limit_reached", Case::quotaExceeded},
        {"rate_limit_exceeded", Case::rateLimited},
        {"invalid_api_key", Case::unauthorized},
        {"authentication_error", Case::unauthorized},
        {"model_not_found", Case::modelUnavailable},
        {"UNAUTHENTICATED", Case::signInRequired},
        {"GOOGLE_ACCOUNT_REQUIRED", Case::googleAccountRequired},
        {"SESSION_CONFLICT", Case::sessionConflict},
        {"SESSION_EXPIRED", Case::sessionExpired},
        {"SESSION_CLOSED", Case::sessionExpired},
        {"ANSWER_IN_PROGRESS", Case::answerInProgress},
        {"VALIDATION_ERROR", Case::invalidContext},
        {"RATE_LIMITED", Case::rateLimited},
        {"ANSWER_LIMIT_REACHED", Case::rateLimited},
        {"SERVICE_UNAVAILABLE", Case::cloudUnavailable},
        {"session_expired", Case::serverUnavailable},
        {"something_new", Case::serverUnavailable},
    };
    for (const auto& [code, expected] : table)
        EXPECT_EQ(AnswerServiceError::errorFor(QString::fromLatin1(code)).errorCase(), expected)
            << code;
    EXPECT_EQ(AnswerServiceError::errorFor(std::nullopt).errorCase(), Case::serverUnavailable);

    EXPECT_EQ(AnswerServiceError::serviceErrorCode(codeBody("X")), QStringLiteral("X"));
    for (const QByteArray& body : {QByteArray(R"({"error":"bad"})"), QByteArray(R"({"code":"X"})"),
                                   QByteArray(R"({"error":{"code":5}})"), QByteArray("[1]"),
                                   QByteArray("not json"), QByteArray()})
        EXPECT_EQ(AnswerServiceError::serviceErrorCode(body), std::nullopt) << body.constData();
}

TEST(AnswerServiceError, SanitizingKeepsServiceErrorsAndSilencesCancellation) {
    using Kind = NetworkError::Kind;
    const auto transport = [](Kind kind) {
        return std::make_exception_ptr(NetworkError(kind, QStringLiteral("detail")));
    };
    EXPECT_EQ(sanitized(transport(Kind::timedOut)), Case::timedOut);
    EXPECT_EQ(sanitized(transport(Kind::connectionLost)), Case::offline);
    EXPECT_EQ(sanitized(transport(Kind::notConnected)), Case::offline);
    EXPECT_EQ(sanitized(transport(Kind::failed)), Case::networkFailure);
    EXPECT_EQ(sanitized(std::make_exception_ptr(std::runtime_error("x"))), Case::networkFailure);
    EXPECT_EQ(sanitized(std::make_exception_ptr(AnswerServiceError::rejectedRequest(418))),
              Case::rejectedRequest);
    EXPECT_EQ(sanitized(std::make_exception_ptr(CancellationError())), std::nullopt);

    CancelSource source;
    source.cancel();
    EXPECT_EQ(sanitized(std::make_exception_ptr(AnswerServiceError(Case::refused)), source.token()),
              std::nullopt);
    EXPECT_EQ(sanitized(transport(Kind::timedOut), source.token()), std::nullopt);
}
