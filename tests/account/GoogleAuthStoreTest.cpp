#include "AuthFailure.h"
#include "AuthStoreHarness.h"
#include "account/GoogleAuthError.h"

#include <QSignalSpy>

namespace corvel::test {
namespace {

const auto text = [](GoogleAuthError::Case c) { return GoogleAuthError(c).description(); };
constexpr auto json = &TestHttpServer::json;
const auto ok = [](const QByteArray& body) { return TestHttpServer::json(200, body); };
const auto bridgeReply = [](const char* uid) {
    return R"({"customToken":"eyJ.custom","user":{"uid":")" + QByteArray(uid) + "\"}}";
};
const QByteArray signInReply =
    R"({"idToken":"eyJ.new","refreshToken":"AMf-new","expiresIn":"3600"})";

std::vector<QString> logged;
void recordLog(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (QLatin1String(context.category) == QLatin1String("com.tessaroy.app.Account"))
        logged.push_back(message);
}

class GoogleAuthStoreTest : public ::testing::Test, public AuthStoreHarness {
protected:
    GoogleAuthStoreTest() : AuthStoreHarness(std::make_shared<MemorySecretStore>()) {}
    MemorySecretStore& keyring() { return static_cast<MemorySecretStore&>(*secrets); }

    // Signed in on the chosen path through a restore of a saved session.
    GoogleAuthStore& signedIn(bool hosted, const char* subject = "uid-1") {
        if (hosted) {
            firebaseVault().save(firebaseSession(subject));
            server->enqueue({ok(refreshReply("eyJ.id2", subject)), ok(lookupReply(subject))});
        } else {
            googleVault().save(googleSession());
            server->enqueue({ok(googleTokenReply()), ok(googleUserReply())});
        }
        auto& signedIn = makeStore(hosted);
        waitUntilIdle();
        EXPECT_TRUE(signedIn.account());
        return signedIn;
    }

    template <typename Session> struct RestoreCase {
        const char* name;
        std::optional<Session> saved;
        QList<TestHttpServer::Response> replies;
        std::optional<GoogleAuthError::Case> message;
        bool kept;
    };

    // Every case starts from the saved item it names, runs the restore that construction starts,
    // and ends signed out with the item kept or removed.
    template <typename Session, typename Vault>
    void expectFailures(bool hosted, Vault vault, const std::vector<RestoreCase<Session>>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            vault.remove();
            if (c.saved)
                vault.save(*c.saved);
            for (const auto& reply : c.replies)
                server->enqueue(reply);
            const size_t before = server->requests().size();
            auto& restored = makeStore(hosted);
            EXPECT_TRUE(restored.isBusy());
            waitUntilIdle();
            EXPECT_EQ(restored.account(), std::nullopt);
            EXPECT_EQ(restored.message(),
                      c.message ? std::optional(text(*c.message)) : std::nullopt);
            EXPECT_EQ(isSaved(hosted), c.kept);
            EXPECT_EQ(server->requests().size() - before, size_t(c.replies.size()));
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
};

} // namespace

TEST(GoogleAuthStoreConfiguration, TheBundleChoosesOnePathForGood) {
    BundleInfo both;
    both.firebaseAPIKey = QStringLiteral("AIzaSyA-test_key_0123456789");
    both.gidClientID = AuthStoreHarness::googleConfiguration().clientID;
    both.urlSchemes = {AuthStoreHarness::googleConfiguration().callbackScheme};
    for (const BundleInfo& bundle : {both, BundleInfo{}}) {
        GoogleAuthStore::Collaborators collaborators;
        collaborators.bundle = bundle;
        collaborators.secretStore = std::make_shared<MemorySecretStore>();
        GoogleAuthStore store(std::move(collaborators));
        // The hosted path is chosen by its key alone, so a usable Google client is never tried.
        EXPECT_FALSE(store.isConfigured());
        EXPECT_FALSE(store.isBusy());
        EXPECT_EQ(store.message(), text(GoogleAuthError::notConfigured));
        store.cancel();
        store.signIn();
        EXPECT_EQ(store.message(), text(GoogleAuthError::notConfigured));
        EXPECT_FALSE(store.isBusy());
    }
}

TEST(GoogleAuthStoreHostedSignIn, FromThePageToThePublishedAccountOverTls) {
    logged.clear();
    const auto previousHandler = qInstallMessageHandler(recordLog);
    TestHttpServer tls(TestHttpServer::Mode::tls);
    AuthStoreHarness harness(std::make_shared<MemorySecretStore>(), tls.baseUrl());
    auto options = GoogleURLSessionTransport::defaultOptions();
    options.extraCaCertificates = {TestHttpServer::caCertificate()};
    auto& store =
        harness.makeStore(true, false, std::make_shared<GoogleURLSessionTransport>(options));
    store.signIn();
    EXPECT_TRUE(store.isBusy());
    harness.waitForPage();
    store.signIn(); // ignored while busy
    const QUrl page = harness.opened.first();
    EXPECT_EQ(page.adjusted(QUrl::RemoveQuery),
              QUrl(QStringLiteral("https://corvel-test.web.app/auth.html")));

    tls.enqueue(ok(bridgeReply("uid-1")));
    tls.enqueue(ok(signInReply));
    tls.enqueue(ok(lookupReply()));
    ASSERT_TRUE(harness.returnFromPage(true));
    harness.waitUntilIdle();
    const GoogleAccount account{QStringLiteral("uid-1"), QStringLiteral("ana@example.com"), {}, {}};
    EXPECT_EQ(store.account(), account);
    EXPECT_EQ(store.message(), std::nullopt);
    EXPECT_EQ(harness.opened.size(), 1);
    const auto saved = harness.firebaseVault().load();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->account, account);
    EXPECT_EQ(saved->tokens.expiresAt, startDate.addSecs(3600));
    const auto& requests = tls.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].path, "/api/v1/auth/exchange");
    EXPECT_TRUE(requests[0].body.contains("\"state\":\"" + harness.pageState().toUtf8() + "\""));

    // A fresh token is served from memory.
    EXPECT_EQ(awaitTask(store.validIDToken()), QStringLiteral("eyJ.new"));
    EXPECT_EQ(requests.size(), 3u);

    qInstallMessageHandler(previousHandler);
    EXPECT_EQ(logged, std::vector<QString>{QStringLiteral("Secure account operation started")});
}

