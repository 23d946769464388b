#pragma once

#include "account/AuthStoreHarness.h"
#include "core/WorkspaceStorage.h"
#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/StoreHarness.h"
#include "ui/foundation/AppEnvironment.h"
#include "ui/foundation/SpacedLabel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>

#include <map>
#include <vector>

namespace corvel::test {

// Statuses the test sets; counts reads and records every request and settings opening. A held
// request waits until the test releases it, and may grant the permission when it ends.
class FakePermissionProvider final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind kind) override {
        ++reads;
        return statuses[kind];
    }
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
    int reads = 0;
    std::vector<MacPermissionKind> requests;
    std::vector<MacPermissionKind> settingsOpened;
};

// The three real stores behind a screen: the app store over a temporary workspace, an in-memory
// keyring and a loopback answer and cloud server; the sign-in store over queued replies and a
// browser that only records pages; the permission store over fake statuses. Opened links are
// captured.
struct ScreenHarness {
    explicit ScreenHarness(std::optional<QString> apiKey = QStringLiteral("sk-test"))
        : stores(std::move(apiKey), true, TestHttpServer::Mode::tls),
          auth(std::make_shared<MemorySecretStore>()) {
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

    AppEnvironment environment() { return {store(), *auth.store, permissions, notifications}; }
    AppStore& store() { return *stores.store; }
    std::function<void(const QUrl&)> urlOpener() {
        return [this](const QUrl& url) { opened.append(url); };
    }

    // Selects the cloud route; with a reply, an account signed in whose first refresh it answers.
    void configureCloud(std::optional<TestHttpServer::Response> reply) {
        QUrl base = stores.server->baseUrl();
        base.setPath(QStringLiteral("/api/v1"));
        if (!reply) {
            store().configureCloud(base, std::nullopt, {});
            return;
        }
        stores.server->enqueue(*reply);
        store().configureCloud(base, QStringLiteral("u1"), [](CancelToken) -> QCoro::Task<QString> {
            co_return QStringLiteral("token");
        });
    }
    static TestHttpServer::Response accountReply() {
        return TestHttpServer::json(200,
                                    R"({"uid":"u1","email":"ana@example.com","displayName":"Ana",)"
                                    R"("emailVerified":true,"model":"m"})");
    }

    // Rebuilds the app store from a workspace written beforehand.
    void load(const SavedWorkspace& workspace) {
        WorkspaceStorage::save(workspace, stores.folder.path());
        stores.makeStore(QStringLiteral("sk-test"), true);
    }
    // What is on disk once the saves asked for so far are written.
    QByteArray savedFile() const {
        stores.store->waitForSaves();
        QFile file(stores.folder.filePath(QStringLiteral("workspace.json")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QJsonObject savedJson() const { return QJsonDocument::fromJson(savedFile()).object(); }

    StoreHarness stores;
    AuthStoreHarness auth;
    std::shared_ptr<FakePermissionProvider> provider = std::make_shared<FakePermissionProvider>();
    MacPermissionStore permissions{provider, true, false};
    AppNotifications notifications;
    QList<QUrl> opened;
};

// The widget of type T under `root` whose accessible name or text is `name`; with `visible`,
// only one that shows when `root` does.
template <typename T> T* findNamed(const QWidget& root, const QString& name, bool visible = false) {
    for (T* widget : root.findChildren<T*>()) {
        if (visible && !widget->isVisibleTo(&root))
            continue;
        if (widget->accessibleName() == name)
            return widget;
        if constexpr (requires { widget->text(); }) {
            if (widget->text() == name)
                return widget;
        }
    }
    return nullptr;
}

// The texts of every label under `root` that shows when `root` does, in creation order.
inline QStringList texts(const QWidget& root) {
    QStringList result;
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&root))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            result.append(label->text());
        else if (const auto* spaced = qobject_cast<const SpacedLabel*>(widget))
            result.append(spaced->text());
    }
    return result;
}

// The open confirmation dialog, wherever it was parented.
inline QMessageBox* openDialog() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
            return box;
    }
    return nullptr;
}

// Chooses the dialog's button titled `title` and lets the dialog close.
inline void choose(QMessageBox& box, const QString& title) {
    for (QAbstractButton* button : box.buttons()) {
        if (button->text() == title) {
            button->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return;
        }
    }
    ADD_FAILURE() << "no button " << title.toStdString();
}

} // namespace corvel::test
