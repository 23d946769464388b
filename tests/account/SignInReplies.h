#pragma once

#include "support/TestHttpServer.h"

#include <QByteArrayList>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace corvel::test {

// The JSON object `object` with `member` set to the JSON text `value`, or removed without one.
inline QByteArray withMember(const QByteArray& object, const char* member,
                             const char* value = nullptr) {
    QJsonObject changed = QJsonDocument::fromJson(object).object();
    if (value)
        changed.insert(QLatin1String(member),
                       QJsonDocument::fromJson(QByteArray("[") + value + "]").array().first());
    else
        changed.remove(QLatin1String(member));
    return QJsonDocument(changed).toJson(QJsonDocument::Compact);
}

// `object` changed as `change` says: "member=JSON text" sets the member, a bare "member" removes
// it.
inline QByteArray changed(const QByteArray& object, const QByteArray& change) {
    const qsizetype at = change.indexOf('=');
    if (at < 0)
        return withMember(object, change.constData());
    return withMember(object, change.left(at).constData(), change.mid(at + 1).constData());
}

// The names of the headers a request arrived with, lower-cased and sorted.
inline QByteArrayList sentHeaderNames(const TestHttpServer::Request& request) {
    QByteArrayList names;
    for (const auto& header : request.headers)
        names.append(header.first.toLower());
    std::sort(names.begin(), names.end());
    return names;
}

// A sign-in POST carries these and nothing else: no cookie, no Authorization.
inline const QByteArrayList postHeaderNames = {"accept",     "accept-encoding", "accept-language",
                                               "connection", "content-length",  "content-type",
                                               "host",       "user-agent"};

} // namespace corvel::test
