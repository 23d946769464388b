#pragma once

#include "account/FirebaseAuthVault.h"
#include "account/SessionKeyringItem.h"

namespace corvel {

// The hosted-path Firebase session in the desktop keyring, one item, as JSON.
class FirebaseKeychainAuthVault final : public FirebaseAuthVault {
public:
    static inline const QString service = QStringLiteral("com.tessaroy.firebase-session");
    static inline const QString account = QStringLiteral("firebase-auth");

    explicit FirebaseKeychainAuthVault(SecretStore& store);

    std::optional<FirebaseStoredSession> load() override;
    void save(const FirebaseStoredSession& session) override;
    void remove() override;

private:
    SessionKeyringItem m_item;
};

} // namespace corvel
