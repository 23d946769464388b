#include "account/GooglePKCE.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <array>

namespace corvel::GooglePKCE {

namespace {

QString base64Url(const QByteArray& bytes) {
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

QString randomValue() {
    std::array<quint32, 8> words{};
    QRandomGenerator::system()->fillRange(words.data(), words.size());
    return base64Url(QByteArray(reinterpret_cast<const char*>(words.data()), sizeof(words)));
}

bool validVerifier(QStringView value) {
    if (value.size() < 43 || value.size() > 128)
        return false;
    for (const QChar c : value) {
        const bool unreserved = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                                (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                                (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                                QStringView(u"-._~").contains(c);
        if (!unreserved)
            return false;
    }
    return true;
}

QString challenge(QStringView verifier) {
    return base64Url(QCryptographicHash::hash(verifier.toUtf8(), QCryptographicHash::Sha256));
}

} // namespace corvel::GooglePKCE
