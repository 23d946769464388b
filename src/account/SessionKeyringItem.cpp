#include "account/SessionKeyringItem.h"

namespace corvel {

namespace {

// Two tokens of at most 16 KiB each and a small profile: anything far larger is not a session.
constexpr qsizetype maxItemBytes = 256 * 1024;

[[noreturn]] void failStorage() {
    throw GoogleAuthError(GoogleAuthError::secureStorage);
}

} // namespace

SessionKeyringItem::SessionKeyringItem(SecretStore& store, QString service, QString account)
    : m_store(store), m_service(std::move(service)), m_account(std::move(account)) {}

std::optional<QJsonObject> SessionKeyringItem::loadObject() const {
    const SecretStore::Lookup lookup = m_store.read(m_service, m_account);
    if (lookup.status == SecretStore::itemNotFound)
        return std::nullopt;
    if (lookup.status != SecretStore::success || !lookup.secret ||
        lookup.secret->size() > maxItemBytes)
        failStorage();
    try {
        return json::decodeObject(*lookup.secret);
    } catch (const JsonDecodingError&) {
        failStorage();
    }
}

void SessionKeyringItem::save(const QJsonObject& session) {
    if (m_store.write(m_service, m_account, json::encode(session)) != SecretStore::success)
        failStorage();
}

void SessionKeyringItem::remove() {
    const int status = m_store.remove(m_service, m_account);
    if (status != SecretStore::success && status != SecretStore::itemNotFound)
        failStorage();
}

} // namespace corvel
