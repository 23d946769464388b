#include "core/AnswerPrompt.h"
#include "core/AnswerService.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace corvel {

using Case = AnswerServiceError::Case;

HttpRequest AnswerService::cloudRequest(const QUrl& baseURL, const QString& path,
                                        const QString& idToken, const CancelToken& token) const {
    token.throwIfCancelled();
    if (baseURL.scheme() != QLatin1String("https") || baseURL.host().isEmpty() ||
        !baseURL.userName().isEmpty() || !baseURL.password().isEmpty() || baseURL.hasQuery() ||
        baseURL.hasFragment())
        throw AnswerServiceError(Case::cloudNotConfigured);
    const QString trimmedToken = idToken.trimmed();
    if (trimmedToken.isEmpty() || hasSpaceOrControl(trimmedToken))
        throw AnswerServiceError(Case::signInRequired);

    QUrl url = baseURL;
    QString urlPath = url.path();
    for (const QString& piece : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (!urlPath.endsWith(QLatin1Char('/')))
            urlPath += QLatin1Char('/');
        urlPath += piece;
    }
    url.setPath(urlPath);

    HttpRequest request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Authorization", "Bearer " + trimmedToken.toUtf8()},
                       {"Content-Type", "application/json"},
                       {"Accept", "application/json"}};
    return request;
}

QCoro::Task<QJsonObject> AnswerService::cloudJSONObject(HttpRequest request, CancelToken token) {
    std::exception_ptr failure;
    try {
        auto reply = co_await m_session->send(std::move(request), token);
        // One more byte than allowed tells an oversized body from one at the limit.
        const QByteArray body = co_await reply->readPrefix(maximumCloudBodyBytes + 1, token);
        token.throwIfCancelled();
        const int status = reply->status();
        if (status == 0)
            throw AnswerServiceError(Case::invalidStream);
        if (status < 200 || status > 299)
            throw cloudResponseError(status, body.left(maximumErrorBodyBytes));
        if (body.size() > maximumCloudBodyBytes)
            throw AnswerServiceError(Case::invalidStream);
        try {
            co_return json::decodeObject(body);
        } catch (const JsonDecodingError&) {
            throw AnswerServiceError(Case::invalidStream);
        }
    } catch (...) {
        failure = sanitizedError(std::current_exception(), token);
    }
    std::rethrow_exception(failure);
}

QCoro::Task<CloudAccountBalance> AnswerService::cloudAccount(QUrl baseURL, QString idToken,
                                                             CancelToken token) {
    HttpRequest request = cloudRequest(baseURL, QStringLiteral("account"), idToken, token);
    request.method = "GET";
    co_return co_await cloudJSON<CloudAccountBalance>(std::move(request), token);
}

QCoro::Task<CloudSessionLease> AnswerService::startCloudSession(QUrl baseURL, QString idToken,
                                                                QUuid clientSessionID,
                                                                CancelToken token) {
    HttpRequest request = cloudRequest(baseURL, QStringLiteral("sessions/start"), idToken, token);
    request.body =
        compactJson({{QStringLiteral("clientSessionId"), json::uuidText(clientSessionID)}});
    co_return co_await cloudJSON<CloudSessionLease>(std::move(request), token);
}

QCoro::Task<CloudSessionLease> AnswerService::heartbeatCloudSession(QUrl baseURL, QString idToken,
                                                                    QString sessionID,
                                                                    CancelToken token) {
    HttpRequest request =
        cloudRequest(baseURL, QStringLiteral("sessions/heartbeat"), idToken, token);
    request.body = compactJson({{QStringLiteral("sessionId"), sessionID}});
    co_return co_await cloudJSON<CloudSessionLease>(std::move(request), token);
}

QCoro::Task<CloudSessionStop> AnswerService::stopCloudSession(QUrl baseURL, QString idToken,
                                                              QString sessionID,
                                                              CancelToken token) {
    HttpRequest request = cloudRequest(baseURL, QStringLiteral("sessions/stop"), idToken, token);
    request.body = compactJson({{QStringLiteral("sessionId"), sessionID}});
    co_return co_await cloudJSON<CloudSessionStop>(std::move(request), token);
}

QCoro::Task<> AnswerService::streamCloudAnswer(QString question, InterviewContext context,
                                               AnswerStyle style, QString sessionID,
                                               QString idToken, QUrl baseURL, DeltaHandler onDelta,
                                               CancelToken token) {
    if (question.trimmed().isEmpty())
        throw AnswerServiceError(Case::emptyQuestion);
    if (!context.ready())
        throw AnswerServiceError(Case::invalidContext);
    HttpRequest request = cloudRequest(baseURL, QStringLiteral("answers"), idToken, token);
    const auto cut = [](const QString& text, qsizetype limit) {
        return AnswerPrompt::limitedText(text, limit, false);
    };
    const QJsonObject fields{
        {QStringLiteral("name"), cut(context.name, 160)},
        {QStringLiteral("role"), cut(context.role, 250)},
        {QStringLiteral("company"), cut(context.company, 250)},
        {QStringLiteral("resume"), cut(context.resume, 50'000)},
        {QStringLiteral("jobDescription"), cut(context.jobDescription, 40'000)},
        {QStringLiteral("notes"), cut(context.notes, 20'000)},
        {QStringLiteral("language"), isEnglishLanguage(context.language)
                                         ? QStringLiteral("English")
                                         : QStringLiteral("Français")},
    };
    request.body = compactJson({{QStringLiteral("sessionId"), sessionID},
                                {QStringLiteral("question"), cut(question, 4'000)},
                                {QStringLiteral("context"), fields},
                                {QStringLiteral("style"), caseName(style)}});
    if (request.body.size() > maximumCloudBodyBytes)
        throw AnswerServiceError(Case::invalidContext);
    request.setHeader("Accept", "text/event-stream");
    co_await consumeStream(std::move(request), true, std::move(onDelta), token);
}

} // namespace corvel
