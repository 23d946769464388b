#include "support/TestHttpServer.h"

#include "support/Files.h"

#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>
#include <stdexcept>

namespace corvel::test {

namespace {

struct TestPki {
    QSslCertificate ca;
    QSslCertificate server;
    QSslKey key;
};

// Runs openssl with space-separated arguments in `folder`.
void runOpenssl(const QString& folder, const char* arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("openssl"), QString::fromLatin1(arguments).split(u' '));
    if (!process.waitForFinished(30'000) || process.exitCode() != 0)
        throw std::runtime_error("openssl failed: " + process.readAllStandardError().toStdString());
}

const TestPki& testPki() {
    static const TestPki pki = [] {
        QTemporaryDir dir;
        const QString d = dir.path();
        runOpenssl(d, "req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                      "-keyout ca.key -out ca.crt -days 2 -subj /CN=CorvelTestCA "
                      "-addext basicConstraints=critical,CA:TRUE "
                      "-addext keyUsage=critical,keyCertSign,cRLSign");
        runOpenssl(d, "req -x509 -CA ca.crt -CAkey ca.key -newkey ec "
                      "-pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout server.key "
                      "-out server.crt -days 2 -subj /CN=127.0.0.1 "
                      "-addext subjectAltName=IP:127.0.0.1,DNS:localhost "
                      "-addext basicConstraints=CA:FALSE -addext extendedKeyUsage=serverAuth");
        return TestPki{QSslCertificate(readFile(d + QStringLiteral("/ca.crt"))),
                       QSslCertificate(readFile(d + QStringLiteral("/server.crt"))),
                       QSslKey(readFile(d + QStringLiteral("/server.key")), QSsl::Ec)};
    }();
    return pki;
}

} // namespace

// One accepted connection: reads one request, records it, plays the next response.
class TestHttpServer::Connection final : public QObject {
public:
    Connection(TestHttpServer& server, QTcpSocket* socket)
        : QObject(&server), m_server(server), m_socket(socket) {
        m_socket->setParent(this);
        connect(m_socket, &QTcpSocket::readyRead, this, &Connection::readRequest);
        // Over TLS, bytesWritten only means the bytes were encrypted; count what left instead.
        m_tls = qobject_cast<QSslSocket*>(m_socket);
        const auto sent = [this](qint64 bytes) {
            m_server.m_bytesSent += bytes;
            pump();
        };
        if (m_tls)
            connect(m_tls, &QSslSocket::encryptedBytesWritten, this, sent);
        else
            connect(m_socket, &QTcpSocket::bytesWritten, this, sent);
        connect(m_socket, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    }

private:
    void readRequest() {
        m_input += m_socket->readAll();
        if (m_started)
            return;
        const qsizetype headEnd = m_input.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = m_input.left(headEnd).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        qsizetype length = 0;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon <= 0)
                continue;
            request.headers.emplace_back(line.left(colon), line.mid(colon + 1).trimmed());
            if (line.left(colon).compare("content-length", Qt::CaseInsensitive) == 0)
                length = line.mid(colon + 1).trimmed().toLongLong();
        }
        if (m_input.size() < headEnd + 4 + length)
            return;
        request.body = m_input.mid(headEnd + 4, length);
        m_started = true;
        m_server.m_requests.push_back(std::move(request));
        if (m_server.m_responses.empty()) {
            m_response = json(404, R"({"error":{"code":"not_found"}})");
        } else {
            m_response = std::move(m_server.m_responses.front());
            m_server.m_responses.pop_front();
        }
        respond();
    }

