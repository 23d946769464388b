// The central store's own latency on the live answer path, measured end to end through a
// loopback answer server: both figures include the 127.0.0.1 socket and Qt's network stack
// (its transfer thread and the queued hops back to the main thread).
#include "core/AnswerService.h"
#include "core/InterviewContext.h"
#include "core/SessionPhase.h"
#include "listening/AudioCapture.h"
#include "listening/AudioCaptureDriver.h"
#include "platform/SecretStore.h"
#include "platform/UptimeClock.h"
#include "session/AppStore.h"

#include "GuiBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QPair>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

using namespace corvel;

namespace {

using Instant = std::chrono::steady_clock::time_point;
Instant now() {
    return std::chrono::steady_clock::now();
}
double seconds(Instant from, Instant to) {
    return std::chrono::duration<double>(to - from).count();
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The system clock pushed forward on demand, so each new question lies outside the store's
// 12-second repeat window without the benchmark having to wait.
class ShiftedClock final : public UptimeClock {
public:
    double now() const override { return systemUptimeClock().now() + m_offset; }
    QCoro::Task<> sleep(double seconds, CancelToken token) override {
        return systemUptimeClock().sleep(seconds, std::move(token));
    }
    void advance(double seconds) { m_offset += seconds; }

private:
    double m_offset = 0;
};

class MemorySecrets final : public SecretStore {
public:
    Lookup read(const QString& service, const QString& account) override {
        const auto it = m_items.constFind({service, account});
        if (it == m_items.constEnd())
            return {itemNotFound, std::nullopt};
        return {success, *it};
    }
    int write(const QString& service, const QString& account, const QByteArray& secret) override {
        m_items.insert({service, account}, secret);
        return success;
    }
    int remove(const QString& service, const QString& account) override {
        return m_items.remove({service, account}) > 0 ? success : itemNotFound;
    }

private:
    QHash<QPair<QString, QString>, QByteArray> m_items;
};

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

QByteArray deltaEvent(const QByteArray& text) {
    return R"(data: {"type":"response.output_text.delta","delta":")" + text + "\"}\n\n";
}

// A keep-alive HTTP/1.1 answer server on 127.0.0.1 streaming chunked SSE; it notes when the
// first bytes of each request arrive and either answers at once or holds the stream open.
class AnswerServer final : public QObject {
public:
    AnswerServer() {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                ++connections;
                // Small event writes must not wait on Nagle's algorithm and a delayed ACK.
                socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
                connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                    m_pending.remove(socket);
                    socket->deleteLater();
                });
            }
        });
    }

    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()));
    }

    // Writes one event of the held stream and pushes it to the kernel at once.
    void send(const QByteArray& event) {
        if (!held)
            return;
        held->write(chunk(event));
        held->flush();
    }
    void finishHeld() {
        if (held)
            finish(held);
        held = nullptr;
    }

    bool holdStreams = false;
    std::optional<Instant> requestStarted; // first bytes of the latest request
    int connections = 0;
    QPointer<QTcpSocket> held;

private:
    struct Pending {
        QByteArray buffer;
        bool started = false;
    };

    static QByteArray chunk(const QByteArray& data) {
        return QByteArray::number(data.size(), 16) + "\r\n" + data + "\r\n";
    }

    // The completion and the last chunk go out together, so the client sees the body end and
    // keeps the connection for the next request.
    static void finish(QTcpSocket* socket) {
        socket->write(chunk(R"(data: {"type":"response.completed","response":{}})"
                            "\n\n") +
                      "0\r\n\r\n");
        socket->flush();
    }

    void read(QTcpSocket* socket) {
        const Instant arrived = now();
        Pending& pending = m_pending[socket];
        if (!pending.started) {
            pending.started = true;
            requestStarted = arrived;
        }
        pending.buffer += socket->readAll();
        const qsizetype headerEnd = pending.buffer.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        qsizetype length = 0;
        for (const QByteArray& line : pending.buffer.left(headerEnd).split('\n')) {
            const QByteArray trimmed = line.trimmed();
            if (trimmed.toLower().startsWith("content-length:"))
                length = trimmed.mid(15).trimmed().toLongLong();
        }
        if (pending.buffer.size() < headerEnd + 4 + length)
            return;
        pending.buffer.remove(0, headerEnd + 4 + length);
        pending.started = !pending.buffer.isEmpty();
        QByteArray reply = "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\n"
                           "Transfer-Encoding: chunked\r\n\r\n" +
                           chunk(deltaEvent("x"));
        socket->write(reply);
        if (holdStreams) {
            held = socket;
            socket->flush();
        } else {
            finish(socket);
        }
    }

    // Outlives the server, whose sockets report their disconnection as it is destroyed.
    QHash<QTcpSocket*, Pending> m_pending;
    QTcpServer m_server;
};

// Runs the event loop, sleeping in it as the application does, until `done` holds.
bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    QTimer wake; // bounds each wait so the deadline is noticed
    wake.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

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
        : answers(options(server.url())), audio(capture.driver(), AudioCapturePlatform{}, clock) {
        AppStore::Dependencies d;
        d.storageDirectory = folder.path();
        d.apiKey = QStringLiteral("sk-bench");
        d.answerService = &answers;
        d.audio = &audio;
        d.secretStore = &secrets;
        d.clock = &clock;
        d.automaticallyOpenOverlay = false;
        store = std::make_unique<AppStore>(std::move(d));
        InterviewContext context;
        context.role = QStringLiteral("Ingénieur plateforme");
        context.company = QStringLiteral("Nordlicht");
        context.resume = QStringLiteral("Dix ans de C++ et de Go, dont cinq sur des plateformes.");
        context.jobDescription = QStringLiteral("Construire la plateforme de déploiement.");
        store->setContext(context);
        store->setAutomaticAnswers(true);
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
    MemorySecrets secrets;
    ShiftedClock clock;
    AnswerServer server;
    AnswerService answers;
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
