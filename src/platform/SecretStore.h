#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace corvel {

// Generic secrets keyed by (service, account). Statuses use the Keychain's numbers so the
// vaults above can report them unchanged.
class SecretStore {
public:
    static constexpr int success = 0;
    static constexpr int itemNotFound = -25300;
    static constexpr int interactionNotAllowed = -25308; // the keyring is locked
    static constexpr int notAvailable = -25291;          // no Secret Service answers
    static constexpr int internalError = -2070;

    struct Lookup {
        int status = itemNotFound;
        std::optional<QByteArray> secret; // set only with success
    };

    virtual ~SecretStore() = default;
    virtual Lookup read(const QString& service, const QString& account) = 0;
    // Replaces the one item for (service, account), or adds it.
    virtual int write(const QString& service, const QString& account, const QByteArray& secret) = 0;
    // Deletes every item for (service, account); itemNotFound when there was none.
    virtual int remove(const QString& service, const QString& account) = 0;
};

// The desktop's Secret Service (gnome-keyring, KWallet's bridge, KeePassXC) through libsecret.
// Items go to the default collection; a locked item or collection is never reported as missing.
class SecretServiceStore final : public SecretStore {
public:
    Lookup read(const QString& service, const QString& account) override;
    int write(const QString& service, const QString& account, const QByteArray& secret) override;
    int remove(const QString& service, const QString& account) override;
};

} // namespace corvel