TEST_F(GoogleAuthStoreTest, DirectSignInReplacesOnlyOnFullSuccess) {
    auto& store = makeStore(false, false);
    store.signIn();
    waitForPage();
    EXPECT_EQ(QUrlQuery(opened.last()).queryItemValue(QStringLiteral("client_id")),
              googleConfiguration().clientID);
    server->enqueue({ok(googleTokenReply()), ok(googleUserReply())});
    ASSERT_TRUE(returnFromPage(false));
    waitUntilIdle();
    const auto first = store.account();
    ASSERT_TRUE(first);
    EXPECT_EQ(googleVault().load()->account, *first);

    // The account request fails, then the keyring refuses the new session: the first stays.
    for (const bool keyringFails : {false, true}) {
        store.signIn();
        waitForPage(keyringFails ? 3 : 2);
        server->enqueue({ok(googleTokenReply("ya29.second")),
                         keyringFails ? ok(googleUserReply("2000")) : json(500, "{}")});
        if (keyringFails)
            keyring().failWith = SecretStore::interactionNotAllowed;
        ASSERT_TRUE(returnFromPage(false));
        waitUntilIdle();
        keyring().failWith.reset();
        EXPECT_EQ(store.account(), first);
        EXPECT_EQ(store.message(),
                  text(keyringFails ? GoogleAuthError::secureStorage : GoogleAuthError::server));
        EXPECT_EQ(googleVault().load()->tokens.accessToken, QStringLiteral("ya29.new"));
    }
}

TEST_F(GoogleAuthStoreTest, ConcurrentCallersNearExpiryShareOneRefresh) {
    auto& store = signedIn(true);
    const size_t before = server->requests().size();
    now = startDate.addSecs(3600 - 61);
    EXPECT_EQ(awaitTask(store.validIDToken()), QStringLiteral("eyJ.id2"));
    EXPECT_EQ(server->requests().size(), before);

    now = startDate.addSecs(3600 - 60);
    server->enqueue({ok(refreshReply("eyJ.id3")), ok(lookupReply())});
    auto first = store.validIDToken();
    auto second = store.validIDToken();
    auto third = store.validIDToken();
    for (auto* task : {&first, &second, &third})
        EXPECT_EQ(awaitTask(std::move(*task)), QStringLiteral("eyJ.id3"));
    EXPECT_EQ(server->requests().size(), before + 2);
    EXPECT_EQ(firebaseVault().load()->tokens.idToken, QStringLiteral("eyJ.id3"));

    // A network failure keeps the session; a rejection ends it.
    now = now.addSecs(3600);
    server->enqueue(cutReply());
    EXPECT_EQ(authFailure(store.validIDToken()), GoogleAuthError::connection);
    EXPECT_TRUE(store.account());
    EXPECT_EQ(store.message(), text(GoogleAuthError::connection));
    server->enqueue(json(400, R"({"error":{"message":"USER_DISABLED"}})"));
    EXPECT_EQ(authFailure(store.validIDToken()), GoogleAuthError::sessionExpired);
    EXPECT_EQ(store.account(), std::nullopt);
    EXPECT_FALSE(isSaved(true));
    EXPECT_EQ(authFailure(store.validIDToken()), GoogleAuthError::sessionExpired);

    // The direct path never drives the cloud service.
    auto& direct = signedIn(false);
    EXPECT_EQ(authFailure(direct.validIDToken()), GoogleAuthError::sessionExpired);
}

