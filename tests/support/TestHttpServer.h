#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QTcpServer>
#include <QUrl>

#include <deque>
#include <utility>
#include <vector>

namespace corvel::test {

// A scripted HTTP/1.1 server on 127.0.0.1, plain or TLS, for tests in the same process.
// It records every request and answers each with the next queued Response (404 when none is left).
// Every response closes its connection when it ends.
class TestHttpServer final : public QTcpServer {
public:
    struct Request {
        QByteArray method;
        QByteArray path;                                        // with its query
        std::vector<std::pair<QByteArray, QByteArray>> headers; // in order, as received
        QByteArray body;
        QByteArray header(const QByteArray& name) const; // first match, case-insensitive
    };
    enum class End {
        complete,          // the body is finished properly
        stall,             // nothing more is sent; the connection stays open
        cut,               // the connection is closed before the body is complete
        stallBeforeHeaders // not even the status line is sent
    };
    struct Response {
        int status = 200;
        // Empty initializers let tests name only the fields they set ({.end = End::cut}).
        std::vector<std::pair<QByteArray, QByteArray>> headers{};
        QList<QByteArray> chunks{}; // written one by one, each as its own write
        bool chunked = true;        // Transfer-Encoding: chunked, else Content-Length
        int chunkDelayMs = 0;       // pause before each chunk (a slow drip)
        qint64 fillBytes = 0;       // after the chunks, this many 'x' bytes, written as read
        End end = End::complete;
    };

    enum class Mode { plain, tls };
    explicit TestHttpServer(Mode mode = Mode::plain);
    ~TestHttpServer() override;

    // http://127.0.0.1:port or https://127.0.0.1:port, no trailing slash.
    QUrl baseUrl() const;
    void enqueue(Response response);
    const std::vector<Request>& requests() const { return m_requests; }
    // Bytes (heads included) the kernel accepted from the server so far, over all responses.
    qint64 bytesSent() const { return m_bytesSent; }

    // The certificate authority that signed the TLS server's certificate (made once, with the
    // openssl command, in a temporary folder).
    static QSslCertificate caCertificate();

    // Helpers for scripted bodies.
    static Response json(int status, const QByteArray& body);
    // A body-less redirect to `location`.
    static Response redirect(int status, const QByteArray& location);
    // Splits `body` into pieces of `size` bytes.
    static QList<QByteArray> split(const QByteArray& body, int size);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    class Connection;
    Mode m_mode;
    std::deque<Response> m_responses;
    std::vector<Request> m_requests;
    qint64 m_bytesSent = 0;
};

} // namespace corvel::test
