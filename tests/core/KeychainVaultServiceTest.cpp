#include "core/KeychainVault.h"
#include "support/TestKeyring.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

class KeychainVaultTest : public ::testing::Test {
protected:
    void SetUp() override { test::clearSecret(KeychainVault::service, KeychainVault::account); }
    void TearDown() override {
        test::unlockDefaultCollection();
        test::clearSecret(KeychainVault::service, KeychainVault::account);
    }
    SecretServiceStore m_store;
    KeychainVault m_vault{m_store};
};

} // namespace

TEST_F(KeychainVaultTest, StoreReplaceReadAndRemove) {
    EXPECT_EQ(m_vault.read(), std::nullopt);
    m_vault.save(u"  sk-first\n"_s);
    EXPECT_EQ(m_vault.read(), u"sk-first"_s);
    m_vault.save(u"sk-second"_s);
    EXPECT_EQ(m_vault.read(), u"sk-second"_s);

    // One item only: removing it once leaves nothing.
    m_vault.save(u" \n\t"_s);
    EXPECT_EQ(m_vault.read(), std::nullopt);
    EXPECT_EQ(m_store.remove(KeychainVault::service, KeychainVault::account),
              SecretStore::itemNotFound);
    EXPECT_NO_THROW(m_vault.save(QString()));
}

TEST_F(KeychainVaultTest, LockedKeyringIsAnErrorNeverNoKey) {
    m_vault.save(u"sk-locked"_s);
    ASSERT_TRUE(test::lockDefaultCollection());
    try {
        m_vault.read();
        FAIL() << "read from a locked keyring must throw";
    } catch (const KeychainVault::VaultError& error) {
        EXPECT_EQ(error.status(), SecretStore::interactionNotAllowed);
        EXPECT_EQ(error.description(),
                  u"The system keyring could not read the saved key (code -25308). "
                  "Unlock your computer, then try again."_s);
    }
    EXPECT_THROW(m_vault.save(u"sk-new"_s), KeychainVault::VaultError);
    EXPECT_THROW(m_vault.save(QString()), KeychainVault::VaultError);

    ASSERT_TRUE(test::unlockDefaultCollection());
    EXPECT_EQ(m_vault.read(), u"sk-locked"_s);
}

TEST(KeychainVaultErrors, MissingKeyringServiceIsNotALockedKeyring) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a fresh process, with no bus connection yet
    EXPECT_EXIT(
        {
            qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/corvel-test-bus");
            SecretServiceStore store;
            try {
                KeychainVault(store).save(u"sk-nowhere"_s);
            } catch (const KeychainVault::VaultError& error) {
                std::fputs(qPrintable(error.description()), stderr);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "^The keyring service is not running, so the system keyring could not save the change "
        "\\(code -25291\\)\\. Start your desktop’s keyring, then try again\\.$");
}
