#include "account/FirebaseKeychainAuthVault.h"

namespace corvel {

FirebaseKeychainAuthVault::FirebaseKeychainAuthVault(SecretStore& store)
    : m_item(store, service, account) {}

std::optional<FirebaseStoredSession> FirebaseKeychainAuthVault::load() {
    return m_item.load<FirebaseStoredSession>();
}

void FirebaseKeychainAuthVault::save(const FirebaseStoredSession& session) {
    m_item.save(session.toJson());
}

void FirebaseKeychainAuthVault::remove() {
    m_item.remove();
}

} // namespace corvel
