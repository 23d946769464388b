#pragma once

#include <QJsonObject>
#include <QString>

namespace corvel {

// The interview being prepared.
struct InterviewContext {
    QString name;
    QString role;
    QString company;
    QString resume;
    QString resumeFilename;
    QString jobDescription;
    QString notes;
    QString language = QStringLiteral("English");
    bool isExample = false;

    // The trimmed role, or "Your next interview".
    QString title() const;
    // A resume and a job description that are not blank.
    bool ready() const;

    QJsonObject toJson() const;
    static InterviewContext fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const InterviewContext&) const = default;
};

// "english", "anglais", "en", "en-us" or "en-gb", trimmed and lower-cased; anything else is French.
bool isEnglishLanguage(const QString& language);

} // namespace corvel
