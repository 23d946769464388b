#pragma once

#include "account/GoogleAuthError.h"
#include "account/GoogleAuthTransport.h"

#include <memory>

namespace corvel::signin {

// The steps both sign-in clients take around every request: cancellation is honoured before
// sending and after the reply, the reply must answer the request's URL and stay within
// GoogleAuthTransport::kMaximumBodyBytes, and every failure becomes one GoogleAuthError:
// cancelled for a cancellation, connection for any transfer failure (a time-out included),
// a GoogleAuthError as it is. The status is left to the caller.
QCoro::Task<GoogleAuthTransport::Reply> send(std::shared_ptr<GoogleAuthTransport> transport,
                                             HttpRequest request, CancelToken token);

// send(), then the body of a success. A 401 is sessionExpired; any other failing status is the
// case `errorCase` reads from the error body.
QCoro::Task<QByteArray> successBody(std::shared_ptr<GoogleAuthTransport> transport,
                                    HttpRequest request, CancelToken token,
                                    GoogleAuthError::Case (*errorCase)(const QByteArray& body));

} // namespace corvel::signin
