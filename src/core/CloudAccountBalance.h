#pragma once

#include "core/CloudActiveSession.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace corvel {

// The signed-in account as the cloud service knows it.
struct CloudAccountBalance {
    QString uid;
    QString email;
    QString displayName;
    std::optional<QString> photoURL;
    bool emailVerified = false;
    std::optional<CloudActiveSession> activeSession;
    QString model;

    static CloudAccountBalance fromJson(const QJsonObject& object); // throws JsonDecodingError
    bool operator==(const CloudAccountBalance&) const = default;
};

} // namespace corvel
