#pragma once

#include "platform/Cancellation.h"
#include "platform/HttpRequest.h"

#include <QByteArray>
#include <QCoroTask>
#include <QUrl>

namespace corvel {

// Sends every request of the sign-in clients, so that they can be given another transport.
class GoogleAuthTransport {
public:
    struct Reply {
        int status = 0;
        QUrl url; // the URL the reply answers
        QByteArray body;
    };

    // The clients refuse a longer body, so a transport need read no more than one byte past it.
    static constexpr qsizetype kMaximumBodyBytes = 1'048'576;

    virtual ~GoogleAuthTransport() = default;
    // The status is not judged here. Throws NetworkError for a failed transfer,
    // CancellationError once `token` is cancelled, and GoogleAuthError::server for a reply that
    // is not HTTP or answers another URL.
    virtual QCoro::Task<Reply> send(HttpRequest request, CancelToken token) = 0;
};

} // namespace corvel
