#pragma once

#include "platform/SecretStore.h"

#include <map>
#include <utility>

namespace corvel::test {

// A keyring in memory; `failure`, when set, is the status every call fails with.
class MemorySecretStore final : public SecretStore {
public:
    Lookup read(const QString& service, const QString& account) override {
        if (failure != success)
            return {failure, {}};
        const auto found = m_items.find({service, account});
        if (found == m_items.end())
            return {};
        return {success, found->second};
    }
    int write(const QString& service, const QString& account, const QByteArray& secret) override {
        if (failure == success)
            m_items[{service, account}] = secret;
        return failure;
    }
    int remove(const QString& service, const QString& account) override {
        if (failure != success)
            return failure;
        return m_items.erase({service, account}) ? success : itemNotFound;
    }
    int failure = success;

private:
    std::map<std::pair<QString, QString>, QByteArray> m_items;
};

} // namespace corvel::test
