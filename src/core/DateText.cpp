#include "core/DateText.h"

#include <QLocale>

namespace corvel {

QString abbreviatedDateTime(const QDateTime& date) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    // One format string: "h" is a 12-hour clock only when "AP" stands in the same format. The
    // narrow no-break space before AM/PM is what current English date formats use.
    return english.toString(date.toLocalTime(), QStringLiteral("MMM d, yyyy 'at' h:mm") +
                                                    QChar(0x202F) + QStringLiteral("AP"));
}

} // namespace corvel