TEST_F(GoogleAuthStoreTest, CancelDuringEachStepLeavesNothingBehind) {
    const QString cancelled = text(GoogleAuthError::cancelled);
    // Cancels `s` and lets its task reach its next step: it ends idle, with the cancelled message.
    const auto cancelNow = [&](GoogleAuthStore& s) {
        s.cancel();
        settle();
        EXPECT_FALSE(s.isBusy());
        EXPECT_EQ(s.message(), cancelled);
    };
    auto& store = makeStore(true, false);
    store.signIn();
    waitForPage();
    store.cancel();
    EXPECT_FALSE(store.isBusy());
    EXPECT_EQ(store.message(), cancelled);
    // The cancelled sign-in reaches its next step while a new one runs, and changes nothing.
    store.signIn();
    settle();
    EXPECT_TRUE(store.isBusy());
    EXPECT_EQ(store.message(), std::nullopt);

    // During the code exchange.
    waitForPage(2);
    server->enqueue(stalledReply());
    ASSERT_TRUE(returnFromPage(true));
    waitForRequests(1);
    cancelNow(store);
    EXPECT_FALSE(isSaved(true));

    // During the restore's refresh: the saved session stays for the next launch.
    firebaseVault().save(firebaseSession());
    server->enqueue(stalledReply());
    store.restore();
    waitForRequests(2);
    cancelNow(store);
    EXPECT_EQ(store.account(), std::nullopt);
    EXPECT_TRUE(isSaved(true));

    // During a token refresh.
    auto& signedInStore = signedIn(true);
    const size_t before = server->requests().size();
    now = startDate.addSecs(3600);
    server->enqueue(stalledReply());
    auto token = signedInStore.validIDToken();
    waitForRequests(before + 1);
    signedInStore.cancel();
    EXPECT_EQ(authFailure(std::move(token)), GoogleAuthError::cancelled);
    EXPECT_TRUE(signedInStore.account());
    EXPECT_EQ(firebaseVault().load()->tokens.idToken, QStringLiteral("eyJ.id2"));

    // During the direct path's account request.
    auto& direct = makeStore(false, false);
    direct.signIn();
    waitForPage(3);
    server->enqueue({ok(googleTokenReply()), stalledReply()});
    ASSERT_TRUE(returnFromPage(false));
    waitForRequests(before + 3);
    cancelNow(direct);
    EXPECT_EQ(direct.account(), std::nullopt);
    EXPECT_FALSE(isSaved(false));
}

TEST_F(GoogleAuthStoreTest, SignOutOnBothPaths) {
    // Hosted: nothing is sent; a keyring that refuses the removal is reported.
    auto& hosted = signedIn(true);
    const size_t before = server->requests().size();
    hosted.signOut();
    EXPECT_EQ(hosted.account(), std::nullopt);
    EXPECT_EQ(hosted.message(), std::nullopt);
    EXPECT_FALSE(isSaved(true));
    auto& refused = signedIn(true);
    keyring().failWith = SecretStore::interactionNotAllowed;
    refused.signOut();
    keyring().failWith.reset();
    EXPECT_EQ(refused.account(), std::nullopt);
    EXPECT_EQ(refused.message(), text(GoogleAuthError::secureStorage));
    settle();
    EXPECT_EQ(server->requests().size(), before + 2); // the second sign-in's restore only

    // Direct: the tokens are revoked in the background, whatever the answer.
    auto& direct = signedIn(false);
    server->enqueue(json(400, R"({"error":"invalid_token"})"));
    direct.signOut();
    EXPECT_FALSE(direct.isBusy());
    EXPECT_EQ(direct.account(), std::nullopt);
    EXPECT_FALSE(isSaved(false));
    waitForRequests(before + 5);
    EXPECT_EQ(server->requests().back().path, "/revoke");
    EXPECT_EQ(server->requests().back().body, "token=1%2F%2FR");
    settle();
    EXPECT_EQ(direct.message(), std::nullopt);

    // Signing out while the browser waits closes it; the stale sign-in reports nothing.
    direct.signIn();
    waitForPage();
    direct.signOut();
    EXPECT_FALSE(direct.isBusy());
    settle();
    EXPECT_EQ(direct.message(), std::nullopt);
    EXPECT_EQ(server->requests().size(), before + 5);
}

