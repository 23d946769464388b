// What the store benchmarks share: a loopback answer server, a clock pushed forward on demand, the
// fixture's in-memory keyring, a store ready for a session, and an event loop run until a condition
// holds.
#pragma once

#include "core/AnswerService.h"
#include "core/InterviewContext.h"
#include "listening/AudioCapture.h"
#include "platform/SecretStore.h"
#include "platform/UptimeClock.h"
#include "session/AppStore.h"

#include "fixture/MemorySecretStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace corvel::bench {

using Instant = std::chrono::steady_clock::time_point;
inline Instant now() {
    return std::chrono::steady_clock::now();
}
inline double seconds(Instant from, Instant to) {
    return std::chrono::duration<double>(to - from).count();
}

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The system clock pushed forward on demand, so each new question lies outside the store's
// 12-second repeat window without the benchmark having to wait.
class ShiftedClock final : public UptimeClock {
public:
    double now() const override { return systemUptimeClock().now() + m_offset; }
    QCoro::Task<> sleep(double seconds, CancelToken token) override {
        return systemUptimeClock().sleep(seconds, std::move(token));
    }
    void advance(double seconds) { m_offset += seconds; }

private:
    double m_offset = 0;
};

inline QByteArray deltaEvent(const QByteArray& text) {
    return R"(data: {"type":"response.output_text.delta","delta":")" + text + "\"}\n\n";
}

// A keep-alive HTTP/1.1 answer server on 127.0.0.1 streaming chunked SSE; it notes when the
// first bytes of each request arrive and either answers at once or holds the stream open.
class AnswerServer final : public QObject {
public:
    AnswerServer() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++connections;
                // Small event writes must not wait on Nagle's algorithm and a delayed ACK.
                socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    m_pending.remove(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
    }

    // Writes one event of the held stream and pushes it to the kernel at once.
    void send(const QByteArray& event) {
        if (!held)
            return;
        held->write(chunk(event));
        held->flush();
    }
    void finishHeld() {
        if (held)
            finish(held);
        held = nullptr;
    }

    bool holdStreams = false;
    std::optional<Instant> requestStarted; // first bytes of the latest request
    int connections = 0;
    QPointer<QTcpSocket> held;

private:
    struct Pending {
        QByteArray buffer;
        bool started = false;
    };

    static QByteArray chunk(const QByteArray& data) {
        return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
    }

    // The completion and the last chunk go out together, so the client sees the body end and
    // keeps the connection for the next request.
    static void finish(QTcpSocket* socket) {
        socket->write(chunk(R"(data: {"type":"response.completed","response":{}})"
                            "\n\n") +
                      "0\r\n\r\n");
        socket->flush();
    }

    void read(QTcpSocket* socket) {
        const Instant arrived = now();
        Pending& pending = m_pending[socket];
        if (!pending.started) {
            pending.started = true;
            requestStarted = arrived;
        }
        pending.buffer += socket->readAll();
        const qsizetype headerEnd = pending.buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : pending.buffer.left(headerEnd).split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (trimmed.toLower().startsWith("content-length:"))
                length = trimmed.mid(15).trimmed().toLongLong();
        }
        if (pending.buffer.size() < headerEnd + 4 + length)
            return;
        pending.buffer.remove(0, headerEnd + 4 + length);
        pending.started = !pending.buffer.isEmpty();
        QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n"
                           "Transfer-Encoding: chunked\r\n\r\n" +
                           chunk(deltaEvent("x"));
        socket->write(reply);
        if (holdStreams) {
            held = socket;
            socket->flush();
        } else {
            finish(socket);
        }
    }

    // Outlives the server, whose sockets report their disconnection as it is destroyed.
    QHash<QTcpSocket*, Pending> m_pending;
    QTcpServer m_server;
};

// Runs the event loop, sleeping in it as the application does, until `done` holds.
inline bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake; // bounds each wait so the deadline is noticed
    wake.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A store over `folder` with automatic answers and the given interview prepared, ready to start a
// session.
inline std::unique_ptr<AppStore>
preparedStore(const QString& folder, std::shared_ptr<AnswerService> answers, AudioCapture& audio,
              SecretStore& secrets, UptimeClock& clock, const InterviewContext& context) {
    AppStore::Dependencies d;
    d.storageDirectory = folder;
    d.apiKey = QStringLiteral("sk-bench");
    d.answerService = std::move(answers);
    d.audio = &audio;
    d.secretStore = &secrets;
    d.clock = &clock;
    d.automaticallyOpenOverlay = false;
    auto store = std::make_unique<AppStore>(std::move(d));
    store->setContext(context);
    store->setAutomaticAnswers(true);
    return store;
}

} // namespace corvel::bench
