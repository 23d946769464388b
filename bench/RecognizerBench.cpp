// Cost of live recognition on one core: sentences spoken by espeak-ng, apart by pauses, reach the
// recogniser at their own pace in 100 ms fragments, as call audio does, and each final result
// starts the next task as the capture engine does. Reports the CPU time per second of audio (the
// real-time factor of one core at live pace), the delay from the end of speech to the final
// result, and the peak memory.
//
// The sentences are read from the file named by CORVEL_SPEECH_SENTENCES (one a line), e.g. the
// development sentences; without it a few interview sentences of our own are spoken.
#include "platform/PocketSphinxRecognizer.h"

#include "SpokenAudio.h"

#include <QStringList>

#include <benchmark/benchmark.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

using namespace corvel;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int rate = SpeechRecognitionTask::sampleRate;
constexpr std::size_t fragment = rate / 10;
constexpr std::size_t pause = 2 * rate;

QStringList sentences() {
    return bench::benchSentences(
        {QStringLiteral("Hello. Tell me about your last project."),
         QStringLiteral("How do you handle disagreements in your team?"),
         QStringLiteral("I worked as a developer at a small startup for four years."),
         QStringLiteral("What are your salary expectations?")});
}

std::vector<qint16> spoken(const QString& text) {
    auto samples = bench::spokenSamples(QStringLiteral("espeak"), text);
    if (samples.empty())
        std::abort();
    return samples;
}

struct Fixture {
    Fixture() {
        // One core for the whole process; the decoder thread inherits it.
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(0, &one);
        sched_setaffinity(0, sizeof(one), &one);
        for (const auto& sentence : sentences()) {
            const auto speech = spoken(sentence);
            audio.insert(audio.end(), speech.begin(), speech.end());
            speechEnds.push_back(audio.size());
            audio.resize(audio.size() + pause, 0);
        }
        recognizer = PocketSphinxRecognizer::create(QStringLiteral("en-US"),
                                                    PocketSphinxRecognizer::Options());
        if (!recognizer)
            std::abort();
    }
    std::vector<qint16> audio;
    std::vector<std::size_t> speechEnds;
    std::shared_ptr<PocketSphinxRecognizer> recognizer;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

double cpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
}

// Feeds the whole recording at its own pace; after each final result the next task takes over
// before the next fragment, as the capture engine does. Returns the mean delay from the end of a
// sentence to its final result.
double recognizeLive() {
    auto& f = fixture();
    std::mutex mutex;
    std::vector<Clock::time_point> finals;
    const auto onResult = [&](const SpeechRecognitionResult& result) {
        if (!result.isFinal)
            return;
        std::lock_guard lock(mutex);
        finals.push_back(Clock::now());
    };
    auto task = f.recognizer->recognize(true, onResult);
    std::size_t handedOver = 0;
    std::vector<Clock::time_point> speechEnded;
    const auto begin = Clock::now();
    for (std::size_t offset = 0; offset < f.audio.size(); offset += fragment) {
        std::this_thread::sleep_until(begin + std::chrono::milliseconds(offset * 1000 / rate));
        {
            std::lock_guard lock(mutex);
            if (finals.size() > handedOver) {
                handedOver = finals.size();
                auto previous = task;
                task = f.recognizer->recognize(true, onResult);
                previous->cancel();
                previous->endAudio();
            }
        }
        const std::size_t count = std::min(fragment, f.audio.size() - offset);
        task->append(f.audio.data() + offset, count);
        for (auto end : f.speechEnds) {
            if (offset < end && offset + count >= end)
                speechEnded.push_back(Clock::now());
        }
    }
    task->cancel();
    task->endAudio();
    std::lock_guard lock(mutex);
    // Each final against the end of the sentence spoken last before it.
    double delay = 0;
    int counted = 0;
    for (auto final : finals) {
        auto ended = std::upper_bound(speechEnded.begin(), speechEnded.end(), final);
        if (ended == speechEnded.begin())
            continue;
        delay += std::chrono::duration<double>(final - *std::prev(ended)).count();
        ++counted;
    }
    return counted ? delay / counted : 0;
}

void LivePace(benchmark::State& state) {
    auto& f = fixture();
    // The decoder loads with its first task.
    auto warmUp = f.recognizer->recognize(true, [](const SpeechRecognitionResult&) {});
    const std::vector<qint16> silence(rate, 0);
    warmUp->append(silence.data(), silence.size());
    warmUp->endAudio();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    warmUp->cancel();

    double rtf = 0, delay = 0;
    for (auto _ : state) {
        const double before = cpuSeconds();
        delay = recognizeLive();
        rtf = (cpuSeconds() - before) / (double(f.audio.size()) / rate);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["rtf_one_core"] = rtf;
    state.counters["final_delay_ms"] = delay * 1000;
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024;
    state.counters["audio_s"] = double(f.audio.size()) / rate;
}
BENCHMARK(LivePace)->Unit(benchmark::kSecond)->Iterations(1);

// Start of listening to the first final result of a sentence heard at once: mostly the loading of
// the models. Argument 0: a recogniser new to the process (the first session of a run); 1: one
// that has listened before and freed its models since (a later session).
void FirstResult(benchmark::State& state) {
    const auto sentence = spoken(QStringLiteral("Tell me about your last project."));
    std::vector<qint16> audio = sentence;
    audio.resize(audio.size() + rate, 0);
    auto reused = PocketSphinxRecognizer::create(QStringLiteral("en-US"), {});
    double cpu = 0;
    for (auto _ : state) {
        const double cpuBefore = cpuSeconds();
        auto recognizer = state.range(0) == 0
                              ? PocketSphinxRecognizer::create(QStringLiteral("en-US"), {})
                              : reused;
        std::mutex mutex;
        std::condition_variable heard;
        bool done = false;
        const auto begin = Clock::now();
        auto task = recognizer->recognize(true, [&](const SpeechRecognitionResult& result) {
            std::lock_guard lock(mutex);
            done = done || result.isFinal || result.failure;
            heard.notify_all();
        });
        task->append(audio.data(), audio.size());
        {
            std::unique_lock lock(mutex);
            heard.wait(lock, [&] { return done; });
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
        cpu += cpuSeconds() - cpuBefore;
        task->cancel();
        task->endAudio();
        // Lets the decoder thread free the models before the next session.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    // The process's CPU time to the result, steadier than wall time on a busy machine.
    state.counters["cpu_ms"] = cpu * 1000 / double(state.iterations());
}
BENCHMARK(FirstResult)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

} // namespace
