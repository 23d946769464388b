#include "core/JsonCoding.h"

#include "core/HexDigit.h"

#include <QJsonDocument>
#include <QTimeZone>

#include <cmath>

namespace corvel::json {

namespace {

[[noreturn]] void fail(QLatin1StringView key, const char* what) {
    throw JsonDecodingError(QString(key) + QLatin1String(": ") + QLatin1String(what));
}

QJsonValue require(const QJsonObject& object, QLatin1StringView key) {
    const auto it = object.constFind(key);
    if (it == object.constEnd())
        fail(key, "missing");
    return *it;
}

// The value of `count` ASCII digits at `at`, or -1. Hand-written: a regular expression per date
// and per id took a sixth of the time a large workspace needs to load.
int asciiNumber(const QString& text, qsizetype at, qsizetype count) {
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

QString requireString(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isString())
        fail(key, "not a string");
    return value.toString();
}

bool requireBool(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isBool())
        fail(key, "not a Boolean");
    return value.toBool();
}

std::optional<qint64> exactInt64(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const QVariant variant = value.toVariant();
    if (variant.typeId() == QMetaType::LongLong)
        return variant.toLongLong();
    const double d = value.toDouble();
    // 2^63 itself is out of range; every double below it is exact as an integer here.
    if (!std::isfinite(d) || d != std::trunc(d) || d < -9223372036854775808.0 ||
        d >= 9223372036854775808.0)
        return std::nullopt;
    return static_cast<qint64>(d);
}

qint64 requireInt64(const QJsonObject& object, QLatin1StringView key) {
    const auto number = exactInt64(require(object, key));
    if (!number)
        fail(key, "not a whole number");
    return *number;
}

double requireDouble(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isDouble())
        fail(key, "not a number");
    return value.toDouble();
}

QJsonObject requireObject(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isObject())
        fail(key, "not an object");
    return value.toObject();
}

QJsonArray requireArray(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = require(object, key);
    if (!value.isArray())
        fail(key, "not an array");
    return value.toArray();
}

QUuid requireUuid(const QJsonObject& object, QLatin1StringView key) {
    const auto uuid = parseUuid(requireString(object, key));
    if (!uuid)
        fail(key, "not a UUID");
    return *uuid;
}

QDateTime requireDate(const QJsonObject& object, QLatin1StringView key) {
    const auto date = parseDate(requireString(object, key));
    if (!date)
        fail(key, "not an internet date-time");
    return *date;
}

std::optional<qint64> optionalInt64(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    const auto number = exactInt64(value);
    if (!number)
        fail(key, "not a whole number");
    return number;
}

std::optional<QString> optionalString(const QJsonObject& object, QLatin1StringView key) {
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    if (!value.isString())
        fail(key, "not a string");
    return value.toString();
}

QJsonObject asObject(const QJsonValue& value) {
    if (!value.isObject())
        throw JsonDecodingError(QStringLiteral("not an object"));
    return value.toObject();
}

QString uuidText(const QUuid& uuid) {
    return uuid.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUuid> parseUuid(const QString& text) {
    if (text.size() != 36)
        return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? c != u'-' : hexDigitValue(text[i].toLatin1()) < 0)
            return std::nullopt;
    }
    return QUuid::fromString(text);
}

QString dateText(const QDateTime& date) {
    return date.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QLatin1Char('Z');
}

std::optional<QDateTime> parseDate(const QString& text) {
    // 2026-01-31T09:05:00 then "Z" or an offset "+01:00".
    const qsizetype size = text.size();
    if ((size != 20 && size != 25) || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const int year = asciiNumber(text, 0, 4);
    const int month = asciiNumber(text, 5, 2);
    const int dayOfMonth = asciiNumber(text, 8, 2);
    const int hour = asciiNumber(text, 11, 2);
    const int minute = asciiNumber(text, 14, 2);
    const int second = asciiNumber(text, 17, 2);
    if (year < 0 || month < 0 || dayOfMonth < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    const QDate day(year, month, dayOfMonth);
    const QTime time(hour, minute, second);
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    QDateTime date(day, time, Qt::UTC);
    if (size == 20)
        return text[19] == u'Z' ? std::optional(date) : std::nullopt;
    const QChar sign = text[19];
    const int hours = asciiNumber(text, 20, 2);
    const int minutes = asciiNumber(text, 23, 2);
    if ((sign != u'+' && sign != u'-') || text[22] != u':' || hours < 0 || minutes < 0 ||
        hours > 23 || minutes > 59)
        return std::nullopt;
    const int offset = (hours * 3600 + minutes * 60) * (sign == u'-' ? -1 : 1);
    date = date.addSecs(-offset);
    // An offset can carry the time past the years dateText writes; such a date could never be
    // saved again.
    if (date.date().year() < 1 || date.date().year() > 9999)
        return std::nullopt;
    return date;
}

QByteArray encode(const QJsonObject& object) {
    // In compact JSON a slash can only stand inside a string, so escaping it here is safe.
    QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
    bytes.replace("/", "\\/");
    return bytes;
}

QJsonObject decodeObject(const QByteArray& bytes) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw JsonDecodingError(error.errorString());
    if (!document.isObject())
        throw JsonDecodingError(QStringLiteral("not an object"));
    return document.object();
}

} // namespace corvel::json
