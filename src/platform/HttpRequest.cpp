#include "platform/HttpRequest.h"

namespace corvel {

void HttpRequest::setHeader(const QByteArray& name, const QByteArray& value) {
    for (auto& [key, existing] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            existing = value;
            return;
        }
    }
    headers.emplace_back(name, value);
}

QByteArray HttpRequest::header(const QByteArray& name) const {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

} // namespace corvel
