#pragma once

#include "platform/Cancellation.h"
#include "platform/HttpReply.h"
#include "platform/HttpRequest.h"

#include <QCoroTask>
#include <QList>
#include <QSslCertificate>

#include <chrono>
#include <memory>

class QNetworkAccessManager;

namespace corvel {

// An ephemeral HTTP client: no cookie jar, no cache, no stored credentials, and our own time-outs
// so that a stalled server fails with NetworkError::Kind::timedOut rather than a silent abort.
class HttpSession final {
public:
    enum class Redirects {
        refuse,     // a 3xx reply comes back to the caller as it is
        sameOrigin, // followed only to the same scheme, host and port
    };
    struct Options {
        // Longest wait for the next bytes from the server.
        std::chrono::milliseconds requestTimeout{25'000};
        // Longest whole exchange, from sending to the last byte read.
        std::chrono::milliseconds resourceTimeout{60'000};
        Redirects redirects = Redirects::refuse;
        // Trusted in addition to the system's certificate authorities.
        QList<QSslCertificate> extraCaCertificates;
    };

    explicit HttpSession(Options options);
    ~HttpSession();
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    const Options& options() const { return m_options; }

    // Sends the request and resumes once the status and headers are in; the body is then read
    // from the reply. Throws NetworkError, or CancellationError once `token` is cancelled.
    QCoro::Task<std::unique_ptr<HttpReply>> send(HttpRequest request, CancelToken token);

private:
    Options m_options;
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

} // namespace corvel