    void respond() {
        if (m_response.end == End::stallBeforeHeaders)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(m_response.status) +
                          " Status\r\nConnection: close\r\n";
        for (const auto& [name, value] : m_response.headers)
            head += name + ": " + value + "\r\n";
        if (m_response.chunked) {
            head += "Transfer-Encoding: chunked\r\n";
        } else {
            qint64 length = m_response.fillBytes;
            for (const QByteArray& chunk : std::as_const(m_response.chunks))
                length += chunk.size();
            // A cut body promises one byte more than it sends, so the close is always premature.
            if (m_response.end == End::cut)
                ++length;
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        m_socket->write(head + "\r\n");
        m_fillLeft = m_response.fillBytes;
        pump();
    }

    void writeBody(const QByteArray& bytes) {
        if (!m_response.chunked) {
            m_socket->write(bytes);
            return;
        }
        m_socket->write(QByteArray::number(bytes.size(), 16) + "\r\n" + bytes + "\r\n");
    }

    // Writes what comes next, keeping at most a small backlog in the socket's buffer so that
    // a client that stops reading holds the server back.
    void pump() {
        if (!m_started || m_finished || m_waiting || m_response.end == End::stallBeforeHeaders ||
            backlog() > 128 * 1024)
            return;
        if (m_nextChunk < m_response.chunks.size()) {
            if (m_response.chunkDelayMs > 0 && !m_delayDone) {
                m_waiting = true;
                QTimer::singleShot(m_response.chunkDelayMs, this, [this] {
                    m_waiting = false;
                    m_delayDone = true;
                    pump();
                });
                return;
            }
            m_delayDone = false;
            writeBody(m_response.chunks[m_nextChunk++]);
            QTimer::singleShot(0, this, &Connection::pump);
            return;
        }
        if (m_fillLeft > 0) {
            const qint64 size = std::min<qint64>(m_fillLeft, 64 * 1024);
            m_fillLeft -= size;
            writeBody(QByteArray(size, 'x'));
            return;
        }
        m_finished = true;
        switch (m_response.end) {
        case End::complete:
            if (m_response.chunked)
                m_socket->write("0\r\n\r\n");
            m_socket->disconnectFromHost();
            break;
        case End::cut:
            m_socket->disconnectFromHost();
            break;
        case End::stall:
        case End::stallBeforeHeaders:
            break;
        }
    }

    qint64 backlog() const {
        return m_socket->bytesToWrite() + (m_tls ? m_tls->encryptedBytesToWrite() : 0);
    }

    TestHttpServer& m_server;
    QTcpSocket* m_socket;
    QSslSocket* m_tls = nullptr;
    QByteArray m_input;
    Response m_response;
    bool m_started = false;
    bool m_finished = false;
    bool m_waiting = false;
    bool m_delayDone = false;
    qsizetype m_nextChunk = 0;
    qint64 m_fillLeft = 0;
};

QByteArray TestHttpServer::Request::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

TestHttpServer::TestHttpServer(Mode mode) : m_mode(mode) {
    if (m_mode == Mode::tls)
        testPki();
    if (!listen(QHostAddress::LocalHost))
        throw std::runtime_error("the test server cannot listen");
}

TestHttpServer::~TestHttpServer() = default;

QUrl TestHttpServer::baseUrl() const {
    return QUrl(QStringLiteral("%1://127.0.0.1:%2")
                    .arg(m_mode == Mode::tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(serverPort()));
}

void TestHttpServer::enqueue(Response response) {
    m_responses.push_back(std::move(response));
}

QSslCertificate TestHttpServer::caCertificate() {
    return testPki().ca;
}

TestHttpServer::Response TestHttpServer::json(int status, const QByteArray& body) {
    return {.status = status,
            .headers = {{"Content-Type", "application/json"}},
            .chunks = {body},
            .chunked = false};
}

TestHttpServer::Response TestHttpServer::redirect(int status, const QByteArray& location) {
    return {.status = status, .headers = {{"Location", location}}, .chunked = false};
}

QList<QByteArray> TestHttpServer::split(const QByteArray& body, int size) {
    QList<QByteArray> pieces;
    for (qsizetype at = 0; at < body.size(); at += size)
        pieces.append(body.mid(at, size));
    return pieces;
}

void TestHttpServer::incomingConnection(qintptr descriptor) {
    QTcpSocket* socket = nullptr;
    if (m_mode == Mode::tls) {
        auto* tls = new QSslSocket;
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(testPki().server);
        configuration.setPrivateKey(testPki().key);
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        tls->setSslConfiguration(configuration);
        tls->setSocketDescriptor(descriptor);
        tls->startServerEncryption();
        socket = tls;
    } else {
        socket = new QTcpSocket;
        socket->setSocketDescriptor(descriptor);
    }
    new Connection(*this, socket);
}

} // namespace corvel::test
