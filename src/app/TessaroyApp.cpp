#include "app/TessaroyApp.h"

#include "account/GoogleSystemAuthBrowser.h"
#include "platform/TerminationSignals.h"
#include "ui/foundation/BrandIdentity.h"
#include "ui/foundation/Palette.h"
#include "ui/session/OverlayPanel.h"
#include "ui/shell/AppEntryView.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSystemTrayIcon>

namespace corvel {

namespace {

TessaroyApp::Dependencies applicationDependencies() {
    TessaroyApp::Dependencies dependencies;
    dependencies.store.automaticallyOpenOverlay = true;
    return dependencies;
}

} // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(BrandIdentity::path(QRectF(0, 0, size, size)), Palette::ink());
        icon.addPixmap(pixmap);
    }
    return icon;
}

TessaroyApp::TessaroyApp() : TessaroyApp(applicationDependencies()) {}

TessaroyApp::TessaroyApp(Dependencies dependencies, QObject* parent) : QObject(parent) {
    if (!dependencies.store.fileDialogs)
        dependencies.store.fileDialogs = &m_fileDialogs;
    if (!dependencies.store.makePanel)
        dependencies.store.makePanel = [this](AppStore& store) {
            return std::make_unique<OverlayPanel>(store, &m_preferences);
        };
    m_store = std::make_unique<AppStore>(std::move(dependencies.store));
    m_auth = dependencies.auth ? std::make_unique<GoogleAuthStore>(std::move(*dependencies.auth))
                               : std::make_unique<GoogleAuthStore>();
    m_permissions = std::make_unique<MacPermissionStore>(dependencies.permissionProvider);
    m_preferences.load();
    m_lastSubject = m_auth->account() ? std::optional(m_auth->account()->subject) : std::nullopt;
    connect(m_auth.get(), &GoogleAuthStore::accountChanged, this, &TessaroyApp::accountDidChange);
    buildWindow();
    buildMenus();
    const bool trayAvailable = dependencies.systemTrayAvailable
                                   ? dependencies.systemTrayAvailable()
                                   : QSystemTrayIcon::isSystemTrayAvailable();
    if (trayAvailable)
        buildTrayIcon();
    m_termination = new TerminationSignals(this);
    connect(m_termination, &TerminationSignals::received, qApp, &QCoreApplication::quit);
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TessaroyApp::applicationWillTerminate);
}

TessaroyApp::~TessaroyApp() {
    // The tray's menu lives with the window, which goes first.
    delete m_tray;
}

void TessaroyApp::buildWindow() {
    m_window = std::make_unique<QMainWindow>();
    m_window->setObjectName(QStringLiteral("main"));
    m_window->setWindowTitle(QStringLiteral("Corvel Interview"));
    m_window->setWindowIcon(applicationIcon());
    m_window->setLocale(QLocale(QLocale::English));
    m_window->setMinimumSize(1040, 740);
    m_window->resize(1280, 860);
    m_window->setCentralWidget(new AppEntryView(
        AppEnvironment{*m_store, *m_auth, *m_permissions, m_notifications, &m_preferences},
        m_window.get()));
    m_window->installEventFilter(this);
}

bool TessaroyApp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.get() && event->type() == QEvent::Show) {
        m_delegateStore = m_store.get();
        configureAccount();
    }
    // Closing the window leaves the application running, the tray icon bringing it back. Without
    // a status area nothing would: outside a session the close quits as Quit does (on the next
    // turn, once the close is done); during one it only hides, the floating window staying.
    if (watched == m_window.get() && event->type() == QEvent::Close && !m_tray &&
        !m_store->isSessionActive())
        QMetaObject::invokeMethod(m_actions.quit, &QAction::trigger, Qt::QueuedConnection);
    return QObject::eventFilter(watched, event);
}

