// The central store's own latency on the live answer path, measured end to end through a
// loopback answer server: both figures include the 127.0.0.1 socket and Qt's network stack
// (its transfer thread and the queued hops back to the main thread).
#include "core/AnswerService.h"
#include "core/InterviewContext.h"
#include "core/SessionPhase.h"
#include "listening/AudioCapture.h"
#include "listening/AudioCaptureDriver.h"
#include "session/AppStore.h"

#include "GuiBenchmarkMain.h"
#include "StoreBenchSupport.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

using namespace corvel;
using namespace corvel::bench;

namespace {

// Stands in for capture and recognition: the benchmark calls `transcript` itself.
struct FakeCapture {
    AudioCaptureDriver driver() {
        AudioCaptureDriver d;
        d.start = [](AudioSource, QString, CancelToken) -> QCoro::Task<> { co_return; };
        d.stop = [] {};
        d.observeFailure = [](AudioCaptureDriver::FailureCallback) {};
        d.observeLevel = [](AudioCaptureDriver::LevelCallback) {};
        d.observeTranscript = [this](AudioCaptureDriver::TranscriptCallback callback) {
            transcript = std::move(callback);
        };
        return d;
    }
    AudioCaptureDriver::TranscriptCallback transcript;
};

const char* const openers[] = {
    "Pouvez-vous me parler de",    "Comment avez-vous géré",     "Pourquoi avez-vous choisi",
    "Qu'avez-vous appris pendant", "Quel a été votre rôle dans",
};
const char* const topics[] = {
    "la migration vers Kubernetes",
    "la refonte du service de paiement",
    "le passage à l'intégration continue",
    "la panne du centre de données",
    "le recrutement de votre équipe",
    "la réécriture du moteur de recherche",
    "le découpage du monolithe",
    "la mise en place de l'observabilité",
    "le projet de facturation",
    "la réduction des coûts du cloud",
    "la sécurité des accès",
    "le lancement de l'application mobile",
    "la conformité au RGPD",
    "la reprise de la dette technique",
    "le support des clients européens",
    "la montée en charge du catalogue",
    "la revue de code",
    "la formation des nouveaux arrivants",
    "le choix de la base de données",
    "la fin du contrat avec l'hébergeur",
};

// Question `n`, distinct from its neighbours; a recognition segment holds eight of them, as a
// real segment is renewed before it grows long.
struct QuestionStream {
    int n = 0;
    QString transcript;
    const QString& next() {
        const QString question = QString::fromUtf8(openers[n % std::size(openers)]) + u' ' +
                                 QString::fromUtf8(topics[(n / 3) % std::size(topics)]) +
                                 QStringLiteral(" ?");
        transcript = (n % 8 == 0) ? question : transcript + u' ' + question;
        ++n;
        return transcript;
    }
};

// A store over a temporary folder, an in-memory keyring, a fake capture stack and the loopback
// answer server, with a session started and listening.
struct Pipeline {
    static AnswerService::Options options(const QUrl& url) {
        AnswerService::Options o;
        o.openAIBaseURL = url;
        // One answer stream stays open for a whole run.
        o.http.requestTimeout = std::chrono::minutes(10);
        o.http.resourceTimeout = std::chrono::minutes(10);
        return o;
    }

    Pipeline()
        : answers(std::make_shared<AnswerService>(options(server.url()))),
          audio(capture.driver(), AudioCapturePlatform{}, clock) {
        InterviewContext context;
        context.role = QStringLiteral("Ingénieur plateforme");
        context.company = QStringLiteral("Nordlicht");
        context.resume = QStringLiteral("Dix ans de C++ et de Go, dont cinq sur des plateformes.");
        context.jobDescription = QStringLiteral("Construire la plateforme de déploiement.");
        store = preparedStore(folder.path(), answers, audio, secrets, clock, context);
        store->startSession();
        ready = spinUntil([&] {
            return store->sessionPhase() == SessionPhase::waiting && bool(capture.transcript);
        });
    }

    ~Pipeline() {
        server.finishHeld();
        spinUntil([&] { return !store->isGenerating(); }, 2000);
        store->endSession();
        spinUntil([] { return false; }, 50); // lets the stopped tasks wind down
        store.reset();
    }

