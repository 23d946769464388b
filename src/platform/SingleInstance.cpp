#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#include <optional>

#include <unistd.h>

namespace corvel {

namespace {

// A message is a 32-bit big-endian length, then a JSON array of texts; the answer is one byte.
constexpr char kAcknowledgement = '\x01';
constexpr int kHeaderBytes = 4;
// A silent peer must not hold a connection open.
constexpr int kConnectionLifetimeMs = 5'000;

std::optional<QStringList> decodeArguments(const QByteArray& payload) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(payload, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QStringList arguments;
    for (const QJsonValue& value : document.array()) {
        if (!value.isString())
            return std::nullopt;
        arguments.append(value.toString());
    }
    return arguments;
}

} // namespace

QString SingleInstance::serverName(const QString& application) {
    const QString name = application + QLatin1Char('-') + QString::number(::getuid());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Without a runtime folder Qt places a bare name in the temporary folder.
    return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), m_serverName(std::move(serverName)), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::listen() {
    // Qt puts a socket with access options in place by renaming it over whatever file has the
    // name, so ask first whether a running instance answers there.
    QLocalSocket probe;
    probe.connectToServer(m_serverName);
    if (probe.waitForConnected(500))
        return false;
    // Nobody answers: any file left is what an instance that did not exit cleanly left behind.
    QLocalServer::removeServer(m_serverName);
    return m_server->listen(m_serverName);
}

bool SingleInstance::forward(const QStringList& arguments,
                             std::chrono::milliseconds timeout) const {
    const QByteArray payload =
        QJsonDocument(QJsonArray::fromStringList(arguments)).toJson(QJsonDocument::Compact);
    if (payload.size() > kMaximumMessageBytes)
        return false;
    QByteArray message(kHeaderBytes, '\0');
    qToBigEndian(static_cast<quint32>(payload.size()), message.data());
    message += payload;

    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == kAcknowledgement;
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        QTimer::singleShot(kConnectionLifetimeMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        readMessage(socket);
    }
}

void SingleInstance::readMessage(QLocalSocket* socket) {
    if (socket->bytesAvailable() < kHeaderBytes)
        return;
    char header[kHeaderBytes];
    socket->peek(header, kHeaderBytes);
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > kMaximumMessageBytes) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + qint64(length))
        return;
    socket->skip(kHeaderBytes);
    const auto arguments = decodeArguments(socket->read(length));
    if (!arguments) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // One message per connection: whatever follows is not read.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    socket->putChar(kAcknowledgement);
    socket->disconnectFromServer();
    Q_EMIT messageReceived(*arguments);
}

} // namespace corvel
