#include "account/FirebaseKeychainAuthVault.h"
#include "account/GoogleKeychainAuthVault.h"
#include "support/TestKeyring.h"

#include "AuthFailure.h"

#include <gtest/gtest.h>

using namespace corvel;

namespace {

GoogleAccount account(const QString& subject) {
    return {subject, QStringLiteral("ada@example.com"), QStringLiteral("Ada"),
            QUrl(QStringLiteral("https://example.com/ada.png"))};
}

GoogleStoredSession googleSession(const QString& accessToken) {
    return {QStringLiteral("123-abc.apps.googleusercontent.com"),
            {accessToken, QStringLiteral("1//refresh"),
             QDateTime::fromMSecsSinceEpoch(1780000000250, Qt::UTC)},
            account(QStringLiteral("1087"))};
}

FirebaseStoredSession firebaseSession() {
    return {
        QStringLiteral("corvel-test"),
        {QStringLiteral("eyJ.id.token"), QStringLiteral("AMf-refresh"),
         QDateTime::fromMSecsSinceEpoch(1780000003600, Qt::UTC)},
        {QStringLiteral("uid-42"), QStringLiteral("ada@example.com"), std::nullopt, std::nullopt}};
}

class SessionVaultTest : public ::testing::Test {
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }
    static void clear() {
        test::clearSecret(GoogleKeychainAuthVault::service, GoogleKeychainAuthVault::account);
        test::clearSecret(FirebaseKeychainAuthVault::service, FirebaseKeychainAuthVault::account);
    }
    SecretServiceStore m_store;
    GoogleKeychainAuthVault m_google{m_store};
    FirebaseKeychainAuthVault m_firebase{m_store};
};

} // namespace

TEST_F(SessionVaultTest, SavesReplacesAndRemovesEachSessionIndependently) {
    EXPECT_EQ(m_google.load(), std::nullopt);
    EXPECT_EQ(m_firebase.load(), std::nullopt);
    EXPECT_NO_THROW(m_google.remove());

    m_google.save(googleSession(QStringLiteral("ya29.first")));
    m_google.save(googleSession(QStringLiteral("ya29.second")));
    m_firebase.save(firebaseSession());
    EXPECT_EQ(m_google.load(), googleSession(QStringLiteral("ya29.second")));
    EXPECT_EQ(m_firebase.load(), firebaseSession());

    // One item per vault: a single removal leaves nothing behind.
    m_google.remove();
    EXPECT_EQ(m_google.load(), std::nullopt);
    EXPECT_EQ(m_store.remove(GoogleKeychainAuthVault::service, GoogleKeychainAuthVault::account),
              SecretStore::itemNotFound);
    EXPECT_EQ(m_firebase.load(), firebaseSession());
    m_firebase.remove();
    EXPECT_EQ(m_firebase.load(), std::nullopt);
}

TEST_F(SessionVaultTest, CorruptItemIsAStorageErrorAndStaysInPlace) {
    ASSERT_EQ(m_store.write(FirebaseKeychainAuthVault::service, FirebaseKeychainAuthVault::account,
                            "{\"projectID\":\"corvel-test\"}"),
              SecretStore::success);
    EXPECT_EQ(test::authFailure([&] { m_firebase.load(); }), GoogleAuthError::secureStorage);
    EXPECT_EQ(
        m_store.read(FirebaseKeychainAuthVault::service, FirebaseKeychainAuthVault::account).status,
        SecretStore::success);

    ASSERT_EQ(m_store.write(GoogleKeychainAuthVault::service, GoogleKeychainAuthVault::account,
                            "not json"),
              SecretStore::success);
    EXPECT_EQ(test::authFailure([&] { m_google.load(); }), GoogleAuthError::secureStorage);
    m_google.save(googleSession(QStringLiteral("ya29.fresh")));
    EXPECT_EQ(m_google.load(), googleSession(QStringLiteral("ya29.fresh")));
}
