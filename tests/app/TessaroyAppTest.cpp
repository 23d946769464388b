#include "app/TessaroyApp.h"
#include "ShellHarness.h"
#include "core/WorkspaceStorage.h"
#include "ui/session/OverlayPanel.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvel;

TEST(TessaroyApp, WindowAndMenusFollowTheStore) {
    test::ShellHarness h;
    QMainWindow& window = h.app->window();
    EXPECT_EQ(window.objectName(), QStringLiteral("main"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Corvel Interview"));
    EXPECT_EQ(window.minimumSize(), QSize(1040, 740));
    EXPECT_EQ(window.size(), QSize(1280, 860));

    const auto& a = h.app->actions();
    EXPECT_EQ(a.prepare->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_TRUE(a.setupGuide->isEnabled());
    EXPECT_FALSE(a.suggest->isEnabled());
    EXPECT_FALSE(a.pause->isEnabled());
    EXPECT_EQ(a.pause->text(), QStringLiteral("Pause"));
    EXPECT_EQ(a.overlay->text(), QStringLiteral("Show floating window"));

    QSignalSpy guide(&h.app->notifications(), &AppNotifications::showSetupGuide);
    a.setupGuide->trigger();
    EXPECT_EQ(guide.count(), 1);
    h.app->store().setSection(AppSection::settings);
    a.prepare->trigger();
    EXPECT_EQ(h.app->store().section(), AppSection::profile);

    ASSERT_TRUE(h.startSession());
    EXPECT_FALSE(a.setupGuide->isEnabled());
    EXPECT_TRUE(a.pause->isEnabled());
    EXPECT_FALSE(a.suggest->isEnabled()) << "an empty draft";
    h.app->store().setQuestionDraft(QStringLiteral(" "));
    EXPECT_TRUE(a.suggest->isEnabled()) << "a blank draft still counts, as the menu reads it";
    a.pause->trigger();
    EXPECT_EQ(a.pause->text(), QStringLiteral("Resume"));
    EXPECT_FALSE(a.suggest->isEnabled());
    a.pause->trigger();
    EXPECT_EQ(a.pause->text(), QStringLiteral("Pause"));

    a.overlay->trigger();
    EXPECT_EQ(a.overlay->text(), QStringLiteral("Hide floating window"));
    FloatingPanel* panel = h.app->store().panel();
    ASSERT_TRUE(panel);
    a.overlay->trigger();
    EXPECT_EQ(a.overlay->text(), QStringLiteral("Show floating window"));
    EXPECT_FALSE(dynamic_cast<OverlayPanel&>(*panel).isVisible());
    a.overlay->trigger();
    EXPECT_EQ(h.app->store().panel(), panel);
}

TEST(TessaroyApp, ControlReturnSuggestsAnAnswerFromATextField) {
    test::ShellHarness h;
    h.app->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.app->window()));
    ASSERT_TRUE(h.startSession());
    h.server.enqueue(test::StoreHarness::answer({"Typed and asked."}));
    // A multi-line editor takes plain Return for itself; Ctrl+Return must still reach the menu.
    auto* field = new QPlainTextEdit(&h.app->window());
    field->show();
    QApplication::setActiveWindow(&h.app->window());
    field->setFocus();
    h.app->store().setQuestionDraft(QStringLiteral("Why this team?"));
    QTest::keyClick(field, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(h.app->store().isGenerating());
    EXPECT_EQ(h.app->store().currentQuestion(), QStringLiteral("Why this team?"));
    EXPECT_TRUE(field->toPlainText().isEmpty());
}

TEST(TessaroyApp, AccountIsWiredOnEveryShowingAndOnlyOnASubjectChange) {
    test::ShellHarness h;
    EXPECT_EQ(h.app->accountConfigurations(), 0);
    h.app->showWindow();
    EXPECT_EQ(h.app->accountConfigurations(), 1);
    EXPECT_FALSE(h.app->store().isCloudConfigured()) << "the default build has no cloud";
    Q_EMIT h.app->auth().accountChanged(); // same (absent) subject
    EXPECT_EQ(h.app->accountConfigurations(), 1);
    h.app->window().hide();
    h.app->showWindow();
    EXPECT_EQ(h.app->accountConfigurations(), 2);
}

TEST(TessaroyApp, QuitBeforeTheWindowWasShownSavesNothing) {
    test::ShellHarness h;
    h.app->applicationWillTerminate();
    EXPECT_FALSE(QFile::exists(WorkspaceStorage::fileURL(h.folder.path())));
    h.app->showWindow();
    h.app->applicationWillTerminate();
    EXPECT_TRUE(QFile::exists(WorkspaceStorage::fileURL(h.folder.path())));
}

// A logout sends SIGTERM: the running process ends its session, so the answer is in the history.
TEST(TessaroyApp, TerminationSignalEndsTheSessionAndSavesIt) {
    QTemporaryDir folder;
    QProcess process;
    process.start(QStringLiteral(SHELL_QUIT_HELPER), {folder.path()});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return process.readAllStandardOutput().contains("ready") ||
                   process.state() != QProcess::Running;
        },
        20000));
    ASSERT_EQ(process.state(), QProcess::Running) << process.readAllStandardError().toStdString();
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);

    const auto saved = WorkspaceStorage::load(folder.path()).workspace;
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->history.size(), 1u);
    ASSERT_EQ(saved->history[0].entries.size(), 1u);
    EXPECT_EQ(saved->history[0].entries[0].answer, QStringLiteral("An answer kept at quit."));
}

