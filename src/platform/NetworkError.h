#pragma once

#include <QString>

#include <stdexcept>

namespace corvel {

// A transfer that failed below HTTP: no reply, or a body cut off by the connection.
class NetworkError final : public std::runtime_error {
public:
    enum class Kind {
        timedOut,       // our request (idle) or resource timer ran out
        connectionLost, // the network went away or the connection dropped
        notConnected,   // this computer has no network: no name lookup, no route
        failed,         // any other transport failure (host, refused, TLS, protocol)
    };
    NetworkError(Kind kind, const QString& detail)
        : std::runtime_error(detail.toStdString()), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace corvel
