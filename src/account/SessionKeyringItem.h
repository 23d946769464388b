#pragma once

#include "account/GoogleAuthError.h"
#include "core/JsonCoding.h"
#include "platform/SecretStore.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace corvel {

// One sign-in session kept as JSON in one keyring item. Every failure, a locked keyring or an
// item that no longer decodes included, is GoogleAuthError::secureStorage; only a missing item
// reads as "no session". A bad item is left in place for the caller to decide on.
class SessionKeyringItem final {
public:
    SessionKeyringItem(SecretStore& store, QString service, QString account);

    template <typename Session> std::optional<Session> load() const {
        const auto object = loadObject();
        if (!object)
            return std::nullopt;
        try {
            return Session::fromJson(*object);
        } catch (const JsonDecodingError&) {
            throw GoogleAuthError(GoogleAuthError::secureStorage);
        }
    }
    void save(const QJsonObject& session);
    void remove();

private:
    std::optional<QJsonObject> loadObject() const;

    SecretStore& m_store;
    QString m_service;
    QString m_account;
};

} // namespace corvel
