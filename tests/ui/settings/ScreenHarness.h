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
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMessageBox>

#include <map>

namespace corvel::test {

// Permissions as the test sets them; counts how often the store read them.
class FakePermissionProvider final : public MacPermissionProvider {
public:
    MacPermissionStatus status(MacPermissionKind kind) override {
        ++reads;
        return statuses[kind];
    }
    QCoro::Task<> request(MacPermissionKind, CancelToken) override { co_return; }
    bool openSettings(MacPermissionKind) override { return false; }

    std::map<MacPermissionKind, MacPermissionStatus> statuses = {
        {MacPermissionKind::speech, MacPermissionStatus::allowed},
        {MacPermissionKind::callAudio, MacPermissionStatus::allowed},
        {MacPermissionKind::microphone, MacPermissionStatus::allowed}};
    int reads = 0;
};

// The three real stores behind a screen: the app store over a temporary workspace, an in-memory
// keyring and a loopback answer server; the sign-in store with a recording browser and a loopback
// transport; the permission store over fake statuses. Opened links are captured.
struct ScreenHarness {
    ScreenHarness() : auth(std::make_shared<MemorySecretStore>()) { auth.makeStore(false, false); }

    AppEnvironment environment() {
        return {*stores.store, *auth.store, permissions, notifications};
    }
    std::function<void(const QUrl&)> urlOpener() {
        return [this](const QUrl& url) { opened.append(url); };
    }
    // Rebuilds the app store from a workspace written beforehand.
    void load(const SavedWorkspace& workspace) {
        WorkspaceStorage::save(workspace, stores.folder.path());
        stores.makeStore(QStringLiteral("sk-test"), true);
    }
    QJsonObject savedJson() const {
        QFile file(stores.folder.path() + QStringLiteral("/workspace.json"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(file.readAll()).object();
    }
    QDateTime savedAt() const {
        return QFileInfo(stores.folder.path() + QStringLiteral("/workspace.json")).lastModified();
    }

    StoreHarness stores{QStringLiteral("sk-test"), true, TestHttpServer::Mode::plain};
    AuthStoreHarness auth;
    std::shared_ptr<FakePermissionProvider> provider = std::make_shared<FakePermissionProvider>();
    MacPermissionStore permissions{provider, true, false};
    AppNotifications notifications;
    QList<QUrl> opened;
};

// The widget of type T under `root` whose accessible name or text is `name`.
template <typename T> T* findNamed(const QWidget& root, const QString& name) {
    for (T* widget : root.findChildren<T*>()) {
        if (widget->accessibleName() == name)
            return widget;
        if constexpr (std::is_base_of_v<QAbstractButton, T>) {
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
