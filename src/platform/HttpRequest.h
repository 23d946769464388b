#pragma once

#include <QByteArray>
#include <QUrl>

#include <utility>
#include <vector>

namespace corvel {

// One HTTP request as a client builds it; headers are sent exactly as given.
struct HttpRequest {
    QByteArray method = "GET";
    QUrl url;
    std::vector<std::pair<QByteArray, QByteArray>> headers;
    QByteArray body;

    // Replaces a header of the same name (compared without case), or adds it.
    void setHeader(const QByteArray& name, const QByteArray& value);
    QByteArray header(const QByteArray& name) const;
    bool operator==(const HttpRequest&) const = default;
};

} // namespace corvel
