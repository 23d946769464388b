#include "core/AnswerEntry.h"

#include "core/JsonCoding.h"

namespace corvel {

QJsonObject AnswerEntry::toJson() const {
    QJsonObject object{
        {QLatin1String("id"), json::uuidText(id)},
        {QLatin1String("question"), question},
        {QLatin1String("answer"), answer},
        {QLatin1String("date"), json::dateText(date)},
    };
    if (firstTokenMilliseconds)
        object.insert(QLatin1String("firstTokenMilliseconds"), *firstTokenMilliseconds);
    if (latency)
        object.insert(QLatin1String("latency"), latency->toJson());
    return object;
}

AnswerEntry AnswerEntry::fromJson(const QJsonObject& object) {
    AnswerEntry entry;
    entry.id = json::requireUuid(object, QLatin1String("id"));
    entry.question = json::requireString(object, QLatin1String("question"));
    entry.answer = json::requireString(object, QLatin1String("answer"));
    entry.date = json::requireDate(object, QLatin1String("date"));
    entry.firstTokenMilliseconds =
        json::optionalInt64(object, QLatin1String("firstTokenMilliseconds"));
    const QJsonValue latency = object.value(QLatin1String("latency"));
    if (!latency.isUndefined() && !latency.isNull())
        entry.latency = AnswerLatencyMetrics::fromJson(json::asObject(latency));
    return entry;
}

} // namespace corvel
