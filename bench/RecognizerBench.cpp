// Speed of live recognition on the espeak recording the end-to-end tests use, on one core:
// the real-time factor (decoding time / audio time) and the delay from the end of speech to the
// final result when audio arrives at its natural pace in 100 ms fragments.
#include "platform/PocketSphinxRecognizer.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sched.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

using namespace corvel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int rate = SpeechRecognitionTask::sampleRate;
constexpr std::size_t fragment = rate / 10;

std::vector<qint16> recording() {
    QTemporaryDir directory;
    const QString wave = directory.filePath(QStringLiteral("q.wav"));
    const QString raw = directory.filePath(QStringLiteral("q.raw"));
    QProcess::execute(QStringLiteral("espeak-ng"),
                      {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"), wave,
                       QStringLiteral("Hello. Tell me about your last project.")});
    QProcess::execute(QStringLiteral("sox"),
                      {wave, QStringLiteral("-r"), QString::number(rate), QStringLiteral("-c"),
                       QStringLiteral("1"), QStringLiteral("-b"), QStringLiteral("16"),
                       QStringLiteral("-e"), QStringLiteral("signed-integer"), raw});
    QFile file(raw);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    const QByteArray bytes = file.readAll();
    std::vector<qint16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

struct Fixture {
    Fixture() {
        // One core for the whole process; the decoder thread inherits it.
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(0, &one);
        sched_setaffinity(0, sizeof(one), &one);
        speech = recording();
        // The trailing silence the recogniser needs to hear the pause after the question.
        speechEnd = speech.size();
        speech.resize(speech.size() + rate, 0);
        recognizer = PocketSphinxRecognizer::create(QStringLiteral("en-US"));
        if (!recognizer)
            std::abort();
    }
    std::vector<qint16> speech;
    std::size_t speechEnd = 0;
    std::shared_ptr<PocketSphinxRecognizer> recognizer;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// Feeds the recording (paced or at once) and returns when the final result arrives.
Clock::time_point recognize(bool paced, Clock::time_point* speechEndedAt) {
    auto& f = fixture();
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Clock::time_point> finalAt;
    auto task = f.recognizer->recognize(true, [&](const SpeechRecognitionResult& result) {
        if (!result.isFinal)
            return;
        std::lock_guard lock(mutex);
        finalAt = Clock::now();
        done.notify_all();
    });
    const auto begin = Clock::now();
    for (std::size_t offset = 0; offset < f.speech.size(); offset += fragment) {
        if (paced)
            std::this_thread::sleep_until(begin + std::chrono::milliseconds(offset * 1000 / rate));
        const std::size_t count = std::min(fragment, f.speech.size() - offset);
        task->append(f.speech.data() + offset, count);
        if (speechEndedAt && offset < f.speechEnd && offset + count >= f.speechEnd)
            *speechEndedAt = Clock::now();
    }
    task->endAudio();
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return finalAt.has_value(); });
    task->cancel();
    return *finalAt;
}

void RealTimeFactor(benchmark::State& state) {
    auto& f = fixture();
    recognize(false, nullptr); // the decoder's first utterance is a warm-up
    double ratio = 0;
    for (auto _ : state) {
        const auto begin = Clock::now();
        const auto end = recognize(false, nullptr);
        const double seconds = std::chrono::duration<double>(end - begin).count();
        state.SetIterationTime(seconds);
        ratio = seconds / (static_cast<double>(f.speechEnd) / rate);
    }
    state.counters["rtf"] = ratio;
}
BENCHMARK(RealTimeFactor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void EndOfSpeechToFinal(benchmark::State& state) {
    recognize(false, nullptr);
    double total = 0;
    for (auto _ : state) {
        Clock::time_point speechEnded;
        const auto finalAt = recognize(true, &speechEnded);
        const double delay = std::chrono::duration<double>(finalAt - speechEnded).count();
        state.SetIterationTime(delay);
        total += delay;
    }
    state.counters["delay_ms"] = total * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(EndOfSpeechToFinal)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
