#include "account/GoogleURLSessionTransport.h"

#include "account/GoogleAuthError.h"

namespace corvel {

HttpSession::Options GoogleURLSessionTransport::defaultOptions() {
    HttpSession::Options options;
    options.requestTimeout = std::chrono::seconds(30);
    options.resourceTimeout = std::chrono::seconds(45);
    options.redirects = HttpSession::Redirects::refuse;
    return options;
}

GoogleURLSessionTransport::GoogleURLSessionTransport(HttpSession::Options options)
    : m_session(std::move(options)) {}

QCoro::Task<GoogleAuthTransport::Reply> GoogleURLSessionTransport::send(HttpRequest request,
                                                                        CancelToken token) {
    const QUrl url = request.url;
    const auto reply = co_await m_session.send(std::move(request), token);
    if (reply->status() == 0 || reply->url() != url)
        throw GoogleAuthError(GoogleAuthError::server);
    // Reading stops one byte past the limit: enough for the clients to refuse the body, and a
    // server cannot make us hold more.
    QByteArray body = co_await reply->readPrefix(kMaximumBodyBytes + 1, token);
    co_return Reply{reply->status(), reply->url(), std::move(body)};
}

} // namespace corvel
