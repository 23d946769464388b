#include "account/SignInRules.h"

#include "account/UrlComponents.h"

#include <QTextBoundaryFinder>

namespace corvel::signin {

namespace {

constexpr qsizetype maxOpaqueBytes = 16384;

// Characters as the user perceives them (grapheme clusters), not code units.
qsizetype perceivedLength(QStringView text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

// Format characters count as control too: they can reorder or hide what the user is shown.
bool hasControl(QStringView text, bool orSpace) {
    for (const uint c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if ((orSpace && QChar::isSpace(c)) || category == QChar::Other_Control ||
            category == QChar::Other_Format)
            return true;
    }
    return false;
}

} // namespace

bool validOpaqueValue(QStringView value) {
    if (value.isEmpty())
        return false;
    // Printable ASCII is one byte per code unit, so the byte limit is the length limit.
    if (value.size() > maxOpaqueBytes)
        return false;
    for (const QChar c : value) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

bool validGoogleSubject(QStringView subject) {
    return validOpaqueValue(subject) && subject.size() <= 255;
}

bool validFirebaseSubject(QStringView subject) {
    return validOpaqueValue(subject) && subject.size() <= 128;
}

bool validEmail(QStringView email) {
    if (perceivedLength(email) > 320)
        return false;
    const auto sides = email.split(QLatin1Char('@'));
    if (sides.size() != 2 || sides[0].isEmpty() || sides[1].isEmpty())
        return false;
    return !hasControl(email, true);
}

std::optional<QString> accountName(const std::optional<QString>& received) {
    if (!received)
        return std::nullopt;
    const QString name = received->trimmed();
    if (name.isEmpty() || perceivedLength(name) > 256 || hasControl(name, false))
        return std::nullopt;
    return name;
}

std::optional<QUrl> accountPicture(const std::optional<QString>& received) {
    if (!received)
        return std::nullopt;
    const auto parts = UrlComponents::parse(*received);
    if (!parts || parts->scheme != QLatin1String("https") || !parts->host ||
        parts->host->isEmpty() || parts->user || parts->password)
        return std::nullopt;
    const QUrl url(*received, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url;
}

} // namespace corvel::signin
