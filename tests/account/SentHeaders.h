#pragma once

#include "support/TestHttpServer.h"

#include <QByteArrayList>

#include <algorithm>

namespace corvel::test {

// The names of the headers a request arrived with, lower-cased and sorted.
inline QByteArrayList sentHeaderNames(const TestHttpServer::Request& request) {
    QByteArrayList names;
    for (const auto& header : request.headers)
        names.append(header.first.toLower());
    std::sort(names.begin(), names.end());
    return names;
}

// What every sign-in POST carries besides the headers the HTTP layer adds for any request.
inline QByteArrayList postHeaderNames() {
    return {"accept",     "accept-encoding", "accept-language",
            "connection", "content-length",  "content-type",
            "host",       "user-agent"};
}

} // namespace corvel::test
