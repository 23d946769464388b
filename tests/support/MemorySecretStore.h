#pragma once

#include "platform/SecretStore.h"

#include <QHash>
#include <QPair>

namespace corvel::test {

// An in-memory keyring; `failWith` makes every call fail with that status (a locked keyring).
class MemorySecretStore final : public SecretStore {
public:
    Lookup read(const QString& service, const QString& account) override {
        if (failWith)
            return {*failWith, std::nullopt};
        const auto it = items.constFind({service, account});
        if (it == items.constEnd())
            return {itemNotFound, std::nullopt};
        return {success, *it};
    }
    int write(const QString& service, const QString& account, const QByteArray& secret) override {
        if (failWith)
            return *failWith;
        items.insert({service, account}, secret);
        return success;
    }
    int remove(const QString& service, const QString& account) override {
        if (failWith)
            return *failWith;
        return items.remove({service, account}) > 0 ? success : itemNotFound;
    }

    QHash<QPair<QString, QString>, QByteArray> items;
    std::optional<int> failWith;
};

} // namespace corvel::test