void TessaroyApp::buildMenus() {
    QMenuBar* bar = m_window->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    m_actions.prepare = file->addAction(QStringLiteral("Prepare an interview"));
    m_actions.prepare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(m_actions.prepare, &QAction::triggered, this,
            [this] { m_store->setSection(AppSection::profile); });
    m_actions.setupGuide = file->addAction(QStringLiteral("Setup guide"));
    connect(m_actions.setupGuide, &QAction::triggered, &m_notifications,
            &AppNotifications::postShowSetupGuide);
    file->addSeparator();
    m_actions.quit = file->addAction(QStringLiteral("Quit"));
    m_actions.quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(m_actions.quit, &QAction::triggered, qApp, &QCoreApplication::quit);

    QMenu* interview = bar->addMenu(QStringLiteral("&Interview"));
    m_actions.overlay = interview->addAction(QString());
    m_actions.overlay->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    connect(m_actions.overlay, &QAction::triggered, this, [this] {
        if (m_store->showOverlay())
            m_store->hideOverlay();
        else
            m_store->openOverlay();
    });
    m_actions.suggest = interview->addAction(QStringLiteral("Suggest an answer"));
    m_actions.suggest->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    connect(m_actions.suggest, &QAction::triggered, this, [this] { m_store->ask(); });
    m_actions.pause = interview->addAction(QString());
    m_actions.pause->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(m_actions.pause, &QAction::triggered, m_store.get(), &AppStore::togglePause);

    // Reachable from any focused widget, text fields included.
    for (QAction* action :
         {m_actions.prepare, m_actions.overlay, m_actions.suggest, m_actions.pause, m_actions.quit})
        action->setShortcutContext(Qt::ApplicationShortcut);

    for (auto signal : {&AppStore::isSessionActiveChanged, &AppStore::isPausedChanged,
                        &AppStore::questionDraftChanged, &AppStore::showOverlayChanged})
        connect(m_store.get(), signal, this, &TessaroyApp::updateActions);
    updateActions();
}

void TessaroyApp::updateActions() {
    const AppStore& store = *m_store;
    m_actions.setupGuide->setEnabled(!store.isSessionActive());
    m_actions.overlay->setText(store.showOverlay() ? QStringLiteral("Hide floating window")
                                                   : QStringLiteral("Show floating window"));
    m_actions.suggest->setEnabled(store.isSessionActive() && !store.isPaused() &&
                                  !store.questionDraft().isEmpty());
    m_actions.pause->setText(store.isPaused() ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    m_actions.pause->setEnabled(store.isSessionActive());
}

void TessaroyApp::buildTrayIcon() {
    m_tray = new QSystemTrayIcon(applicationIcon(), this);
    m_tray->setToolTip(QStringLiteral("Corvel Interview"));
    auto* menu = new QMenu(m_window.get());
    connect(menu->addAction(QStringLiteral("Show Corvel Interview")), &QAction::triggered, this,
            &TessaroyApp::showWindow);
    menu->addAction(m_actions.quit);
    m_tray->setContextMenu(menu);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    showWindow();
            });
    m_tray->show();
}

void TessaroyApp::showWindow() {
    // Shown again after a close, the window goes back where it was: a position set explicitly is
    // one the window manager keeps, where it would otherwise place the window anew.
    if (m_window->isHidden() && m_window->testAttribute(Qt::WA_WState_ExplicitShowHide))
        m_window->move(m_window->pos());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TessaroyApp::handleArguments(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (auto* browser = dynamic_cast<GoogleSystemAuthBrowser*>(&m_auth->browser()))
            browser->handleCallback(argument);
    }
    showWindow();
}

void TessaroyApp::accountDidChange() {
    const std::optional<QString> subject =
        m_auth->account() ? std::optional(m_auth->account()->subject) : std::nullopt;
    if (subject == m_lastSubject)
        return;
    m_lastSubject = subject;
    configureAccount();
}

void TessaroyApp::configureAccount() {
    ++m_accountConfigurations;
    std::optional<QString> accountID;
    AppStore::TokenProvider provider;
    if (const auto& account = m_auth->account()) {
        accountID = account->subject;
        GoogleAuthStore* auth = m_auth.get();
        provider = [auth](CancelToken token) -> QCoro::Task<QString> {
            co_return co_await auth->validIDToken(token);
        };
    }
    std::optional<QUrl> baseURL;
    if (const auto& firebase = m_auth->firebaseConfiguration())
        baseURL = firebase->apiBaseURL;
    m_store->configureCloud(baseURL, accountID, std::move(provider));
}

void TessaroyApp::applicationWillTerminate() {
    if (!m_delegateStore)
        return;
    if (m_delegateStore->isSessionActive())
        m_delegateStore->endSession();
    else
        m_delegateStore->save();
    // The process ends after this: the save in flight and the latest one must reach the disk.
    m_delegateStore->waitForSaves();
}

} // namespace corvel
