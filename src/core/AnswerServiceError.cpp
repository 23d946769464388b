#include "core/AnswerServiceError.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace corvel {

namespace {

QString messageOf(AnswerServiceError::Case errorCase, int status) {
    using C = AnswerServiceError::Case;
    switch (errorCase) {
    case C::rejectedRequest:
        return QStringLiteral("OpenAI rejected the request (HTTP %1). Check the selected model.")
            .arg(status);
    case C::missingAPIKey:
        return QStringLiteral("Add your OpenAI API key in Settings to generate answers.");
    case C::invalidAPIKey:
        return QStringLiteral(
            "The API key contains spaces or invalid characters. Check it in Settings.");
    case C::emptyQuestion:
        return QStringLiteral("There is no question to answer yet.");
    case C::invalidModel:
        return QStringLiteral("The model name is invalid. Check Settings.");
    case C::unauthorized:
        return QStringLiteral("The API key is invalid or does not have access to the service. "
                              "Check your OpenAI settings.");
    case C::quotaExceeded:
        return QStringLiteral(
            "Your OpenAI credit or billing limit has been reached. Check your API account.");
    case C::rateLimited:
        return QStringLiteral(
            "OpenAI is receiving too many requests. Wait a moment, then try again.");
    case C::modelUnavailable:
        return QStringLiteral(
            "This model is unavailable for your account. Try gpt-4.1-mini in Settings.");
    case C::serverUnavailable:
        return QStringLiteral(
            "The OpenAI service is temporarily unavailable. Try again in a moment.");
    case C::invalidStream:
        return QStringLiteral(
            "The service returned an unreadable response. Generate the answer again.");
    case C::interruptedStream:
        return QStringLiteral(
            "The connection was interrupted before the answer was complete. You can try again.");
    case C::incompleteAnswer:
        return QStringLiteral("The answer is incomplete. Try again with the Concise style.");
    case C::refused:
        return QStringLiteral("The service could not answer this question. Try rephrasing it.");
    case C::timedOut:
        return QStringLiteral(
            "The answer is taking too long. Check your connection, then try again.");
    case C::offline:
        return QStringLiteral(
            "There is no Internet connection. Check your network, then try again.");
    case C::networkFailure:
        return QStringLiteral("The connection to the service failed. Check your Internet "
                              "connection, then try again.");
    case C::cloudNotConfigured:
        return QStringLiteral("The cloud service is not configured in this build.");
    case C::signInRequired:
        return QStringLiteral("Sign in with Google again to access your interview account.");
    case C::googleAccountRequired:
        return QStringLiteral("A verified Google account is required to start an interview.");
    case C::sessionConflict:
        return QStringLiteral("An interview is already active on this account. End it before "
                              "starting another one.");
    case C::sessionExpired:
        return QStringLiteral(
            "Your interview connection expired. Resume listening to start a new session.");
    case C::answerInProgress:
        return QStringLiteral("An answer is already being generated. Wait for it to finish, "
                              "then try again.");
    case C::invalidContext:
        return QStringLiteral(
            "Check your resume, job description and question before trying again.");
    case C::cloudUnavailable:
        return QStringLiteral("The interview service is temporarily unavailable. Your audio has "
                              "been stopped; try again shortly.");
    }
    return {};
}

} // namespace

AnswerServiceError::AnswerServiceError(Case errorCase) : AnswerServiceError(errorCase, 0) {}

AnswerServiceError::AnswerServiceError(Case errorCase, int status)
    : std::runtime_error(messageOf(errorCase, status).toStdString()), m_case(errorCase),
      m_status(status) {}

AnswerServiceError AnswerServiceError::rejectedRequest(int status) {
    return AnswerServiceError(Case::rejectedRequest, status);
}

QString AnswerServiceError::errorDescription() const {
    return messageOf(m_case, m_status);
}

AnswerServiceError AnswerServiceError::errorFor(const std::optional<QString>& code) {
    if (!code)
        return Case::serverUnavailable;
    static const std::pair<const char*, Case> table[] = {
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
    };
    for (const auto& [name, result] : table) {
        if (*code == QLatin1String(name))
            return result;
    }
    return Case::serverUnavailable;
}

std::optional<QString> AnswerServiceError::serviceErrorCode(QByteArrayView body) {
    const QJsonDocument document = QJsonDocument::fromJson(body.toByteArray());
    const QJsonValue code = document.object().value(QLatin1String("error"))[QLatin1String("code")];
    if (!document.isObject() || !code.isString())
        return std::nullopt;
    return code.toString();
}

} // namespace corvel
