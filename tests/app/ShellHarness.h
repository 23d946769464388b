#pragma once

#include "app/TessaroyApp.h"
#include "session/StoreHarness.h"

#include <QSettings>

#include <memory>
#include <optional>

namespace corvel::test {

// The shell over a temporary folder, in-memory keyrings, a fake capture stack and a loopback
// answer service.
struct ShellHarness {
    explicit ShellHarness(std::optional<QString> storage = std::nullopt,
                          bool automaticallyOpenOverlay = false, bool systemTray = false,
                          WorkspaceWriter::Write writeWorkspace = {})
        : answers(std::make_shared<AnswerService>(options())),
          audio(capture.driver(), AudioCapturePlatform{}) {
        // The entry gate's preferences go to a folder of this test, never the user's.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
        TessaroyApp::Dependencies dependencies;
        dependencies.store.storageDirectory = storage.value_or(folder.path());
        dependencies.store.automaticallyOpenOverlay = automaticallyOpenOverlay;
        dependencies.store.apiKey = QStringLiteral("sk-test");
        dependencies.store.answerService = answers;
        dependencies.store.audio = &audio;
        dependencies.store.secretStore = &keyring;
        dependencies.store.writeWorkspace = std::move(writeWorkspace);
        GoogleAuthStore::Collaborators auth;
        auth.automaticallyRestore = false;
        auth.secretStore = std::make_shared<MemorySecretStore>();
        dependencies.auth = auth;
        dependencies.systemTrayAvailable = [systemTray] { return systemTray; };
        app = std::make_unique<TessaroyApp>(std::move(dependencies));
    }
    AnswerService::Options options() {
        AnswerService::Options o;
        o.openAIBaseURL = server.baseUrl();
        return o;
    }
    // Prepares an interview and starts a session; true once it listens.
    bool startSession() {
        InterviewContext context;
        context.role = QStringLiteral("Platform Engineer");
        context.resume = QStringLiteral("Ten years of C++.");
        context.jobDescription = QStringLiteral("Build the platform.");
        app->store().setContext(context);
        app->store().startSession();
        return QTest::qWaitFor([&] { return app->store().sessionPhase() == SessionPhase::waiting; },
                               10000);
    }

    QTemporaryDir folder;
    QTemporaryDir settings;
    TestHttpServer server;
    std::shared_ptr<AnswerService> answers;
    FakeCapture capture;
    AudioCapture audio;
    MemorySecretStore keyring;
    std::unique_ptr<TessaroyApp> app;
};

} // namespace corvel::test
