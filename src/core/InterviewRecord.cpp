#include "core/InterviewRecord.h"

#include "core/JsonCoding.h"

#include <QJsonArray>

namespace corvel {

QJsonObject InterviewRecord::toJson() const {
    QJsonArray list;
    for (const AnswerEntry& entry : entries)
        list.append(entry.toJson());
    return QJsonObject{
        {QLatin1String("id"), json::uuidText(id)},
        {QLatin1String("date"), json::dateText(date)},
        {QLatin1String("role"), role},
        {QLatin1String("company"), company},
        {QLatin1String("duration"), duration},
        {QLatin1String("isDemo"), isDemo},
        {QLatin1String("entries"), list},
    };
}

InterviewRecord InterviewRecord::fromJson(const QJsonObject& object) {
    InterviewRecord record;
    record.id = json::requireUuid(object, QLatin1String("id"));
    record.date = json::requireDate(object, QLatin1String("date"));
    record.role = json::requireString(object, QLatin1String("role"));
    record.company = json::requireString(object, QLatin1String("company"));
    record.duration = json::requireInt64(object, QLatin1String("duration"));
    record.isDemo = json::requireBool(object, QLatin1String("isDemo"));
    for (const QJsonValue& value : json::requireArray(object, QLatin1String("entries")))
        record.entries.push_back(AnswerEntry::fromJson(json::asObject(value)));
    return record;
}

} // namespace corvel
