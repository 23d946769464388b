#include "account/ReferenceDate.h"

#include "core/JsonCoding.h"

#include <cmath>

namespace corvel::json {

namespace {

constexpr qint64 referenceEpochMSecs = 978307200000; // 2001-01-01T00:00:00Z
// About 31,000 years either way: beyond it a stored value is corrupt, not a date.
constexpr double maxSeconds = 1e12;

} // namespace

double referenceSeconds(const QDateTime& date) {
    return static_cast<double>(date.toMSecsSinceEpoch() - referenceEpochMSecs) / 1000.0;
}

QDateTime requireReferenceDate(const QJsonObject& object, QLatin1StringView key) {
    const double seconds = requireDouble(object, key);
    if (!std::isfinite(seconds) || std::abs(seconds) > maxSeconds)
        throw JsonDecodingError(QString(key) + QLatin1String(": not a date"));
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000.0) + referenceEpochMSecs,
                                          Qt::UTC);
}

} // namespace corvel::json
