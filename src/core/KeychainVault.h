#pragma once

#include "platform/SecretStore.h"

#include <QString>

#include <optional>
#include <stdexcept>

namespace corvel {

// The user's own OpenAI key, kept in the desktop keyring and never in the workspace file.
class KeychainVault final {
public:
    static inline const QString service = QStringLiteral("com.tessaroy.api-key");
    static inline const QString account = QStringLiteral("openai");

    class VaultError final : public std::runtime_error {
    public:
        enum class Operation { read, save };
        VaultError(int status, Operation operation);
        int status() const { return m_status; }
        QString description() const;

    private:
        int m_status;
        Operation m_operation;
    };

    explicit KeychainVault(SecretStore& store);

    // The stored key as it was stored, or none when there is none. A locked or unreachable
    // keyring throws VaultError rather than passing for "no key".
    std::optional<QString> read() const;
    // Stores the trimmed key, or deletes it when the trimmed text is empty. Throws VaultError.
    void save(const QString& key);

private:
    SecretStore& m_store;
};

} // namespace corvel
