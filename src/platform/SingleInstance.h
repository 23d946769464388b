#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <chrono>

class QLocalServer;
class QLocalSocket;

namespace corvel {

// Keeps one running instance per user: a later launch hands its arguments (a sign-in callback
// URL from the desktop's scheme handler, or nothing) to the running instance and exits.
class SingleInstance final : public QObject {
    Q_OBJECT
public:
    // Longest message a launch may send; anything longer is refused unread.
    static constexpr qint64 kMaximumMessageBytes = 64 * 1024;

    // A name in the user's runtime folder that also carries the user id, so that two users never
    // reach each other's instance even where the folder is shared.
    static QString serverName(const QString& application);

    explicit SingleInstance(QString serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // In the first instance: starts taking messages, replacing a socket that an instance which
    // did not exit cleanly left behind. False when a running instance already listens, or the
    // socket cannot be made.
    bool listen();
    // In a later launch, before any event loop runs: true once a running instance confirmed it
    // took the arguments.
    bool forward(const QStringList& arguments,
                 std::chrono::milliseconds timeout = std::chrono::seconds(2)) const;

Q_SIGNALS:
    void messageReceived(const QStringList& arguments);

private:
    void acceptConnections();
    void readMessage(QLocalSocket* socket);

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};

} // namespace corvel
