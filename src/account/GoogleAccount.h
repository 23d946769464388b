#pragma once

#include <QJsonObject>
#include <QString>
#include <QUrl>

#include <optional>

namespace corvel {

// The signed-in identity; `subject` identifies it.
struct GoogleAccount {
    QString subject;
    QString email;
    std::optional<QString> name;
    std::optional<QUrl> pictureURL;

    QJsonObject toJson() const;
    static GoogleAccount fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const GoogleAccount&) const = default;
};

} // namespace corvel
