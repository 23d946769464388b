#include "app/TessaroyApp.h"
#include "core/WorkspaceStorage.h"
#include "session/StoreHarness.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

using namespace corvel;

namespace {

// The shell over a temporary folder, in-memory keyrings, a fake capture stack and a loopback
// answer service.
struct ShellHarness {
    ShellHarness() : answers(options()), audio(capture.driver(), AudioCapturePlatform{}) {
        TessaroyApp::Dependencies dependencies;
        dependencies.store.storageDirectory = folder.path();
        dependencies.store.apiKey = QStringLiteral("sk-test");
        dependencies.store.answerService = &answers;
        dependencies.store.audio = &audio;
        dependencies.store.secretStore = &keyring;
        GoogleAuthStore::Collaborators auth;
        auth.automaticallyRestore = false;
        auth.secretStore = std::make_shared<test::MemorySecretStore>();
        dependencies.auth = auth;
        dependencies.trayIcon = false;
        app = std::make_unique<TessaroyApp>(std::move(dependencies));
    }
    AnswerService::Options options() {
        AnswerService::Options o;
        o.openAIBaseURL = server.baseUrl();
        return o;
    }
    void startSession() {
        InterviewContext context;
        context.role = QStringLiteral("Platform Engineer");
        context.resume = QStringLiteral("Ten years of C++.");
        context.jobDescription = QStringLiteral("Build the platform.");
        app->store().setContext(context);
        app->store().startSession();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return app->store().sessionPhase() == SessionPhase::waiting; }, 5000));
    }

    QTemporaryDir folder;
    test::TestHttpServer server;
    AnswerService answers;
    test::FakeCapture capture;
    AudioCapture audio;
    test::MemorySecretStore keyring;
    std::unique_ptr<TessaroyApp> app;
};

} // namespace

TEST(TessaroyApp, WindowAndMenusFollowTheStore) {
    ShellHarness h;
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

    h.startSession();
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
    OverlayPanel* panel = h.app->store().panel();
    ASSERT_TRUE(panel);
    a.overlay->trigger();
    EXPECT_EQ(a.overlay->text(), QStringLiteral("Show floating window"));
    EXPECT_FALSE(panel->isVisible());
    a.overlay->trigger();
    EXPECT_EQ(h.app->store().panel(), panel);
}

TEST(TessaroyApp, ControlReturnSuggestsAnAnswerFromATextField) {
    ShellHarness h;
    h.app->showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h.app->window()));
    h.startSession();
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
    ShellHarness h;
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
    ShellHarness h;
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
