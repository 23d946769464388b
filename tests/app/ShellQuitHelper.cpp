// Runs the application shell with a fake capture stack and a loopback answer service, answers one
// question in a live session, prints "ready" and waits to be told to quit.
#include "app/TessaroyApp.h"
#include "platform/UptimeClock.h"
#include "session/StoreHarness.h"

#include <QApplication>

#include <cstdio>

using namespace corvel;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    int result = 0;
    {
        test::TestHttpServer server;
        server.enqueue(test::StoreHarness::answer({"An answer kept at quit."}));
        AnswerService::Options options;
        options.openAIBaseURL = server.baseUrl();
        AnswerService answers(options);
        test::FakeCapture capture;
        AudioCapture audio(capture.driver(), AudioCapturePlatform{});
        test::MemorySecretStore keyring;
        auto authKeyring = std::make_shared<test::MemorySecretStore>();

        TessaroyApp::Dependencies dependencies;
        dependencies.store.storageDirectory = QString::fromLocal8Bit(argv[1]);
        dependencies.store.apiKey = QStringLiteral("sk-test");
        dependencies.store.automaticallyOpenOverlay = true; // as the application does
        dependencies.store.answerService = &answers;
        dependencies.store.audio = &audio;
        dependencies.store.secretStore = &keyring;
        GoogleAuthStore::Collaborators auth;
        auth.automaticallyRestore = false;
        auth.secretStore = authKeyring;
        dependencies.auth = auth;
        dependencies.trayIcon = false;
        TessaroyApp app(std::move(dependencies));
        app.showWindow();

        AppStore& store = app.store();
        InterviewContext context;
        context.role = QStringLiteral("Platform Engineer");
        context.resume = QStringLiteral("Ten years of C++.");
        context.jobDescription = QStringLiteral("Build the platform.");
        store.setContext(context);
        store.startSession();
        if (!QTest::qWaitFor([&] { return store.sessionPhase() == SessionPhase::waiting; }, 10000))
            return 3;
        capture.transcript(QStringLiteral("Tell me about your last project?"), true);
        if (!QTest::qWaitFor(
                [&] { return !store.isGenerating() && !store.sessionEntries().empty(); }, 10000))
            return 4;
        // An open floating panel must not hold the quit back.
        if (!store.showOverlay() || !store.panel()->isVisible())
            return 5;
        std::printf("ready\n");
        std::fflush(stdout);
        result = application.exec();
    }
    finishCancelledTasks();
    return result;
}
