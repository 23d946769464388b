#pragma once

#include "account/GoogleAuthVault.h"
#include "account/SessionKeyringItem.h"

namespace corvel {

// The direct Google session in the desktop keyring, one item, as JSON.
class GoogleKeychainAuthVault final : public GoogleAuthVault {
public:
    static inline const QString service = QStringLiteral("com.tessaroy.google-session");
    static inline const QString account = QStringLiteral("google-oauth");

    explicit GoogleKeychainAuthVault(SecretStore& store);

    std::optional<GoogleStoredSession> load() override;
    void save(const GoogleStoredSession& session) override;
    void remove() override;

private:
    SessionKeyringItem m_item;
};

} // namespace corvel
