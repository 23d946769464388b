#pragma once

#include <QDateTime>
#include <QJsonObject>

namespace corvel::json {

// Stored expiry dates are seconds, with fraction, since 2001-01-01 00:00:00 UTC: the form
// sessions saved by earlier builds already hold.
double referenceSeconds(const QDateTime& date);
// Throws JsonDecodingError when the key is missing, not a number, or far outside any real date.
QDateTime requireReferenceDate(const QJsonObject& object, QLatin1StringView key);

} // namespace corvel::json
