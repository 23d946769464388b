#pragma once

#include "FakeAnswerSource.h"
#include "core/AnswerService.h"
#include "listening/AudioCapture.h"
#include "session/AppStore.h"
#include "session/FileDialogs.h"
#include "support/ManualClock.h"
#include "support/MemorySecretStore.h"
#include "support/TestHttpServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace corvel::test {

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> chooseResume() override { return resume; }
    std::optional<QString> chooseExportFile(const QString& suggestedName) override {
        suggested = suggestedName;
        return exportPath;
    }
    std::optional<QString> resume;
    std::optional<QString> exportPath;
    QString suggested;
};

// Stands in for the whole capture stack: the test starts, fails and feeds it.
struct FakeCapture {
    AudioCaptureDriver driver() {
        AudioCaptureDriver d;
        d.start = [this](AudioSource, QString locale, CancelToken) -> QCoro::Task<> {
            ++starts;
            lastLocale = locale;
            if (failStart)
                throw std::runtime_error("The sound server went away.");
            co_return;
        };
        d.stop = [this] { ++stops; };
        d.observeFailure = [this](AudioCaptureDriver::FailureCallback callback) {
            fail = std::move(callback);
        };
        d.observeLevel = [this](AudioCaptureDriver::LevelCallback callback) {
            level = std::move(callback);
        };
        d.observeTranscript = [this](AudioCaptureDriver::TranscriptCallback callback) {
            transcript = std::move(callback);
        };
        return d;
    }
    int starts = 0;
    int stops = 0;
    bool failStart = false;
    QString lastLocale;
    AudioCaptureDriver::FailureCallback fail;
    AudioCaptureDriver::LevelCallback level;
    AudioCaptureDriver::TranscriptCallback transcript;
};

// A store over a temporary folder, an in-memory keyring, fake dialogs, a manual clock, a fake
// capture stack and scripted answers; with `loopback`, answers come from the real service over
// a loopback server instead, and `realAudio` (then makeStore) replaces the fake capture.
struct StoreHarness {
    explicit StoreHarness(std::optional<QString> apiKey = QStringLiteral("sk-test"),
                          bool allowsKey = true,
                          std::optional<TestHttpServer::Mode> loopback = std::nullopt)
        : answerSource(std::make_shared<FakeAnswerSource>(clock)), answers(*answerSource),
          audio(capture.driver(), AudioCapturePlatform{}, clock) {
        if (loopback) {
            server.emplace(*loopback);
            AnswerService::Options o;
            o.openAIBaseURL = server->baseUrl();
            o.http.extraCaCertificates = {TestHttpServer::caCertificate()};
            service = std::make_shared<AnswerService>(o);
        }
        makeStore(std::move(apiKey), allowsKey);
    }

    void makeStore(std::optional<QString> apiKey, bool allowsKey) {
        store.reset();
        AppStore::Dependencies d;
        d.storageDirectory = folder.path();
        d.apiKey = std::move(apiKey);
        d.answerService = service ? std::shared_ptr<AnswerSource>(service) : answerSource;
        d.audio = realAudio ? realAudio : &audio;
        d.secretStore = &keyring;
        d.fileDialogs = &dialogs;
        d.clock = realAudio ? realAudioClock : &clock;
        d.makePanel = makePanel;
        BundleInfo bundle;
        bundle.allowsPrivateAPIKeyFallback = allowsKey;
        d.bundle = bundle;
        d.writeWorkspace = writeWorkspace;
        store = std::make_unique<AppStore>(std::move(d));
    }

    void prepare() {
        InterviewContext context;
        context.role = QStringLiteral("Platform Engineer");
        context.company = QStringLiteral("Nordlicht");
        context.resume = QStringLiteral("Ten years of C++ and Go.");
        context.jobDescription = QStringLiteral("Build the deployment platform.");
        store->setContext(context);
    }

    // Lets every task the store started run up to its next wait on the clock or the network.
    static void settle() {
        for (int turn = 0; turn < 20; ++turn)
            QCoreApplication::processEvents();
    }

    // Starts a session and lets it start listening.
    bool startListening() {
        store->startSession();
        settle();
        return !store->isStarting() && (realAudio ? *realAudio : audio).isRunning();
    }

    // One answer as the OpenAI stream sends it, for the tests that go through real HTTP.
    static TestHttpServer::Response answer(const QList<QByteArray>& deltas, int delayMs = 0) {
        TestHttpServer::Response response;
        response.headers = {{"Content-Type", "text/event-stream"}};
        for (const QByteArray& delta : deltas)
            response.chunks.append(
                R"(data: {"type":"response.output_text.delta","item_id":"m","output_index":0,)"
                R"("content_index":0,"delta":")" +
                delta + "\"}\n\n");
        response.chunks.append("data: {\"type\":\"response.completed\",\"response\":{}}\n\n");
        response.chunkDelayMs = delayMs;
        return response;
    }

    // The questions the store asked, in order.
    QStringList askedQuestions() const {
        QStringList questions;
        for (const auto& call : answers.calls())
            if (call.route == FakeAnswerSource::Route::answer ||
                call.route == FakeAnswerSource::Route::cloudAnswer)
                questions.append(call.question);
        return questions;
    }

    QTemporaryDir folder;
    MemorySecretStore keyring;
    FakeFileDialogs dialogs;
    ManualClock clock;
    std::shared_ptr<FakeAnswerSource> answerSource;
    FakeAnswerSource& answers;
    std::optional<TestHttpServer> server;
    std::shared_ptr<AnswerService> service;
    FakeCapture capture;
    AudioCapture audio;
    // Another capture engine instead of the fake driver, and the clock it runs on (the
    // system's unless set): a real stack for the end-to-end test, or a platform of fakes.
    AudioCapture* realAudio = nullptr;
    UptimeClock* realAudioClock = nullptr;
    AppStore::PanelFactory makePanel;
    WorkspaceWriter::Write writeWorkspace;
    std::unique_ptr<AppStore> store;
};

} // namespace corvel::test
