#pragma once

#include "account/GoogleAuthTransport.h"
#include "platform/HttpSession.h"

namespace corvel {

// The sign-in transport over an HTTP session of its own: no cookies, cache or stored
// credentials, every redirect refused and returned as the reply, and our own time-outs.
class GoogleURLSessionTransport final : public GoogleAuthTransport {
public:
    // 30 s without data or 45 s in all end a transfer; redirects are refused.
    static HttpSession::Options defaultOptions();

    explicit GoogleURLSessionTransport(HttpSession::Options options = defaultOptions());

    QCoro::Task<Reply> send(HttpRequest request, CancelToken token) override;

private:
    HttpSession m_session;
};

} // namespace corvel
