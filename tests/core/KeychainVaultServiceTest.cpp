#include "core/KeychainVault.h"
#include "support/TestKeyring.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace corvel;

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
    m_vault.save(QStringLiteral("  sk-first\n"));
    EXPECT_EQ(m_vault.read(), QStringLiteral("sk-first"));
    m_vault.save(QStringLiteral("sk-second"));
    EXPECT_EQ(m_vault.read(), QStringLiteral("sk-second"));

    // One item only: removing it once leaves nothing.
    m_vault.save(QStringLiteral(" \n\t"));
    EXPECT_EQ(m_vault.read(), std::nullopt);
    EXPECT_EQ(m_store.remove(KeychainVault::service, KeychainVault::account),
              SecretStore::itemNotFound);
    EXPECT_NO_THROW(m_vault.save(QString()));
}

TEST_F(KeychainVaultTest, LockedKeyringIsAnErrorNeverNoKey) {
    m_vault.save(QStringLiteral("sk-locked"));
    ASSERT_TRUE(test::lockDefaultCollection());
    try {
        m_vault.read();
        FAIL() << "read from a locked keyring must throw";
    } catch (const KeychainVault::VaultError& error) {
        EXPECT_EQ(error.status(), SecretStore::interactionNotAllowed);
        EXPECT_EQ(error.description(),
                  QStringLiteral("The system keyring could not read the saved key (code -25308). "
                                 "Unlock your computer, then try again."));
    }
    EXPECT_THROW(m_vault.save(QStringLiteral("sk-new")), KeychainVault::VaultError);
    EXPECT_THROW(m_vault.save(QString()), KeychainVault::VaultError);

    ASSERT_TRUE(test::unlockDefaultCollection());
    EXPECT_EQ(m_vault.read(), QStringLiteral("sk-locked"));
}

TEST(KeychainVaultErrors, MissingKeyringServiceIsNotALockedKeyring) {
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // a fresh process, with no bus connection yet
    EXPECT_EXIT(
        {
            qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/corvel-test-bus");
            SecretServiceStore store;
            try {
                KeychainVault(store).save(QStringLiteral("sk-nowhere"));
            } catch (const KeychainVault::VaultError& error) {
                std::fputs(qPrintable(error.description()), stderr);
            }
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        "^The keyring service is not running, so the system keyring could not save the change "
        "\\(code -25291\\)\\. Start your desktop’s keyring, then try again\\.$");
}