// Closing the main window: with a status area it only hides and the tray icon brings it back;
// without one it quits as Quit does outside a session, and only hides during one.
TEST(TessaroyApp, ClosingTheWindowHidesWithATrayAndQuitsWithoutOne) {
    {
        test::ShellHarness h({}, false, true);
        QSystemTrayIcon* tray = h.app->trayIcon();
        ASSERT_NE(tray, nullptr);
        QSignalSpy quits(h.app->actions().quit, &QAction::triggered);
        h.app->showWindow();
        EXPECT_TRUE(h.app->window().close());
        QTest::qWait(10);
        EXPECT_FALSE(h.app->window().isVisible());
        EXPECT_EQ(quits.size(), 0);
        Q_EMIT tray->activated(QSystemTrayIcon::Trigger);
        EXPECT_TRUE(h.app->window().isVisible());
        h.app->window().close();
        tray->contextMenu()->actions().first()->trigger();
        EXPECT_TRUE(h.app->window().isVisible());
    }
    {
        test::ShellHarness h;
        EXPECT_EQ(h.app->trayIcon(), nullptr);
        QSignalSpy quits(h.app->actions().quit, &QAction::triggered);
        h.app->showWindow();
        ASSERT_TRUE(h.startSession());
        h.app->window().close();
        QTest::qWait(10);
        EXPECT_FALSE(h.app->window().isVisible());
        EXPECT_EQ(quits.size(), 0) << "a running session only hides the window";
        EXPECT_TRUE(h.app->store().isSessionActive());

        h.app->store().endSession();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.app->store().isSessionActive(); }, 5000));
        h.app->showWindow();
        h.app->window().close();
        QTest::qWait(10);
        EXPECT_EQ(quits.size(), 1);
    }
}

// The tray's Quit is the application's: a running session is ended and kept in the history.
TEST(TessaroyApp, QuitFromTheTrayEndsTheSession) {
    test::ShellHarness h({}, false, true);
    h.server.enqueue(test::StoreHarness::answer({"An answer kept at quit."}));
    h.app->showWindow();
    ASSERT_TRUE(h.startSession());
    AppStore& store = h.app->store();
    h.capture.transcript(QStringLiteral("Tell me about your last project?"), true);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !store.isGenerating() && !store.sessionEntries().empty(); }, 10000));
    QAction* quit = h.app->trayIcon()->contextMenu()->actions().last();
    ASSERT_EQ(quit, h.app->actions().quit);
    QTimer::singleShot(0, quit, &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(store.isSessionActive());
    const auto saved = WorkspaceStorage::load(h.folder.path()).workspace;
    ASSERT_TRUE(saved);
    ASSERT_EQ(saved->history.size(), 1u);
    EXPECT_EQ(saved->history[0].entries[0].answer, QStringLiteral("An answer kept at quit."));
}
