#include "account/SignInRequest.h"

#include "account/GoogleAuthError.h"

#include <optional>

namespace corvel::signin {

QCoro::Task<GoogleAuthTransport::Reply> send(std::shared_ptr<GoogleAuthTransport> transport,
                                             HttpRequest request, CancelToken token) {
    std::optional<GoogleAuthError::Case> failure;
    try {
        token.throwIfCancelled();
        const QUrl url = request.url;
        auto reply = co_await transport->send(std::move(request), token);
        token.throwIfCancelled();
        if (reply.url != url || reply.body.size() > GoogleAuthTransport::kMaximumBodyBytes)
            throw GoogleAuthError(GoogleAuthError::server);
        co_return reply;
    } catch (const CancellationError&) {
        failure = GoogleAuthError::cancelled;
    } catch (const GoogleAuthError& error) {
        failure = error.errorCase();
    } catch (...) {
        failure = GoogleAuthError::connection;
    }
    throw GoogleAuthError(*failure);
}

QCoro::Task<QByteArray> successBody(std::shared_ptr<GoogleAuthTransport> transport,
                                    HttpRequest request, CancelToken token,
                                    GoogleAuthError::Case (*errorCase)(const QByteArray& body)) {
    const auto reply = co_await send(std::move(transport), std::move(request), token);
    if (reply.status >= 200 && reply.status <= 299)
        co_return reply.body;
    throw GoogleAuthError(reply.status == 401 ? GoogleAuthError::sessionExpired
                                              : errorCase(reply.body));
}

} // namespace corvel::signin
