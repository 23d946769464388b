#pragma once

#include <QDateTime>
#include <QString>

namespace corvel {

// A date as the app shows it: abbreviated date and short time in English, local time zone,
// e.g. "Mar 7, 2024 at 10:00 AM".
QString abbreviatedDateTime(const QDateTime& date);

} // namespace corvel
