// From the end of a spoken question to its answer request, through the application's own capture
// engine, recogniser and store, with a loopback answer server. Each question is spoken by the
// voices named in CORVEL_SPEECH_VOICES (default "kal slt": Festival; "espeak" too) and reaches
// the capture engine at live pace in fragments of the sound server's size, with pauses around it.
// Reports the median and the 90th percentile of the delay from the last sample of speech to the
// first bytes of the request, the questions that came apart into more than one final result and
// the questions that sent no request, and the resident memory before, during and after the
// session.
//
// The questions are the lines of CORVEL_SPEECH_SENTENCES that the detector takes as written
// (e.g. the development sentences); without it a few of our own are spoken. A " | " in a line is
// a pause of 0.6 s, as an interviewer makes before the object of a question ("What did you learn
// from | your last internship?").
#include "core/AnswerService.h"
#include "core/InterviewContext.h"
#include "core/SessionPhase.h"
#include "listening/AudioCapture.h"
#include "listening/AudioCapturePlatform.h"
#include "listening/TranscriptQuestionTracker.h"
#include "platform/PulseRecordStream.h"
#include "session/AppStore.h"

#include "GuiBenchmarkMain.h"
#include "SpokenAudio.h"
#include "StoreBenchSupport.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

using namespace corvel;
using namespace corvel::bench;
using namespace Qt::StringLiterals;

namespace {

constexpr int rate = SpeechRecognitionTask::sampleRate;
constexpr std::size_t fragment = PulseRecordStream::fragmentSamples;
constexpr std::size_t leadingPause = rate / 2;
constexpr std::size_t trailingPause = 2 * rate;
constexpr std::size_t innerPause = rate * 6 / 10;
const QString pauseMark = QStringLiteral(" | ");

struct Trial {
    QString text;
    QString voice;
    std::vector<qint16> audio; // the question with its pauses
    std::size_t speechEnd = 0; // the sample after the last one of speech
};

QStringList questions() {
    QStringList taken;
    for (const QString& line :
         benchSentences({QStringLiteral("So, tell me, why this company?"),
                         QStringLiteral("How do you handle disagreements in "
                                        "your team?"),
                         QStringLiteral("What are your salary expectations?")})) {
        if (TranscriptQuestionTracker::question(QString(line).replace(pauseMark, u" "_s), true))
            taken.append(line);
    }
    return taken;
}

// Speech is the samples above a fiftieth of the loudest one; the voices' own near-silence before
// and after it belongs to the pauses.
std::pair<std::size_t, std::size_t> speechBounds(const std::vector<qint16>& samples) {
    int peak = 0;
    for (qint16 sample : samples)
        peak = std::max(peak, std::abs(int(sample)));
    std::size_t first = 0;
    std::size_t last = samples.size();
    while (last > 0 && std::abs(int(samples[last - 1])) <= peak / 50)
        --last;
    while (first < last && std::abs(int(samples[first])) <= peak / 50)
        ++first;
    return {first, last};
}

std::optional<Trial> spoken(const QString& voice, const QString& text) {
    std::vector<qint16> speech;
    const QStringList parts = text.split(pauseMark);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const std::vector<qint16> said = spokenSamples(voice, parts[i]);
        if (said.empty())
            return std::nullopt;
        auto [first, last] = speechBounds(said);
        if (i == 0)
            first = 0;
        else
            speech.resize(speech.size() + innerPause, 0);
        speech.insert(speech.end(), said.begin() + std::ptrdiff_t(first),
                      said.begin() + std::ptrdiff_t(last));
    }
    Trial trial{text, voice, std::vector<qint16>(leadingPause, 0), leadingPause + speech.size()};
    trial.audio.insert(trial.audio.end(), speech.begin(), speech.end());
    trial.audio.resize(trial.audio.size() + trailingPause, 0);
    return trial;
}

// Plays one trial at a time at live pace, and silence between trials, delivering each fragment
// when its last sample would have been heard, as the sound server does.
class LiveInput final : public AudioInput {
public:
    struct Feed {
        std::mutex mutex;
        const Trial* playing = nullptr;
        std::size_t offset = 0;
        std::optional<Instant> speechEnded;
        std::atomic<bool> played = false;

        void play(const Trial* trial) {
            std::lock_guard lock(mutex);
            playing = trial;
            offset = 0;
            speechEnded.reset();
            played = false;
        }
    };

    LiveInput(Feed& feed, SamplesHandler onSamples)
        : m_feed(feed), m_onSamples(std::move(onSamples)) {}

    QCoro::Task<> start(CancelToken) override {
        m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
        co_return;
    }
    void stop() override { m_thread = {}; }

private:
    void run(std::stop_token stop) {
        const auto duration = std::chrono::microseconds(fragment * 1'000'000 / rate);
        std::vector<qint16> samples(fragment);
        for (Instant due = now() + duration; !stop.stop_requested(); due += duration) {
            std::this_thread::sleep_until(due);
            {
                std::lock_guard lock(m_feed.mutex);
                std::fill(samples.begin(), samples.end(), 0);
                if (const Trial* trial = m_feed.playing) {
                    const std::size_t count =
                        std::min(fragment, trial->audio.size() - m_feed.offset);
                    std::copy_n(trial->audio.begin() + std::ptrdiff_t(m_feed.offset), count,
                                samples.begin());
                    const std::size_t end = m_feed.offset + fragment;
                    if (m_feed.offset < trial->speechEnd && end >= trial->speechEnd)
                        m_feed.speechEnded = due - std::chrono::microseconds(
                                                       (end - trial->speechEnd) * 1'000'000 / rate);
                    m_feed.offset += count;
                    if (m_feed.offset == trial->audio.size()) {
                        m_feed.playing = nullptr;
                        m_feed.played = true;
                    }
                }
            }
            m_onSamples(samples.data(), samples.size());
        }
    }

