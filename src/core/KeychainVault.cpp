#include "core/KeychainVault.h"

#include <QStringDecoder>

namespace corvel {

KeychainVault::VaultError::VaultError(int status, Operation operation)
    : std::runtime_error("keyring error"), m_status(status), m_operation(operation) {}

// Every text the vault shows lives here.
QString KeychainVault::VaultError::description() const {
    const QString action = m_operation == Operation::save ? QStringLiteral("save the change")
                                                          : QStringLiteral("read the saved key");
    if (m_status == SecretStore::notAvailable)
        return QStringLiteral("The keyring service is not running, so the system keyring could "
                              "not %1 (code %2). Start your desktop’s keyring, then try again.")
            .arg(action)
            .arg(m_status);
    return QStringLiteral("The system keyring could not %1 (code %2). Unlock your computer, then "
                          "try again.")
        .arg(action)
        .arg(m_status);
}

KeychainVault::KeychainVault(SecretStore& store) : m_store(store) {}

std::optional<QString> KeychainVault::read() const {
    const SecretStore::Lookup lookup = m_store.read(service, account);
    if (lookup.status == SecretStore::itemNotFound)
        return std::nullopt;
    if (lookup.status != SecretStore::success)
        throw VaultError(lookup.status, VaultError::Operation::read);
    auto decoder = QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(*lookup.secret);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

void KeychainVault::save(const QString& key) {
    const QString trimmed = key.trimmed();
    if (trimmed.isEmpty()) {
        const int status = m_store.remove(service, account);
        if (status != SecretStore::success && status != SecretStore::itemNotFound)
            throw VaultError(status, VaultError::Operation::save);
        return;
    }
    const int status = m_store.write(service, account, trimmed.toUtf8());
    if (status != SecretStore::success)
        throw VaultError(status, VaultError::Operation::save);
}

} // namespace corvel
