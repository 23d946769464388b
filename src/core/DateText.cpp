#include "core/DateText.h"

#include <QLocale>

namespace corvel {

QString abbreviatedDateTime(const QDateTime& date) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    // The narrow no-break space before AM/PM is what current English date formats use.
    return english.toString(date.toLocalTime(), QStringLiteral("MMM d, yyyy 'at' h:mm")) +
           QChar(0x202F) + english.toString(date.toLocalTime(), QStringLiteral("AP"));
}

} // namespace corvel