    Feed& m_feed;
    SamplesHandler m_onSamples;
    std::jthread m_thread; // last: stops and joins before the members it uses go
};

// The installed recogniser, counting the final results that carry words.
class CountingRecognizer final : public SpeechRecognizer {
public:
    CountingRecognizer(std::shared_ptr<SpeechRecognizer> inner, std::atomic<int>& finals)
        : m_inner(std::move(inner)), m_finals(finals) {}
    bool isAvailable() const override { return m_inner->isAvailable(); }
    bool supportsOnDeviceRecognition() const override {
        return m_inner->supportsOnDeviceRecognition();
    }
    std::shared_ptr<SpeechRecognitionTask> recognize(bool requiresOnDevice,
                                                     ResultHandler onResult) override {
        return m_inner->recognize(requiresOnDevice,
                                  [this, onResult](const SpeechRecognitionResult& result) {
                                      if (result.isFinal && result.text && !result.text->isEmpty())
                                          ++m_finals;
                                      onResult(result);
                                  });
    }

private:
    std::shared_ptr<SpeechRecognizer> m_inner;
    std::atomic<int>& m_finals;
};

// The process's resident memory now, in MB.
double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

AnswerService::Options answerOptions(const QUrl& url) {
    AnswerService::Options o;
    o.openAIBaseURL = url;
    return o;
}

void endOfSpeechToRequest(benchmark::State& state) {
    std::vector<Trial> trials;
    const QStringList voices =
        qEnvironmentVariable("CORVEL_SPEECH_VOICES", QStringLiteral("kal slt"))
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList asked = questions();
    for (const QString& voice : voices) {
        for (const QString& question : asked) {
            if (auto trial = spoken(voice, question))
                trials.push_back(std::move(*trial));
        }
    }
    if (trials.empty()) {
        state.SkipWithError("no question could be spoken");
        return;
    }

    LiveInput::Feed feed;
    std::atomic<int> finals = 0;
    auto platform = AudioCapturePlatform::system();
    const auto installed = platform.recognizer;
    platform.recognizer = [&](const QString& locale) -> std::shared_ptr<SpeechRecognizer> {
        auto recognizer = installed(locale);
        return recognizer ? std::make_shared<CountingRecognizer>(recognizer, finals) : nullptr;
    };
    platform.openInput = [&](AudioSource, AudioInput::SamplesHandler onSamples,
                             AudioInput::FailureHandler) -> std::unique_ptr<AudioInput> {
        return std::make_unique<LiveInput>(feed, std::move(onSamples));
    };

    QTemporaryDir folder;
    fixture::MemorySecretStore secrets;
    ShiftedClock clock;
    AnswerServer server;
    auto answers = std::make_shared<AnswerService>(answerOptions(server.url()));
    AudioCapture audio(std::nullopt, platform, clock);
    InterviewContext context;
    context.role = QStringLiteral("Platform engineer");
    context.company = QStringLiteral("Nordlicht");
    context.resume = QStringLiteral("Ten years of C++ and Go, five of them on platforms.");
    context.jobDescription = QStringLiteral("Build the deployment platform.");
    auto store = preparedStore(folder.path(), answers, audio, secrets, clock, context);
    const double idle = residentMegabytes();
    store->startSession();
    if (!spinUntil([&] { return store->sessionPhase() == SessionPhase::waiting; }, 20'000)) {
        const QString reason = store->message().value_or(QStringLiteral("no message"));
        const std::string error = "the session did not start listening: " + reason.toStdString();
        state.SkipWithError(error.c_str());
        return;
    }

    std::vector<double> delays;
    int split = 0, unanswered = 0;
    for (auto _ : state) {
        for (const Trial& trial : trials) {
            clock.advance(13);
            server.requestStarted.reset();
            finals = 0;
            feed.play(&trial);
            spinUntil([&] { return feed.played.load(); }, 30'000);
            // A late request would still belong to this question.
            spinUntil([&] { return server.requestStarted.has_value(); }, 1000);
            std::optional<Instant> ended;
            {
                std::lock_guard lock(feed.mutex);
                ended = feed.speechEnded;
            }
            if (finals > 1) {
                ++split;
                std::fprintf(stderr, "split (%s): %s\n", qPrintable(trial.voice),
                             qPrintable(trial.text));
            }
            if (server.requestStarted && ended) {
                delays.push_back(seconds(*ended, *server.requestStarted));
            } else {
                ++unanswered;
                std::fprintf(stderr, "no request (%s): %s\n", qPrintable(trial.voice),
                             qPrintable(trial.text));
            }
            spinUntil([&] { return !store->isGenerating(); });
        }
    }
    const double inSession = residentMegabytes();
    store->endSession();
    spinUntil([] { return false; }, 500); // lets the stopped tasks wind down
    const double afterSession = residentMegabytes();
    store.reset();

    std::sort(delays.begin(), delays.end());
    const auto percentile = [&](double p) {
        return delays.empty() ? 0.0 : delays[std::size_t(std::ceil(p * double(delays.size())) - 1)];
    };
    state.counters["recordings"] = double(trials.size());
    state.counters["median_ms"] = median(delays) * 1000;
    state.counters["p90_ms"] = percentile(0.9) * 1000;
    state.counters["max_ms"] = delays.empty() ? 0 : delays.back() * 1000;
    state.counters["split"] = split;
    state.counters["no_request"] = unanswered;
    state.counters["rss_idle_MB"] = idle;
    state.counters["rss_session_MB"] = inSession;
    state.counters["rss_after_MB"] = afterSession;
}
BENCHMARK(endOfSpeechToRequest)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarksInApplication(argc, argv);
}
