#include "platform/HttpSession.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

namespace corvel {

HttpSession::HttpSession(Options options)
    : m_options(std::move(options)), m_manager(std::make_unique<QNetworkAccessManager>()) {
    m_manager->setAutoDeleteReplies(false);
}

HttpSession::~HttpSession() = default;

QCoro::Task<std::unique_ptr<HttpReply>> HttpSession::send(HttpRequest request, CancelToken token) {
    token.throwIfCancelled();
    QNetworkRequest target(request.url);
    for (const auto& [name, value] : request.headers)
        target.setRawHeader(name, value);
    // A compressed body would be inflated inside Qt, past the limits the callers read with.
    if (request.header("Accept-Encoding").isEmpty())
        target.setRawHeader("Accept-Encoding", "identity");
    target.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    target.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    target.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    target.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    target.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    target.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    target.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                        m_options.redirects == Redirects::sameOrigin
                            ? QNetworkRequest::SameOriginRedirectPolicy
                            : QNetworkRequest::ManualRedirectPolicy);
    if (request.url.scheme() == QLatin1String("https")) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        if (!m_options.extraCaCertificates.isEmpty())
            tls.addCaCertificates(m_options.extraCaCertificates);
        target.setSslConfiguration(tls);
    }

    QNetworkReply* raw = request.method == "GET"
                             ? m_manager->get(target)
                             : m_manager->sendCustomRequest(target, request.method, request.body);
    auto reply =
        std::make_unique<HttpReply>(raw, m_options.requestTimeout, m_options.resourceTimeout);
    // Qt follows an allowed redirect only after its 3xx headers have arrived; the caller gets
    // the reply it leads to, or the 3xx itself once Qt has refused to follow it.
    const auto awaitsRedirect = [&] {
        const int status = reply->status();
        const bool followable = (status == 301 || status == 302 || status == 303 || status == 305 ||
                                 status == 307 || status == 308) &&
                                !reply->header("Location").isEmpty();
        return m_options.redirects == Redirects::sameOrigin && !reply->isFinished() &&
               (followable || reply->isFollowingRedirect());
    };
    while (!reply->hasHeaders() || awaitsRedirect()) {
        reply->throwIfFailed();
        if (reply->isFinished())
            break;
        co_await reply->waitForActivity(token);
    }
    co_return reply;
}

} // namespace corvel
