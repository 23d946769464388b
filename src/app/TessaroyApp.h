#pragma once

#include "account/GoogleAuthStore.h"
#include "app/SystemFileDialogs.h"
#include "listening/MacPermissionStore.h"
#include "session/AppNotifications.h"
#include "session/AppStore.h"
#include "ui/foundation/AccessibilityPreferences.h"

#include <QMainWindow>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QSystemTrayIcon;

namespace corvel {
class TerminationSignals;
}

namespace corvel {

// The application: the three stores, created once for the life of the process, the main window
// with its menus, the wiring of the signed-in account into the store, and what happens at quit
// (also on SIGTERM, SIGINT and SIGHUP, so a logout never loses a session's answers).
class TessaroyApp final : public QObject {
    Q_OBJECT
public:
    // Tests replace what the application leaves to the system.
    struct Dependencies {
        AppStore::Dependencies store;
        std::optional<GoogleAuthStore::Collaborators> auth;
        std::shared_ptr<MacPermissionProvider> permissionProvider;
        // Whether the desktop has a status area for the tray icon; the system's answer when
        // empty.
        std::function<bool()> systemTrayAvailable;
    };

    TessaroyApp();
    explicit TessaroyApp(Dependencies dependencies, QObject* parent = nullptr);
    ~TessaroyApp() override;

    AppStore& store() { return *m_store; }
    GoogleAuthStore& auth() { return *m_auth; }
    MacPermissionStore& permissions() { return *m_permissions; }
    AppNotifications& notifications() { return m_notifications; }
    AccessibilityPreferences& preferences() { return m_preferences; }
    QMainWindow& window() { return *m_window; }

    // Shows, raises and activates the main window.
    void showWindow();
    // Arguments a later launch forwarded: sign-in callback URLs go to the browser; the window
    // comes to the front either way.
    void handleArguments(const QStringList& arguments);
    // At quit: an active session is ended (which saves), else the workspace is saved. Nothing
    // happens before the window was first shown.
    void applicationWillTerminate();

    struct Actions {
        QAction* setupGuide = nullptr;
        QAction* prepare = nullptr;
        QAction* overlay = nullptr;
        QAction* suggest = nullptr;
        QAction* pause = nullptr;
        QAction* quit = nullptr;
    };
    const Actions& actions() const { return m_actions; }
    // The tray icon standing in for the Dock icon; none without a status area.
    QSystemTrayIcon* trayIcon() const { return m_tray; }

    // How often the store received the account wiring (for tests).
    int accountConfigurations() const { return m_accountConfigurations; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildMenus();
    void buildTrayIcon();
    void updateActions();
    void accountDidChange();
    void configureAccount();

    AppNotifications m_notifications;
    AccessibilityPreferences m_preferences;
    SystemFileDialogs m_fileDialogs;
    std::unique_ptr<AppStore> m_store;
    std::unique_ptr<GoogleAuthStore> m_auth;
    std::unique_ptr<MacPermissionStore> m_permissions;
    std::unique_ptr<QMainWindow> m_window;
    QSystemTrayIcon* m_tray = nullptr;
    TerminationSignals* m_termination = nullptr;
    Actions m_actions;
    // The delegate's weak reference: set when the window content is first shown.
    QPointer<AppStore> m_delegateStore;
    std::optional<QString> m_lastSubject;
    int m_accountConfigurations = 0;
};

// The brand mark as the application's icon.
QIcon applicationIcon();

} // namespace corvel
