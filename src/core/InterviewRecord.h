#pragma once

#include "core/AnswerEntry.h"

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <vector>

namespace corvel {

// One past session with its answers, in the order they were produced.
struct InterviewRecord {
    QUuid id = QUuid::createUuid();
    QDateTime date = QDateTime::currentDateTimeUtc();
    QString role;
    QString company;
    qint64 duration = 0; // seconds
    bool isDemo = false;
    std::vector<AnswerEntry> entries;

    QJsonObject toJson() const;
    static InterviewRecord fromJson(const QJsonObject& object); // throws JsonDecodingError
};

} // namespace corvel