    // Feeds the next question as a final transcript and waits for its request to arrive.
    bool ask() {
        clock.advance(13);
        server.requestStarted.reset();
        capture.transcript(questions.next(), true);
        return spinUntil([&] { return server.requestStarted.has_value(); });
    }

    QTemporaryDir folder;
    fixture::MemorySecretStore secrets;
    ShiftedClock clock;
    AnswerServer server;
    std::shared_ptr<AnswerService> answers;
    FakeCapture capture;
    AudioCapture audio;
    std::unique_ptr<AppStore> store;
    QuestionStream questions;
    bool ready = false;
};

struct Medians {
    std::optional<double> question;
    std::optional<double> deltaSignal;
    std::optional<double> deltaReturn;
};
Medians lastMedians;

void transcriptToRequest(benchmark::State& state) {
    Pipeline p;
    if (!p.ready) {
        state.SkipWithError("the session did not start listening");
        return;
    }
    // Warm up: the first request opens the connection, which later requests reuse.
    for (int i = 0; i < 3; ++i) {
        if (!p.ask() || !spinUntil([&] { return !p.store->isGenerating(); })) {
            state.SkipWithError("no answer request during warm-up");
            return;
        }
    }
    const int connectionsBefore = p.server.connections;
    std::vector<double> samples;
    for (auto _ : state) {
        p.clock.advance(13);
        const QString& transcript = p.questions.next();
        p.server.requestStarted.reset();
        const Instant started = now();
        p.capture.transcript(transcript, true);
        if (!spinUntil([&] { return p.server.requestStarted.has_value(); })) {
            state.SkipWithError("the final transcript sent no answer request");
            return;
        }
        const double elapsed = seconds(started, *p.server.requestStarted);
        state.SetIterationTime(elapsed);
        samples.push_back(elapsed);
        // Each answer completes before the next question.
        if (!spinUntil([&] { return !p.store->isGenerating(); })) {
            state.SkipWithError("the answer did not complete");
            return;
        }
    }
    const double m = median(samples);
    lastMedians.question = m;
    state.counters["median_us"] = m * 1e6;
    state.counters["new_connections"] = p.server.connections - connectionsBefore;
    state.SetLabel("final transcript -> request bytes at server; incl. loopback TCP + Qt network");
}

const char* const deltaWords[] = {
    " J'ai mené la migration",  " en six mois avec",       " une équipe de cinq",
    " personnes, sans coupure", " pour les clients grâce", " à un déploiement progressif.",
};
constexpr int deltasPerAnswer = 64;

void deltaToAnswer(benchmark::State& state) {
    Pipeline p;
    if (!p.ready) {
        state.SkipWithError("the session did not start listening");
        return;
    }
    p.server.holdStreams = true;
    bool changed = false;
    std::optional<Instant> signalled;
    QObject receiver; // disconnects before the flags its slot writes go away
    QObject::connect(p.store.get(), &AppStore::currentAnswerChanged, &receiver, [&] {
        if (!signalled)
            signalled = now();
        changed = true;
    });
    // Opens a fresh answer stream once its first delta has reached the store.
    const auto openStream = [&] {
        p.server.finishHeld();
        if (!spinUntil([&] { return !p.store->isGenerating(); }) || !p.ask())
            return false;
        return spinUntil([&] { return p.server.held && !p.store->currentAnswer().isEmpty(); });
    };
    if (!openStream()) {
        state.SkipWithError("no answer stream opened");
        return;
    }
    std::vector<double> toSignal;
    std::vector<double> toReturn;
    int sent = 0;
    for (auto _ : state) {
        // Answers stay of a realistic length, as the layout covers the whole answer.
        if (sent == deltasPerAnswer) {
            if (!openStream()) {
                state.SkipWithError("no answer stream opened");
                return;
            }
            sent = 0;
        }
        const QByteArray words = deltaWords[sent % std::size(deltaWords)];
        ++sent;
        changed = false;
        signalled.reset();
        const Instant started = now();
        p.server.send(deltaEvent(words));
        if (!spinUntil([&] { return changed; })) {
            state.SkipWithError("the delta never reached the store");
            return;
        }
        // The loop regains control once appendDelta, and its cue layout, has returned.
        const Instant returned = now();
        state.SetIterationTime(seconds(started, returned));
        toReturn.push_back(seconds(started, returned));
        toSignal.push_back(seconds(started, *signalled));
    }
    lastMedians.deltaSignal = median(toSignal);
    lastMedians.deltaReturn = median(toReturn);
    state.counters["median_us"] = *lastMedians.deltaReturn * 1e6;
    state.counters["median_signal_us"] = *lastMedians.deltaSignal * 1e6;
    state.SetLabel("server delta write -> currentAnswer + cues updated; incl. loopback TCP + Qt "
                   "network");
}

// A hostile server streaming tiny deltas for as long as it may: the main thread's cost per delta
// at several answer lengths, up to the bound where the answer ends as unreadable.
void runawayAnswer(benchmark::State& state) {
    Pipeline p;
    if (!p.ready) {
        state.SkipWithError("the session did not start listening");
        return;
    }
    p.server.holdStreams = true;
    if (!p.ask() ||
        !spinUntil([&] { return p.server.held && !p.store->currentAnswer().isEmpty(); })) {
        state.SkipWithError("no answer stream opened");
        return;
    }
    // With a sentence end the first cue is timed at once; without one the answer never has a
    // speakable cue and every delta lays out the whole answer so far.
    constexpr int deltasPerBatch = 500;
    const QByteArray batch =
        deltaEvent(state.range(0) ? "runaway tiny delta! " : "runaway tiny deltas ")
            .repeated(deltasPerBatch);
    const qsizetype perBatch = 20 * deltasPerBatch;
    const auto sendBatch = [&] {
        const qsizetype target = p.store->currentAnswer().size() + perBatch;
        const Instant started = now();
        p.server.send(batch);
        if (!spinUntil([&] { return p.store->currentAnswer().size() >= target; }, 60'000))
            return -1.0;
        return seconds(started, now()) / deltasPerBatch;
    };
    for (auto _ : state) {
        for (const qsizetype length :
             {qsizetype(0), qsizetype(50'000), qsizetype(100'000), qsizetype(150'000),
              AnswerService::maximumAnswerLength - perBatch - 100}) {
            while (p.store->currentAnswer().size() + perBatch < length)
                sendBatch();
            const double perDelta = sendBatch();
            if (perDelta < 0) {
                state.SkipWithError("a batch of deltas never reached the store");
                return;
            }
            state.counters["us_per_delta_at_" + std::to_string(length / 1000) + "k"] =
                perDelta * 1e6;
        }
        // Past the bound the stream ends; the server may write on, nothing more is read.
        p.server.send(batch);
        p.server.send(batch);
        if (!spinUntil([&] { return !p.store->isGenerating(); }, 60'000)) {
            state.SkipWithError("the answer did not end at its bound");
            return;
        }
    }
    state.counters["final_answer_length"] = double(p.store->currentAnswer().size());
    state.counters["session_active"] = p.store->isSessionActive() ? 1 : 0;
    state.counters["saved_answer_length"] =
        p.store->sessionEntries().empty() ? 0
                                          : double(p.store->sessionEntries().back().answer.size());
    state.SetLabel(p.store->message().value_or(QString()).toStdString());
}

BENCHMARK(transcriptToRequest)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(deltaToAnswer)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(runawayAnswer)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (const int failed = runBenchmarksInApplication(argc, argv))
        return failed;

    std::printf("\nMedians of the last run, each including the loopback socket and Qt's network "
                "stack:\n");
    if (lastMedians.question)
        std::printf("  final transcript -> answer request at the server: %8.1f us\n",
                    *lastMedians.question * 1e6);
    if (lastMedians.deltaReturn)
        std::printf("  delta written -> currentAnswer and cues updated:  %8.1f us "
                    "(currentAnswerChanged at %.1f us)\n",
                    *lastMedians.deltaReturn * 1e6, *lastMedians.deltaSignal * 1e6);
    return 0;
}
