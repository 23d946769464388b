#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace corvel {

// A URL split as written (RFC 3986): nothing is case-folded, decoded or normalised, so that the
// sign-in checks compare exactly what the browser or the build handed over. QUrl lower-cases the
// scheme and host and rewrites escapes, which would let a near-miss pass.
struct UrlComponents {
    struct QueryItem {
        QString name;
        std::optional<QString> value; // none when the item has no "="
        bool operator==(const QueryItem&) const = default;
    };

    QString scheme; // empty when the text has none
    std::optional<QString> user;
    std::optional<QString> password;
    std::optional<QString> host;  // present whenever there is an authority, even an empty one
    std::optional<QString> port;  // present whenever a ":" follows the host, even with no digits
    QString path;                 // percent-encoded, as written
    std::optional<QString> query; // present whenever there is a "?", even with nothing after it
    std::optional<QString> fragment;

    // None when the text is no URL reference: a space, a letter outside ASCII, a broken escape,
    // a misplaced bracket or "@", a port that is not a number.
    static std::optional<UrlComponents> parse(QStringView text);

    // The query split at every "&" and at each item's first "=", names and values
    // percent-decoded. None without a query, or when an escape does not decode to UTF-8.
    std::optional<QList<QueryItem>> queryItems() const;
};

} // namespace corvel
