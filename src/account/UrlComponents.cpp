#include "account/UrlComponents.h"

#include <QStringDecoder>

namespace corvel {

namespace {

bool isAlpha(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isHex(QChar c) {
    return isDigit(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isUnreservedOrSubDelim(QChar c) {
    return isAlpha(c) || isDigit(c) || QStringView(u"-._~!$&'()*+,;=").contains(c);
}

// Every character is one of `extra`, unreserved, a sub-delimiter or part of a "%HH" escape.
bool wellFormed(QStringView text, QStringView extra) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('%')) {
            if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2]))
                return false;
            i += 2;
        } else if (!isUnreservedOrSubDelim(c) && !extra.contains(c)) {
            return false;
        }
    }
    return true;
}

bool validScheme(QStringView scheme) {
    if (scheme.isEmpty() || !isAlpha(scheme.front()))
        return false;
    for (const QChar c : scheme) {
        if (!isAlpha(c) && !isDigit(c) && c != QLatin1Char('+') && c != QLatin1Char('-') &&
            c != QLatin1Char('.'))
            return false;
    }
    return true;
}

bool parseAuthority(QStringView authority, UrlComponents& parts) {
    QStringView hostPort = authority;
    const qsizetype at = authority.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        const QStringView userInfo = authority.left(at);
        hostPort = authority.mid(at + 1);
        if (!wellFormed(userInfo, u":"))
            return false;
        const qsizetype colon = userInfo.indexOf(QLatin1Char(':'));
        parts.user = (colon < 0 ? userInfo : userInfo.left(colon)).toString();
        if (colon >= 0)
            parts.password = userInfo.mid(colon + 1).toString();
    }
    qsizetype portStart = -1;
    if (hostPort.startsWith(QLatin1Char('['))) {
        const qsizetype close = hostPort.indexOf(QLatin1Char(']'));
        if (close < 0 || !wellFormed(hostPort.mid(1, close - 1), u":"))
            return false;
        if (close + 1 < hostPort.size()) {
            if (hostPort[close + 1] != QLatin1Char(':'))
                return false;
            portStart = close + 2;
        }
        parts.host = hostPort.left(close + 1).toString();
    } else {
        const qsizetype colon = hostPort.indexOf(QLatin1Char(':'));
        const QStringView host = colon < 0 ? hostPort : hostPort.left(colon);
        if (!wellFormed(host, u""))
            return false;
        parts.host = host.toString();
        if (colon >= 0)
            portStart = colon + 1;
    }
    if (portStart >= 0) {
        const QStringView port = hostPort.mid(portStart);
        for (const QChar c : port) {
            if (!isDigit(c))
                return false;
        }
        parts.port = port.toString();
    }
    return true;
}

std::optional<QString> percentDecoded(QStringView text) {
    const QByteArray bytes = QByteArray::fromPercentEncoding(text.toLatin1());
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return decoded;
}

} // namespace

std::optional<UrlComponents> UrlComponents::parse(QStringView text) {
    UrlComponents parts;
    QStringView rest = text;

    const qsizetype hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        const QStringView fragment = rest.mid(hash + 1);
        if (!wellFormed(fragment, u":@/?"))
            return std::nullopt;
        parts.fragment = fragment.toString();
        rest = rest.left(hash);
    }
    const qsizetype question = rest.indexOf(QLatin1Char('?'));
    if (question >= 0) {
        const QStringView query = rest.mid(question + 1);
        if (!wellFormed(query, u":@/?"))
            return std::nullopt;
        parts.query = query.toString();
        rest = rest.left(question);
    }

    const qsizetype colon = rest.indexOf(QLatin1Char(':'));
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (colon >= 0 && (slash < 0 || colon < slash)) {
        // A colon in the first segment can only end a scheme.
        if (!validScheme(rest.left(colon)))
            return std::nullopt;
        parts.scheme = rest.left(colon).toString();
        rest = rest.mid(colon + 1);
    }

    if (rest.startsWith(u"//")) {
        rest = rest.mid(2);
        const qsizetype end = rest.indexOf(QLatin1Char('/'));
        const QStringView authority = end < 0 ? rest : rest.left(end);
        if (!parseAuthority(authority, parts))
            return std::nullopt;
        rest = end < 0 ? QStringView() : rest.mid(end);
    }
    if (!wellFormed(rest, u":@/"))
        return std::nullopt;
    parts.path = rest.toString();
    return parts;
}

std::optional<QList<UrlComponents::QueryItem>> UrlComponents::queryItems() const {
    if (!query)
        return std::nullopt;
    QList<QueryItem> items;
    if (query->isEmpty())
        return items;
    for (const QStringView pair : QStringView(*query).split(QLatin1Char('&'))) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        QueryItem item;
        const auto name = percentDecoded(equals < 0 ? pair : pair.left(equals));
        if (!name)
            return std::nullopt;
        item.name = *name;
        if (equals >= 0) {
            item.value = percentDecoded(pair.mid(equals + 1));
            if (!item.value)
                return std::nullopt;
        }
        items.append(item);
    }
    return items;
}

} // namespace corvel
