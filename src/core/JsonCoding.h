#pragma once

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>
#include <stdexcept>

namespace corvel {

// Thrown while decoding a stored or received record that breaks its strict form.
class JsonDecodingError final : public std::runtime_error {
public:
    explicit JsonDecodingError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Strict readers: a missing required key or a value of the wrong JSON type throws.
// Unknown keys are ignored; an optional key that is absent or null reads as none.
namespace json {

QString requireString(const QJsonObject& object, QLatin1StringView key);
bool requireBool(const QJsonObject& object, QLatin1StringView key);
qint64 requireInt64(const QJsonObject& object, QLatin1StringView key);
double requireDouble(const QJsonObject& object, QLatin1StringView key);
QJsonObject requireObject(const QJsonObject& object, QLatin1StringView key);
QJsonArray requireArray(const QJsonObject& object, QLatin1StringView key);
QUuid requireUuid(const QJsonObject& object, QLatin1StringView key);
QDateTime requireDate(const QJsonObject& object, QLatin1StringView key);
std::optional<qint64> optionalInt64(const QJsonObject& object, QLatin1StringView key);
std::optional<QString> optionalString(const QJsonObject& object, QLatin1StringView key);
QJsonObject asObject(const QJsonValue& value);

// A whole JSON value that is an integer within 64 bits (1.0 counts, 1.5 does not).
std::optional<qint64> exactInt64(const QJsonValue& value);

// UUIDs as 36 hyphenated upper-case characters, as earlier files hold them.
QString uuidText(const QUuid& uuid);
std::optional<QUuid> parseUuid(const QString& text);

// Internet date-time in UTC with whole seconds: 2026-01-31T09:05:00Z. Fractions are refused.
QString dateText(const QDateTime& date);
std::optional<QDateTime> parseDate(const QString& text);

// Compact JSON with every object's keys sorted and forward slashes escaped.
QByteArray encode(const QJsonObject& object);

// Parses one JSON object; throws JsonDecodingError otherwise.
QJsonObject decodeObject(const QByteArray& bytes);

} // namespace json
} // namespace corvel
