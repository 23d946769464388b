#include "platform/HttpReply.h"

#include "platform/NetworkError.h"
#include "platform/Wakeup.h"

#include <QNetworkInterface>
#include <QNetworkReply>

#include <algorithm>
#include <utility>

namespace corvel {

namespace {

bool isTransportError(QNetworkReply::NetworkError error) {
    // 1–199 are connection and proxy failures, 301–399 protocol failures except the one Qt uses
    // for HTTP 400; the other ranges only restate the HTTP status, which the caller reads itself.
    const int code = error;
    return (code >= 1 && code < 200) ||
           (code >= 301 && code < 400 && error != QNetworkReply::ProtocolInvalidOperationError);
}

// Whether any interface besides loopback is up with an address that reaches past its own link.
// Without one, nothing can be looked up or routed, whatever the host.
bool hasConfiguredNetwork() {
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
            if (!entry.ip().isLoopback() && !entry.ip().isLinkLocal())
                return true;
        }
    }
    return false;
}

NetworkError::Kind kindOf(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::TimeoutError:
        return NetworkError::Kind::timedOut;
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return NetworkError::Kind::connectionLost;
    // A failed lookup, or a socket error such as "network unreachable", means no network only
    // when the computer has none; otherwise it is this host's or this route's failure.
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::UnknownNetworkError:
        return hasConfiguredNetwork() ? NetworkError::Kind::failed
                                      : NetworkError::Kind::notConnected;
    default:
        return NetworkError::Kind::failed;
    }
}

} // namespace

HttpReply::HttpReply(QNetworkReply* reply, std::chrono::milliseconds requestTimeout,
                     std::chrono::milliseconds resourceTimeout)
    : m_reply(reply) {
    m_reply->setReadBufferSize(kBufferSize);
    // Qt forgets a buffer size set before its transfer thread took the request, and it may take
    // it on a later turn of the event loop: set it again then, and once the headers are in.
    QTimer::singleShot(0, m_reply, [reply = m_reply] { reply->setReadBufferSize(kBufferSize); });
    m_idleTimer.setSingleShot(true);
    m_resourceTimer.setSingleShot(true);
    const auto onTimeout = [this] {
        m_timedOut = true;
        wake();
    };
    QObject::connect(&m_idleTimer, &QTimer::timeout, onTimeout);
    QObject::connect(&m_resourceTimer, &QTimer::timeout, onTimeout);
    const auto onActivity = [this] {
        if (m_reply)
            m_peakBuffered = std::max(m_peakBuffered, m_reply->bytesAvailable());
        m_idleTimer.start();
        wake();
    };
    QObject::connect(m_reply, &QNetworkReply::metaDataChanged, &m_idleTimer, [this, onActivity] {
        m_reply->setReadBufferSize(kBufferSize);
        m_followingRedirect = false;
        onActivity();
    });
    // Until the next headers arrive, the status and headers are still the redirect's.
    QObject::connect(m_reply, &QNetworkReply::redirected, &m_idleTimer, [this, onActivity] {
        m_followingRedirect = true;
        onActivity();
    });
    QObject::connect(m_reply, &QNetworkReply::readyRead, &m_idleTimer, onActivity);
    QObject::connect(m_reply, &QNetworkReply::uploadProgress, &m_idleTimer, onActivity);
    QObject::connect(m_reply, &QNetworkReply::finished, &m_idleTimer, [this] {
        m_idleTimer.stop();
        wake();
    });
    // Its session may go first: whoever awaits the reply then learns it is gone.
    QObject::connect(m_reply, &QObject::destroyed, &m_idleTimer, [this] { wake(); });
    m_idleTimer.start(requestTimeout);
    m_resourceTimer.start(resourceTimeout);
}

HttpReply::~HttpReply() {
    if (!m_reply)
        return;
    QObject::disconnect(m_reply, nullptr, &m_idleTimer, nullptr);
    if (!m_reply->isFinished())
        m_reply->abort();
    m_reply->deleteLater();
}

int HttpReply::status() const {
    return m_reply ? m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
}

QByteArray HttpReply::header(const QByteArray& name) const {
    return m_reply ? m_reply->rawHeader(name) : QByteArray();
}

QUrl HttpReply::url() const {
    return m_reply ? m_reply->url() : QUrl();
}

bool HttpReply::hasHeaders() const {
    return m_reply && m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

bool HttpReply::isFinished() const {
    return !m_reply || m_reply->isFinished();
}

void HttpReply::wake() {
    // Resume from the event loop, never from inside a signal of the reply or a timer.
    if (auto* wakeup = std::exchange(m_wakeup, nullptr))
        wakeup->fireSoon();
}

QCoro::Task<> HttpReply::waitForActivity(CancelToken token) {
    token.throwIfCancelled();
    Wakeup wakeup;
    m_wakeup = &wakeup;
    const auto registration = token.onCancel([this] { wake(); });
    co_await wakeup;
    m_wakeup = nullptr;
    if (token.isCancelled()) {
        if (m_reply && !m_reply->isFinished())
            m_reply->abort();
        throw CancellationError();
    }
}

void HttpReply::throwIfFailed() {
    if (m_timedOut) {
        if (m_reply) {
            QObject::disconnect(m_reply, nullptr, &m_idleTimer, nullptr);
            m_reply->abort();
        }
        throw NetworkError(NetworkError::Kind::timedOut, QStringLiteral("The request timed out"));
    }
    if (!m_reply)
        throw NetworkError(NetworkError::Kind::failed, QStringLiteral("The reply is gone"));
    if (!m_reply->isFinished())
        return;
    const auto error = m_reply->error();
    if (error == QNetworkReply::OperationCanceledError)
        throw CancellationError();
    // A redirect Qt would not follow (no usable Location) is still a reply with its status.
    const int code = status();
    if (isTransportError(error) && !(code >= 300 && code <= 399))
        throw NetworkError(kindOf(error), m_reply->errorString());
}

QCoro::Task<QByteArray> HttpReply::read(CancelToken token) {
    while (true) {
        token.throwIfCancelled();
        if (m_timedOut)
            throwIfFailed();
        if (m_reply && m_reply->bytesAvailable() > 0) {
            QByteArray bytes = m_reply->read(kBufferSize);
            m_bytesRead += bytes.size();
            co_return bytes;
        }
        throwIfFailed();
        if (isFinished()) {
            m_resourceTimer.stop();
            co_return QByteArray();
        }
        co_await waitForActivity(token);
    }
}

QCoro::Task<QByteArray> HttpReply::readPrefix(qint64 limit, CancelToken token) {
    QByteArray prefix;
    while (prefix.size() < limit) {
        const QByteArray bytes = co_await read(token);
        if (bytes.isEmpty())
            break;
        prefix.append(bytes.left(limit - prefix.size()));
    }
    co_return prefix;
}

} // namespace corvel
