#include "core/AnswerService.h"

#include "core/AnswerPrompt.h"
#include "core/ResponseStreamDecoder.h"
#include "core/SSEByteParser.h"
#include "platform/NetworkError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace corvel {

namespace {

using Case = AnswerServiceError::Case;

bool isSuccess(int status) {
    return status >= 200 && status <= 299;
}

} // namespace

bool AnswerService::hasSpaceOrControl(const QString& text) {
    for (const char32_t scalar : text.toUcs4()) {
        const auto category = QChar::category(scalar);
        if (QChar::isSpace(scalar) || category == QChar::Other_Control ||
            category == QChar::Other_Format)
            return true;
    }
    return false;
}

QByteArray AnswerService::compactJson(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString AnswerService::validatedKey(const QString& key) {
    const QString trimmed = key.trimmed();
    if (trimmed.isEmpty())
        throw AnswerServiceError(Case::missingAPIKey);
    if (hasSpaceOrControl(trimmed))
        throw AnswerServiceError(Case::invalidAPIKey);
    return trimmed;
}

QString AnswerService::validatedModel(const QString& model) {
    QString trimmed = model.trimmed();
    if (trimmed.isEmpty())
        trimmed = QStringLiteral("gpt-4.1-mini");
    if (AnswerPrompt::limitedText(trimmed, 120, false) != trimmed || hasSpaceOrControl(trimmed))
        throw AnswerServiceError(Case::invalidModel);
    return trimmed;
}

HttpSession::Options AnswerService::defaultHttpOptions() {
    HttpSession::Options options;
    options.requestTimeout = std::chrono::seconds(25);
    options.resourceTimeout = std::chrono::seconds(60);
    // Never carry the bearer key to another host.
    options.redirects = HttpSession::Redirects::sameOrigin;
    return options;
}

AnswerService::AnswerService() : AnswerService(Options()) {}

AnswerService::AnswerService(Options options)
    : m_options(std::move(options)), m_session(std::make_unique<HttpSession>(m_options.http)) {}

AnswerService::~AnswerService() = default;

AnswerServiceError AnswerService::responseError(int status, QByteArrayView data) {
    const auto code = AnswerServiceError::serviceErrorCode(data);
    if (status == 401 || status == 403)
        return Case::unauthorized;
    if (status == 404)
        return Case::modelUnavailable;
    if (status == 429)
        return code == QStringLiteral("insufficient_quota") ? Case::quotaExceeded
                                                            : Case::rateLimited;
    if (status >= 500 && status <= 599)
        return Case::serverUnavailable;
    return AnswerServiceError::rejectedRequest(status);
}

AnswerServiceError AnswerService::cloudResponseError(int status, QByteArrayView data) {
    if (const auto code = AnswerServiceError::serviceErrorCode(data))
        return AnswerServiceError::errorFor(code);
    switch (status) {
    case 400:
        return Case::invalidContext;
    case 401:
        return Case::signInRequired;
    case 403:
        return Case::googleAccountRequired;
    case 409:
        return Case::sessionExpired;
    case 429:
        return Case::rateLimited;
    default:
        return Case::cloudUnavailable;
    }
}

std::exception_ptr AnswerService::sanitizedError(std::exception_ptr error,
                                                 const CancelToken& token) {
    if (token.isCancelled())
        return std::make_exception_ptr(CancellationError());
    try {
        std::rethrow_exception(error);
    } catch (const CancellationError&) {
        return std::make_exception_ptr(CancellationError());
    } catch (const AnswerServiceError&) {
        return error;
    } catch (const NetworkError& transport) {
        switch (transport.kind()) {
        case NetworkError::Kind::timedOut:
            return std::make_exception_ptr(AnswerServiceError(Case::timedOut));
        case NetworkError::Kind::connectionLost:
        case NetworkError::Kind::notConnected:
            return std::make_exception_ptr(AnswerServiceError(Case::offline));
        case NetworkError::Kind::failed:
            break;
        }
    } catch (...) {
    }
    return std::make_exception_ptr(AnswerServiceError(Case::networkFailure));
}

HttpRequest AnswerService::openAIRequest(const QString& key, const QByteArray& accept,
                                         const QByteArray& body) const {
    HttpRequest request;
    request.method = "POST";
    request.url = m_options.openAIBaseURL;
    request.url.setPath(request.url.path() + QStringLiteral("/v1/responses"));
    request.headers = {{"Authorization", "Bearer " + key.toUtf8()},
                       {"Content-Type", "application/json"},
                       {"Accept", accept}};
    request.body = body;
    return request;
}

QCoro::Task<> AnswerService::verifyConnection(QString apiKey, QString model, CancelToken token) {
    token.throwIfCancelled();
    const QString key = validatedKey(apiKey);
    const QString validModel = validatedModel(model);
    HttpRequest request = openAIRequest(
        key, "application/json",
        compactJson({{QStringLiteral("model"), validModel},
                     {QStringLiteral("input"), QStringLiteral("Réponds uniquement OK.")},
                     {QStringLiteral("stream"), false},
                     {QStringLiteral("store"), false},
                     {QStringLiteral("max_output_tokens"), 16}}));
    // GCC 12 may free an exception rethrown from a coroutine's catch block: rethrow after it.
    std::exception_ptr failure;
    try {
        co_await sendForSuccess(std::move(request), false, token);
    } catch (...) {
        failure = sanitizedError(std::current_exception(), token);
    }
    if (failure)
        std::rethrow_exception(failure);
}

QCoro::Task<> AnswerService::streamAnswer(QString question, InterviewContext context,
                                          AnswerStyle style, QString apiKey, QString model,
                                          DeltaHandler onDelta, CancelToken token) {
    token.throwIfCancelled();
    const QString key = validatedKey(apiKey);
    if (question.trimmed().isEmpty())
        throw AnswerServiceError(Case::emptyQuestion);
    const QString validModel = validatedModel(model);
    const QJsonObject message{{QStringLiteral("role"), QStringLiteral("user")},
                              {QStringLiteral("content"), AnswerPrompt::input(question, context)}};
    const QJsonObject body{
        {QStringLiteral("model"), validModel},
        {QStringLiteral("instructions"), AnswerPrompt::instructions(style)},
        {QStringLiteral("input"), QJsonArray{message}},
        {QStringLiteral("stream"), true},
        {QStringLiteral("store"), false},
        {QStringLiteral("max_output_tokens"), AnswerPrompt::maxOutputTokens(style)},
    };
    co_await consumeStream(openAIRequest(key, "text/event-stream", compactJson(body)), false,
                           std::move(onDelta), token);
}

QCoro::Task<std::unique_ptr<HttpReply>>
AnswerService::sendForSuccess(HttpRequest request, bool cloud, CancelToken token) {
    auto reply = co_await m_session->send(std::move(request), token);
    const int status = reply->status();
    if (status == 0)
        throw AnswerServiceError(Case::invalidStream);
    if (!isSuccess(status)) {
        const QByteArray body = co_await reply->readPrefix(maximumErrorBodyBytes, token);
        throw cloud ? cloudResponseError(status, body) : responseError(status, body);
    }
    co_return reply;
}

QCoro::Task<> AnswerService::consumeStream(HttpRequest request, bool cloud, DeltaHandler onDelta,
                                           CancelToken token) {
    std::exception_ptr failure;
    try {
        auto reply = co_await sendForSuccess(std::move(request), cloud, token);
        SSEByteParser parser;
        bool textSeen = false;
        bool completed = false;
        qsizetype delivered = 0;
        // Past the bound, the text up to it is delivered and the answer ends as unreadable.
        const auto deliver = [&](const QString& text) {
            const qsizetype room = maximumAnswerLength - delivered;
            if (text.size() <= room) {
                onDelta(text);
                delivered += text.size();
                textSeen = textSeen || !text.isEmpty();
                return;
            }
            const qsizetype cut = room > 0 && text.at(room - 1).isHighSurrogate() ? room - 1 : room;
            if (cut > 0)
                onDelta(text.left(cut));
            throw AnswerServiceError(Case::invalidStream);
        };
        // Returns whether to read on. onDelta may cancel the token: it is checked right after.
        const auto handle = [&](const SSEEvent& event) {
            ResponseStreamUpdate update = ResponseStreamDecoder::decode(event);
            switch (update.kind) {
            case ResponseStreamUpdate::Kind::delta:
                deliver(update.text);
                return !token.isCancelled();
            case ResponseStreamUpdate::Kind::completed:
                if (!textSeen)
                    throw AnswerServiceError(Case::invalidStream);
                completed = true;
                return false;
            case ResponseStreamUpdate::Kind::ignore:
                break;
            }
            return true;
        };
        while (!completed) {
            token.throwIfCancelled();
            const QByteArray chunk = co_await reply->read(token);
            if (chunk.isEmpty())
                break;
            parser.consume(chunk, handle);
        }
        if (completed)
            co_return;

        token.throwIfCancelled();
        std::optional<SSEEvent> last;
        if (parser.hasPendingLine())
            last = parser.flushLine();
        if (!last)
            last = parser.eventParser().finish();
        if (!last)
            throw AnswerServiceError(Case::interruptedStream);
        const ResponseStreamUpdate update = ResponseStreamDecoder::decode(*last);
        if (update.kind == ResponseStreamUpdate::Kind::completed) {
            if (!textSeen)
                throw AnswerServiceError(Case::invalidStream);
            co_return;
        }
        if (update.kind == ResponseStreamUpdate::Kind::delta)
            deliver(update.text);
        throw AnswerServiceError(Case::interruptedStream);
    } catch (...) {
        failure = sanitizedError(std::current_exception(), token);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace corvel
