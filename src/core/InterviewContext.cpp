#include "core/InterviewContext.h"

#include "core/JsonCoding.h"

namespace corvel {

QString InterviewContext::title() const {
    const QString trimmed = role.trimmed();
    return trimmed.isEmpty() ? QStringLiteral("Your next interview") : trimmed;
}

bool InterviewContext::ready() const {
    return !resume.trimmed().isEmpty() && !jobDescription.trimmed().isEmpty();
}

QJsonObject InterviewContext::toJson() const {
    return QJsonObject{
        {QLatin1String("name"), name},
        {QLatin1String("role"), role},
        {QLatin1String("company"), company},
        {QLatin1String("resume"), resume},
        {QLatin1String("resumeFilename"), resumeFilename},
        {QLatin1String("jobDescription"), jobDescription},
        {QLatin1String("notes"), notes},
        {QLatin1String("language"), language},
        {QLatin1String("isExample"), isExample},
    };
}

InterviewContext InterviewContext::fromJson(const QJsonObject& object) {
    InterviewContext context;
    context.name = json::requireString(object, QLatin1String("name"));
    context.role = json::requireString(object, QLatin1String("role"));
    context.company = json::requireString(object, QLatin1String("company"));
    context.resume = json::requireString(object, QLatin1String("resume"));
    context.resumeFilename = json::requireString(object, QLatin1String("resumeFilename"));
    context.jobDescription = json::requireString(object, QLatin1String("jobDescription"));
    context.notes = json::requireString(object, QLatin1String("notes"));
    context.language = json::requireString(object, QLatin1String("language"));
    context.isExample = json::requireBool(object, QLatin1String("isExample"));
    return context;
}

bool isEnglishLanguage(const QString& language) {
    const QString value = language.trimmed().toLower();
    return value == QLatin1String("english") || value == QLatin1String("anglais") ||
           value == QLatin1String("en") || value == QLatin1String("en-us") ||
           value == QLatin1String("en-gb");
}

} // namespace corvel