// A refresh of the old account's token must not delete or overwrite the session of an account
// that signed in while it was in flight.
TEST_F(GoogleAuthStoreTest, RefreshFromBeforeASignInLeavesTheNewAccountAlone) {
    auto& store = signedIn(true, "uid-1");
    const size_t before = server->requests().size();
    store.signIn();
    waitForPage();
    now = startDate.addSecs(3600);
    server->enqueue(stalledReply());
    auto token = store.validIDToken();
    waitForRequests(before + 1);

    server->enqueue({ok(bridgeReply("uid-2")), ok(signInReply), ok(lookupReply("uid-2"))});
    ASSERT_TRUE(returnFromPage(true));
    waitUntilIdle();
    EXPECT_EQ(authFailure(std::move(token)), GoogleAuthError::cancelled);
    EXPECT_EQ(store.account()->subject, QStringLiteral("uid-2"));
    EXPECT_EQ(firebaseVault().load()->account.subject, QStringLiteral("uid-2"));
    EXPECT_EQ(store.message(), std::nullopt);
    EXPECT_EQ(awaitTask(store.validIDToken()), QStringLiteral("eyJ.new"));
}

TEST_F(GoogleAuthStoreTest, RestoreHostedSessionAndEachFailure) {
    auto vault = firebaseVault();
    vault.save(firebaseSession());
    server->enqueue({ok(refreshReply("eyJ.id2")), ok(lookupReply())});
    expectRestored(true, {QStringLiteral("uid-1"), QStringLiteral("ana@example.com"), {}, {}});
    EXPECT_EQ(vault.load()->tokens.idToken, QStringLiteral("eyJ.id2"));

    const auto saved = firebaseSession();
    auto otherProject = saved;
    otherProject.projectID = QStringLiteral("corvel-other");
    const auto rejected = json(400, R"({"error":{"message":"TOKEN_EXPIRED"}})");
    const auto unverified = ok(lookupReply("uid-1", false));
    using E = GoogleAuthError;
    const std::vector<RestoreCase<FirebaseStoredSession>> cases = {
        {"nothing saved", std::nullopt, {}, std::nullopt, false},
        {"other project", otherProject, {}, E::sessionExpired, false},
        {"rejected", saved, {rejected}, E::sessionExpired, false},
        {"bad token reply", saved, {ok("{}")}, E::invalidToken, false},
        {"unverified", saved, {ok(refreshReply("eyJ.id2")), unverified}, E::invalidIdentity, false},
        {"another user", saved, {ok(refreshReply("eyJ.id2", "uid-9"))}, E::identityChanged, false},
        {"server failure", saved, {json(503, "{}")}, E::server, true},
        {"network failure", saved, {cutReply()}, E::connection, true}};
    expectFailures(true, firebaseVault(), cases);
}

TEST_F(GoogleAuthStoreTest, RestoreDirectSessionAndEachFailure) {
    auto vault = googleVault();
    vault.save(googleSession());
    server->enqueue({ok(googleTokenReply()), ok(googleUserReply())});
    expectRestored(false, {QStringLiteral("1061"), QStringLiteral("ana@example.com"), {}, {}});
    EXPECT_EQ(vault.load()->tokens.accessToken, QStringLiteral("ya29.new"));

    const auto saved = googleSession();
    auto otherClient = saved;
    otherClient.clientID = QStringLiteral("999-other.apps.googleusercontent.com");
    const auto otherUser = ok(googleUserReply("2000"));
    using E = GoogleAuthError;
    const std::vector<RestoreCase<GoogleStoredSession>> cases = {
        {"other client", otherClient, {}, E::sessionExpired, false},
        {"rejected", saved, {json(400, R"({"error":"invalid_grant"})")}, E::sessionExpired, false},
        {"another user", saved, {ok(googleTokenReply()), otherUser}, E::identityChanged, false},
        {"network failure", saved, {cutReply()}, E::connection, true}};
    expectFailures(false, googleVault(), cases);
}

TEST_F(GoogleAuthStoreTest, RestoreUnreadableOrLockedItemIsKept) {
    for (const bool hosted : {true, false}) {
        SCOPED_TRACE(hosted ? "hosted" : "direct");
        const auto [service, account] = item(hosted);
        ASSERT_EQ(secrets->write(service, account, "not json"), SecretStore::success);
        keyring().failWith = SecretStore::interactionNotAllowed;
        auto& locked = makeStore(hosted);
        waitUntilIdle();
        EXPECT_EQ(locked.account(), std::nullopt);
        EXPECT_EQ(locked.message(), text(GoogleAuthError::secureStorage));
        keyring().failWith.reset();
        EXPECT_TRUE(isSaved(hosted));
    }
    EXPECT_TRUE(server->requests().empty());
}

} // namespace corvel::test
