#include "core/JsonCoding.h"

#include <QJsonDocument>
#include <QRegularExpression>
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
    static const QRegularExpression form(QStringLiteral(
        "^[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return QUuid::fromString(text);
}

QString dateText(const QDateTime& date) {
    return date.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QLatin1Char('Z');
}

std::optional<QDateTime> parseDate(const QString& text) {
    static const QRegularExpression form(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})(Z|([+-])(\\d{2}):(\\d{2}))$"));
    const auto m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate day(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!day.isValid() || !time.isValid())
        return std::nullopt;
    QDateTime date(day, time, Qt::UTC);
    if (m.captured(7) != QLatin1String("Z")) {
        const int hours = m.captured(9).toInt();
        const int minutes = m.captured(10).toInt();
        if (hours > 23 || minutes > 59)
            return std::nullopt;
        const int offset =
            (hours * 3600 + minutes * 60) * (m.captured(8) == QLatin1String("-") ? -1 : 1);
        date = date.addSecs(-offset);
    }
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
