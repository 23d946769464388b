#pragma once

#include "core/AnswerServiceError.h"
#include "core/AnswerSource.h"
#include "core/AnswerStyle.h"
#include "core/CloudAccountBalance.h"
#include "core/CloudSessionLease.h"
#include "core/InterviewContext.h"
#include "core/JsonCoding.h"
#include "platform/Cancellation.h"
#include "platform/HttpSession.h"

#include <QCoroTask>
#include <QUrl>
#include <QUuid>

#include <exception>
#include <functional>
#include <memory>

namespace corvel {

// The one network client for answers: the OpenAI Responses API with the user's own key, and the
// cloud service with a signed-in account. Operations share only the HTTP session and may overlap.
// Every operation throws AnswerServiceError, or CancellationError once its token is cancelled.
class AnswerService final : public AnswerSource {
public:
    struct Options {
        QUrl openAIBaseURL = QUrl(QStringLiteral("https://api.openai.com"));
        HttpSession::Options http = defaultHttpOptions();
    };
    static HttpSession::Options defaultHttpOptions();

    static constexpr qsizetype maximumErrorBodyBytes = 16'384;
    static constexpr qsizetype maximumCloudBodyBytes = 262'144;
    // Text one answer may deliver, in UTF-16 units. The largest output budget (520 tokens) is a
    // few thousand characters; a server that streams on past this is not answering, and every
    // delta costs the caller work in proportion to the answer so far.
    static constexpr qsizetype maximumAnswerLength = 200'000;

    AnswerService();
    explicit AnswerService(Options options);
    ~AnswerService() override;

    QCoro::Task<> verifyConnection(QString apiKey, QString model, CancelToken token) override;
    QCoro::Task<> streamAnswer(QString question, InterviewContext context, AnswerStyle style,
                               QString apiKey, QString model, DeltaHandler onDelta,
                               CancelToken token) override;

    // A POST to `path` under the cloud base URL with the account's bearer token.
    HttpRequest cloudRequest(const QUrl& baseURL, const QString& path, const QString& idToken,
                             const CancelToken& token) const;
    // Sends a cloud request and decodes its JSON reply as `Reply` (a type with fromJson).
    template <typename Reply> QCoro::Task<Reply> cloudJSON(HttpRequest request, CancelToken token);
    QCoro::Task<CloudAccountBalance> cloudAccount(QUrl baseURL, QString idToken,
                                                  CancelToken token) override;
    QCoro::Task<CloudSessionLease> startCloudSession(QUrl baseURL, QString idToken,
                                                     QUuid clientSessionID,
                                                     CancelToken token) override;
    QCoro::Task<CloudSessionLease> heartbeatCloudSession(QUrl baseURL, QString idToken,
                                                         QString sessionID,
                                                         CancelToken token) override;
    QCoro::Task<CloudSessionStop> stopCloudSession(QUrl baseURL, QString idToken, QString sessionID,
                                                   CancelToken token) override;
    QCoro::Task<> streamCloudAnswer(QString question, InterviewContext context, AnswerStyle style,
                                    QString sessionID, QString idToken, QUrl baseURL,
                                    DeltaHandler onDelta, CancelToken token) override;

    static AnswerServiceError responseError(int status, QByteArrayView data);
    static AnswerServiceError cloudResponseError(int status, QByteArrayView data);
    // Any error to an AnswerServiceError, or to a fresh CancellationError for any cancellation.
    static std::exception_ptr sanitizedError(std::exception_ptr error, const CancelToken& token);
    // The trimmed key as it is sent; missingAPIKey or invalidAPIKey otherwise. Saving a key uses
    // the same test, so a key this refuses is never reported as saved.
    static QString validatedKey(const QString& key);

private:
    static QString validatedModel(const QString& model);
    // White space, line breaks, and control or format characters anywhere in the text.
    static bool hasSpaceOrControl(const QString& text);
    static QByteArray compactJson(const QJsonObject& object);
    HttpRequest openAIRequest(const QString& key, const QByteArray& accept,
                              const QByteArray& body) const;
    // Sends the request; a reply that is not a success becomes the route's error.
    QCoro::Task<std::unique_ptr<HttpReply>> sendForSuccess(HttpRequest request, bool cloud,
                                                           CancelToken token);
    QCoro::Task<> consumeStream(HttpRequest request, bool cloud, DeltaHandler onDelta,
                                CancelToken token);
    QCoro::Task<QJsonObject> cloudJSONObject(HttpRequest request, CancelToken token);

    Options m_options;
    std::unique_ptr<HttpSession> m_session;
};

template <typename Reply>
QCoro::Task<Reply> AnswerService::cloudJSON(HttpRequest request, CancelToken token) {
    const QJsonObject object = co_await cloudJSONObject(std::move(request), token);
    std::optional<Reply> reply;
    try {
        reply = Reply::fromJson(object);
    } catch (const JsonDecodingError&) {
    }
    if (!reply)
        throw AnswerServiceError(AnswerServiceError::Case::invalidStream);
    co_return *std::move(reply);
}

} // namespace corvel
