#pragma once

#include "account/AuthStoreHarness.h"
#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/StoreHarness.h"
#include "ui/foundation/AppEnvironment.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include <map>
#include <vector>

namespace corvel::test {

// Statuses the test sets; records every request and settings opening. A held request waits
// until the test releases it, and may grant the permission when it ends.
class FakePermissionProvider final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind kind) override { return statuses[kind]; }
    QCoro::Task<> request(MacPermissionKind kind, CancelToken token) override {
        requests.push_back(kind);
        while (hold && !token.isCancelled())
            co_await nextEventLoopTurn();
        token.throwIfCancelled();
        if (grant)
            statuses[kind] = MacPermissionStatus::allowed;
    }
    bool openSettings(MacPermissionKind kind) override {
        settingsOpened.push_back(kind);
        return settingsOpen;
    }

    std::map<MacPermissionKind, MacPermissionStatus> statuses{
        {MacPermissionKind::speech, MacPermissionStatus::restricted},
        {MacPermissionKind::callAudio, MacPermissionStatus::needsAccess},
        {MacPermissionKind::microphone, MacPermissionStatus::denied}};
    bool hold = false;
    bool grant = false;
    bool settingsOpen = true;
    std::vector<MacPermissionKind> requests;
    std::vector<MacPermissionKind> settingsOpened;
};

// The three stores over temporary storage, a loopback answer and sign-in server, a fake
// permission provider and a sign-in browser that only records pages.
struct PreparationHarness {
    explicit PreparationHarness(std::optional<QString> apiKey = std::nullopt)
        : stores(std::move(apiKey), true, TestHttpServer::Mode::tls),
          auth(std::make_shared<MemorySecretStore>()),
          provider(std::make_shared<FakePermissionProvider>()) {
        permissions = std::make_unique<MacPermissionStore>(provider, true, false);
        makeAuth(true, false);
    }

    // A sign-in store that is configured or not, signed in through a restored session or not.
    GoogleAuthStore& makeAuth(bool configured, bool signedIn) {
        if (!configured) {
            GoogleAuthStore::Collaborators none;
            none.bundle = BundleInfo{};
            none.automaticallyRestore = false;
            none.secretStore = auth.secrets;
            auth.store = std::make_unique<GoogleAuthStore>(std::move(none));
            return *auth.store;
        }
        if (signedIn) {
            auth.firebaseVault().save(auth.firebaseSession("u1"));
            auth.server->enqueue(TestHttpServer::json(200, refreshReply("eyJ.id2", "u1")));
            auth.server->enqueue(TestHttpServer::json(200, lookupReply("u1")));
        }
        GoogleAuthStore& store = auth.makeStore(true, signedIn);
        if (signedIn) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return store.account().has_value(); }, 5000));
        }
        return store;
    }

    AppEnvironment environment() {
        return {*stores.store, *auth.store, *permissions, notifications};
    }
    AppStore& store() { return *stores.store; }

    QUrl cloudBase() const {
        QUrl url = stores.server->baseUrl();
        url.setPath(QStringLiteral("/api/v1"));
        return url;
    }
    // Selects the cloud route; with a reply, an account signed in whose first refresh it answers.
    void configureCloud(std::optional<TestHttpServer::Response> reply) {
        if (!reply) {
            store().configureCloud(cloudBase(), std::nullopt, {});
            return;
        }
        stores.server->enqueue(*reply);
        store().configureCloud(
            cloudBase(), QStringLiteral("u1"),
            [](CancelToken) -> QCoro::Task<QString> { co_return QStringLiteral("token"); });
    }
    static TestHttpServer::Response accountReply() {
        return TestHttpServer::json(200,
                                    R"({"uid":"u1","email":"ana@example.com","displayName":"Ana",)"
                                    R"("emailVerified":true,"model":"m"})");
    }

    StoreHarness stores;
    AuthStoreHarness auth;
    std::shared_ptr<FakePermissionProvider> provider;
    std::unique_ptr<MacPermissionStore> permissions;
    AppNotifications notifications;
};

// The first child of `root` of type T whose text is `text`.
template <typename T> T* findByText(QWidget& root, const QString& text) {
    for (T* child : root.findChildren<T*>())
        if (child->text() == text && child->isVisibleTo(&root))
            return child;
    return nullptr;
}

} // namespace corvel::test
