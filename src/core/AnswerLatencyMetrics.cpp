#include "core/AnswerLatencyMetrics.h"

#include "core/JsonCoding.h"

namespace corvel {

namespace {
void put(QJsonObject& object, QLatin1StringView key, const std::optional<qint64>& value) {
    if (value)
        object.insert(key, *value);
}
} // namespace

QJsonObject AnswerLatencyMetrics::toJson() const {
    QJsonObject object;
    put(object, QLatin1String("firstTokenMilliseconds"), firstTokenMilliseconds);
    put(object, QLatin1String("firstCueMilliseconds"), firstCueMilliseconds);
    put(object, QLatin1String("totalMilliseconds"), totalMilliseconds);
    put(object, QLatin1String("questionStabilityMilliseconds"), questionStabilityMilliseconds);
    return object;
}

AnswerLatencyMetrics AnswerLatencyMetrics::fromJson(const QJsonObject& object) {
    AnswerLatencyMetrics metrics;
    metrics.firstTokenMilliseconds =
        json::optionalInt64(object, QLatin1String("firstTokenMilliseconds"));
    metrics.firstCueMilliseconds =
        json::optionalInt64(object, QLatin1String("firstCueMilliseconds"));
    metrics.totalMilliseconds = json::optionalInt64(object, QLatin1String("totalMilliseconds"));
    metrics.questionStabilityMilliseconds =
        json::optionalInt64(object, QLatin1String("questionStabilityMilliseconds"));
    return metrics;
}

} // namespace corvel
