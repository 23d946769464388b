#include "account/GoogleKeychainAuthVault.h"

namespace corvel {

GoogleKeychainAuthVault::GoogleKeychainAuthVault(SecretStore& store)
    : m_item(store, service, account) {}

std::optional<GoogleStoredSession> GoogleKeychainAuthVault::load() {
    return m_item.load<GoogleStoredSession>();
}

void GoogleKeychainAuthVault::save(const GoogleStoredSession& session) {
    m_item.save(session.toJson());
}

void GoogleKeychainAuthVault::remove() {
    m_item.remove();
}

} // namespace corvel
