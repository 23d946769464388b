#include "ui/settings/HistoryText.h"

#include "core/DateText.h"

namespace corvel::history {

QString recordTitle(const InterviewRecord& record) {
    QString title = record.role.isEmpty() ? QStringLiteral("Interview") : record.role;
    if (!record.company.isEmpty())
        title += QStringLiteral(" · ") + record.company;
    return title;
}

QString dateText(const InterviewRecord& record) {
    return abbreviatedDateTime(record.date);
}

QString questionCountText(const InterviewRecord& record) {
    const auto count = record.entries.size();
    return QString::number(count) +
           (count == 1 ? QStringLiteral(" question") : QStringLiteral(" questions"));
}

QString durationText(qint64 seconds) {
    const qint64 minutes = seconds / 60;
    return QStringLiteral("%1 min %2 s").arg(minutes).arg(seconds - minutes * 60);
}

QString questionLabel(qsizetype index) {
    return QStringLiteral("Question %1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

std::vector<const InterviewRecord*> listedRecords(const std::vector<InterviewRecord>& history) {
    std::vector<const InterviewRecord*> records;
    for (const InterviewRecord& record : history) {
        if (!record.isDemo)
            records.push_back(&record);
    }
    return records;
}

std::optional<InterviewRecord> openRecord(const std::optional<InterviewRecord>& selected) {
    if (selected && !selected->isDemo)
        return selected;
    return std::nullopt;
}

} // namespace corvel::history
