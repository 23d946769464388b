#pragma once

// Restore at start, run over any keyring: each test file instantiates these with its own
// (Keyring::make, lock, unlock, clear).

#include "AuthStoreHarness.h"
#include "account/GoogleAuthError.h"

#include <QSignalSpy>

namespace corvel::test {

template <typename Keyring>
class GoogleAuthStoreRestore : public ::testing::Test, public AuthStoreHarness {
protected:
    GoogleAuthStoreRestore() : AuthStoreHarness(Keyring::make()) {}
    ~GoogleAuthStoreRestore() override {
        store.reset();
        Keyring::unlock(*secrets);
        Keyring::clear();
    }

    template <typename Session> struct Case {
        const char* name;
        std::optional<Session> saved;
        QList<TestHttpServer::Response> replies;
        std::optional<GoogleAuthError::Case> message;
        bool kept;
    };

    // Every case starts from the saved item it names, runs the restore that construction starts,
    // and ends signed out with the item kept or removed.
    template <typename Session, typename Vault>
    void expectFailures(bool hosted, Vault vault, const std::vector<Case<Session>>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            vault.remove();
            if (c.saved)
                vault.save(*c.saved);
            for (const auto& reply : c.replies)
                server.enqueue(reply);
            const size_t before = server.requests().size();
            auto& restored = makeStore(hosted);
            EXPECT_TRUE(restored.isBusy());
            waitUntilIdle();
            EXPECT_EQ(restored.account(), std::nullopt);
            EXPECT_EQ(restored.message(),
                      c.message ? std::optional<QString>(GoogleAuthError(*c.message).description())
                                : std::nullopt);
            EXPECT_EQ(isSaved(hosted), c.kept);
            EXPECT_EQ(server.requests().size() - before, size_t(c.replies.size()));
        }
    }

    // The account appears only once the refreshed session is checked and saved.
    void expectRestored(bool hosted, const GoogleAccount& account) {
        auto& restored = makeStore(hosted);
        QSignalSpy published(&restored, &GoogleAuthStore::accountChanged);
        EXPECT_TRUE(restored.isBusy());
        EXPECT_EQ(restored.account(), std::nullopt);
        waitUntilIdle();
        EXPECT_EQ(restored.account(), account);
        EXPECT_EQ(published.count(), 1);
        EXPECT_EQ(restored.message(), std::nullopt);
    }

    static TestHttpServer::Response json(int status, const QByteArray& body) {
        return TestHttpServer::json(status, body);
    }
};

TYPED_TEST_SUITE_P(GoogleAuthStoreRestore);

TYPED_TEST_P(GoogleAuthStoreRestore, HostedSessionAndEachFailure) {
    auto vault = this->firebaseVault();
    vault.save(this->firebaseSession());
    this->server.enqueue(this->json(200, refreshReply("eyJ.id2")));
    this->server.enqueue(this->json(200, lookupReply()));
    this->expectRestored(true,
                         {QStringLiteral("uid-1"), QStringLiteral("ana@example.com"), {}, {}});
    EXPECT_EQ(vault.load()->tokens.idToken, QStringLiteral("eyJ.id2"));

    const auto saved = this->firebaseSession();
    auto otherProject = saved;
    otherProject.projectID = QStringLiteral("corvel-other");
    using Case = typename TestFixture::template Case<FirebaseStoredSession>;
    const std::vector<Case> cases = {
        {"nothing saved", std::nullopt, {}, std::nullopt, false},
        {"other project", otherProject, {}, GoogleAuthError::sessionExpired, false},
        {"rejected",
         saved,
         {this->json(400, R"({"error":{"message":"TOKEN_EXPIRED"}})")},
         GoogleAuthError::sessionExpired,
         false},
        {"bad token reply", saved, {this->json(200, "{}")}, GoogleAuthError::invalidToken, false},
        {"unverified email",
         saved,
         {this->json(200, refreshReply("eyJ.id2")), this->json(200, lookupReply("uid-1", false))},
         GoogleAuthError::invalidIdentity,
         false},
        {"another user",
         saved,
         {this->json(200, refreshReply("eyJ.id2", "uid-9"))},
         GoogleAuthError::identityChanged,
         false},
        {"server failure", saved, {this->json(503, "{}")}, GoogleAuthError::server, true},
        {"network failure", saved, {cutReply()}, GoogleAuthError::connection, true},
    };
    this->expectFailures(true, this->firebaseVault(), cases);
}

TYPED_TEST_P(GoogleAuthStoreRestore, DirectSessionAndEachFailure) {
    auto vault = this->googleVault();
    vault.save(this->googleSession());
    this->server.enqueue(this->json(200, googleTokenReply()));
    this->server.enqueue(this->json(200, googleUserReply()));
    this->expectRestored(false,
                         {QStringLiteral("1061"), QStringLiteral("ana@example.com"), {}, {}});
    EXPECT_EQ(vault.load()->tokens.accessToken, QStringLiteral("ya29.new"));

    const auto saved = this->googleSession();
    auto otherClient = saved;
    otherClient.clientID = QStringLiteral("999-other.apps.googleusercontent.com");
    using Case = typename TestFixture::template Case<GoogleStoredSession>;
    const std::vector<Case> cases = {
        {"other client", otherClient, {}, GoogleAuthError::sessionExpired, false},
        {"rejected",
         saved,
         {this->json(400, R"({"error":"invalid_grant"})")},
         GoogleAuthError::sessionExpired,
         false},
        {"another user",
         saved,
         {this->json(200, googleTokenReply()), this->json(200, googleUserReply("2000"))},
         GoogleAuthError::identityChanged,
         false},
        {"network failure", saved, {cutReply()}, GoogleAuthError::connection, true},
    };
    this->expectFailures(false, this->googleVault(), cases);
}

TYPED_TEST_P(GoogleAuthStoreRestore, UnreadableOrLockedItemIsKept) {
    for (const bool hosted : {true, false}) {
        SCOPED_TRACE(hosted ? "hosted" : "direct");
        const QString service =
            hosted ? FirebaseKeychainAuthVault::service : GoogleKeychainAuthVault::service;
        const QString account =
            hosted ? FirebaseKeychainAuthVault::account : GoogleKeychainAuthVault::account;
        ASSERT_EQ(this->secrets->write(service, account, "not json"), SecretStore::success);
        const QString keyringMessage =
            GoogleAuthError(GoogleAuthError::secureStorage).description();
        auto& unreadable = this->makeStore(hosted);
        this->waitUntilIdle();
        EXPECT_EQ(unreadable.message(), keyringMessage);
        EXPECT_TRUE(this->isSaved(hosted));

        TypeParam::lock(*this->secrets);
        auto& locked = this->makeStore(hosted);
        this->waitUntilIdle();
        EXPECT_EQ(locked.account(), std::nullopt);
        EXPECT_EQ(locked.message(), keyringMessage);
        TypeParam::unlock(*this->secrets);
        EXPECT_TRUE(this->isSaved(hosted));
    }
    EXPECT_TRUE(this->server.requests().empty());
}

REGISTER_TYPED_TEST_SUITE_P(GoogleAuthStoreRestore, HostedSessionAndEachFailure,
                            DirectSessionAndEachFailure, UnreadableOrLockedItemIsKept);

} // namespace corvel::test
