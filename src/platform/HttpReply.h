#pragma once

#include "platform/Cancellation.h"

#include <QByteArray>
#include <QCoroTask>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>

class QNetworkReply;

namespace corvel {

class Wakeup;

// A reply whose status and headers have arrived. The body is read on demand, so a server can
// never make the client buffer more than a small window (kBufferSize) beyond what it asked for.
// Destroying the reply aborts the transfer.
class HttpReply final {
public:
    static constexpr qint64 kBufferSize = 64 * 1024;

    HttpReply(QNetworkReply* reply, std::chrono::milliseconds requestTimeout,
              std::chrono::milliseconds resourceTimeout);
    ~HttpReply();
    HttpReply(const HttpReply&) = delete;
    HttpReply& operator=(const HttpReply&) = delete;

    int status() const;
    QByteArray header(const QByteArray& name) const;
    // The URL this reply answers: the request's, unless a redirect was followed.
    QUrl url() const;

    // The next bytes of the body, at most kBufferSize; empty once the body has ended.
    // Throws NetworkError, or CancellationError once `token` is cancelled.
    QCoro::Task<QByteArray> read(CancelToken token);
    // At most the first `limit` bytes of the body; reads no further than that.
    QCoro::Task<QByteArray> readPrefix(qint64 limit, CancelToken token);

    // Body bytes handed to the caller so far.
    qint64 bytesRead() const { return m_bytesRead; }
    // The most body bytes ever held unread in the reply's buffer.
    qint64 peakBuffered() const { return m_peakBuffered; }

private:
    friend class HttpSession;
    bool hasHeaders() const;
    bool isFinished() const;
    bool isFollowingRedirect() const { return m_followingRedirect; }
    QCoro::Task<> waitForActivity(CancelToken token);
    void throwIfFailed();
    void wake();

    QPointer<QNetworkReply> m_reply;
    QTimer m_idleTimer;
    QTimer m_resourceTimer;
    bool m_timedOut = false;
    bool m_followingRedirect = false;
    Wakeup* m_wakeup = nullptr;
    qint64 m_bytesRead = 0;
    qint64 m_peakBuffered = 0;
};

} // namespace corvel
