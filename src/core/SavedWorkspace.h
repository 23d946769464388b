#pragma once

#include "core/AnswerStyle.h"
#include "core/AudioSource.h"
#include "core/InterviewContext.h"
#include "core/InterviewRecord.h"

#include <QJsonObject>

#include <optional>
#include <vector>

namespace corvel {

// The root of workspace.json: the prepared interview, the history and the preferences.
struct SavedWorkspace {
    InterviewContext context;
    std::vector<InterviewRecord> history; // newest first
    AnswerStyle style = AnswerStyle::adaptive;
    AudioSource audioSource = AudioSource::system;
    QString model;
    double overlayOpacity = 0;
    bool automaticAnswers = true;
    std::optional<qint64> configurationVersion;

    QJsonObject toJson() const;
    static SavedWorkspace fromJson(const QJsonObject& object); // throws JsonDecodingError
};

} // namespace corvel
