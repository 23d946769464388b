#include "account/CallbackShape.h"

#include "account/GoogleAuthError.h"
#include "account/UrlComponents.h"

namespace corvel {

namespace {

[[noreturn]] void refuse() {
    throw GoogleAuthError(GoogleAuthError::invalidCallback);
}

} // namespace

QString CallbackShape::code(QStringView callback, QStringView state) const {
    const auto url = UrlComponents::parse(callback);
    if (!url || url->scheme.isEmpty() || url->scheme != scheme)
        refuse();
    if (url->host != host || url->path != path || url->user || url->password || url->port ||
        url->fragment)
        refuse();
    const auto items = url->queryItems();
    if (!items)
        refuse();

    const UrlComponents::QueryItem* stateItem = nullptr;
    const UrlComponents::QueryItem* codeItem = nullptr;
    const UrlComponents::QueryItem* errorItem = nullptr;
    for (const auto& item : *items) {
        const UrlComponents::QueryItem** slot = nullptr;
        if (item.name == QLatin1String("state"))
            slot = &stateItem;
        else if (item.name == QLatin1String("code"))
            slot = &codeItem;
        else if (item.name == QLatin1String("error"))
            slot = &errorItem;
        else if (onlyKnownItems)
            refuse();
        if (slot && *slot)
            refuse(); // a repeated item could smuggle a second state or code past the check
        if (slot)
            *slot = &item;
    }
    if (!stateItem || stateItem->value != state)
        refuse();
    if (errorItem && errorItem->value) {
        if (codeItem)
            refuse();
        throw GoogleAuthError(*errorItem->value == QLatin1String("access_denied")
                                  ? GoogleAuthError::denied
                                  : GoogleAuthError::server);
    }
    if (!codeItem || !codeItem->value || !validCode(*codeItem->value))
        refuse();
    return *codeItem->value;
}

} // namespace corvel
