#pragma once

#include <QJsonObject>

#include <optional>

namespace corvel {

// Timings of one answer in whole milliseconds; each may be absent.
struct AnswerLatencyMetrics {
    std::optional<qint64> firstTokenMilliseconds;
    std::optional<qint64> firstCueMilliseconds;
    std::optional<qint64> totalMilliseconds;
    std::optional<qint64> questionStabilityMilliseconds;

    QJsonObject toJson() const;
    static AnswerLatencyMetrics fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const AnswerLatencyMetrics&) const = default;
};

} // namespace corvel
