#include "core/SavedWorkspace.h"

#include "core/JsonCoding.h"

#include <QJsonArray>

namespace corvel {

QJsonObject SavedWorkspace::toJson() const {
    QJsonArray records;
    for (const InterviewRecord& record : history)
        records.append(record.toJson());
    QJsonObject object{
        {QLatin1String("context"), context.toJson()},
        {QLatin1String("history"), records},
        {QLatin1String("style"), rawValue(style)},
        {QLatin1String("audioSource"), rawValue(audioSource)},
        {QLatin1String("model"), model},
        {QLatin1String("overlayOpacity"), overlayOpacity},
        {QLatin1String("automaticAnswers"), automaticAnswers},
    };
    if (configurationVersion)
        object.insert(QLatin1String("configurationVersion"), *configurationVersion);
    return object;
}

SavedWorkspace SavedWorkspace::fromJson(const QJsonObject& object) {
    SavedWorkspace workspace;
    workspace.context =
        InterviewContext::fromJson(json::requireObject(object, QLatin1String("context")));
    for (const QJsonValue& value : json::requireArray(object, QLatin1String("history")))
        workspace.history.push_back(InterviewRecord::fromJson(json::asObject(value)));
    const auto style = answerStyleFromRaw(json::requireString(object, QLatin1String("style")));
    if (!style)
        throw JsonDecodingError(QStringLiteral("style: unknown value"));
    workspace.style = *style;
    const auto source =
        audioSourceFromRaw(json::requireString(object, QLatin1String("audioSource")));
    if (!source)
        throw JsonDecodingError(QStringLiteral("audioSource: unknown value"));
    workspace.audioSource = *source;
    workspace.model = json::requireString(object, QLatin1String("model"));
    workspace.overlayOpacity = json::requireDouble(object, QLatin1String("overlayOpacity"));
    workspace.automaticAnswers = json::requireBool(object, QLatin1String("automaticAnswers"));
    workspace.configurationVersion =
        json::optionalInt64(object, QLatin1String("configurationVersion"));
    return workspace;
}

} // namespace corvel
