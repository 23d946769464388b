#pragma once

#include "core/AnswerLatencyMetrics.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

namespace corvel {

// One question of a session and the answer it got.
struct AnswerEntry {
    QUuid id = QUuid::createUuid();
    QString question;
    QString answer;
    QDateTime date = QDateTime::currentDateTimeUtc();
    std::optional<qint64> firstTokenMilliseconds;
    std::optional<AnswerLatencyMetrics> latency;

    QJsonObject toJson() const;
    static AnswerEntry fromJson(const QJsonObject& object); // throws JsonDecodingError
};

} // namespace corvel
