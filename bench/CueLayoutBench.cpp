#include "core/AnswerCueLayout.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

using namespace corvel;

namespace {

// A long answer that uses every heading form, cut into token-sized deltas as a model streams it.
QStringList streamedDeltas() {
    const QString block = QStringLiteral(
        "Great question — I’d frame it around the payments migration I led last year.\n\n"
        "**Scaling the payments API**\n"
        "At Finexa I moved our payments API to 12 autoscaled pods, cutting p99 latency by "
        "**40%** in one quarter.\n\n"
        "SITUATION\n"
        "Notre application perdait 20 % de ses utilisateurs après l’inscription.\n"
        "ACTION\n"
        "J’ai piloté une refonte du parcours avec deux designers.\n\n"
        "### Impact first ###\n"
        "I rank work by revenue at risk.\n"
        "1. Quick wins\n"
        "2. Big bets\n\n"
        "**Personal example needed**\n\n");
    QString answer;
    while (answer.size() < 4000)
        answer += block;
    answer.truncate(4000);

    QStringList deltas;
    const int sizes[] = {3, 5, 4, 6, 2, 4};
    for (qsizetype at = 0, i = 0; at < answer.size(); at += sizes[i++ % 6])
        deltas.append(answer.mid(at, sizes[i % 6]));
    return deltas;
}

// Each delta laid out from the whole text (stream 0) or through the stream that keeps what can no
// longer change (stream 1); the tenths compare the first and the last hundred deltas.
void BM_StreamedAnswer(benchmark::State& state) {
    const bool stream = state.range(0) != 0;
    const QStringList deltas = streamedDeltas();
    std::vector<double> microseconds;
    microseconds.reserve(deltas.size());
    for (auto _ : state) {
        microseconds.clear();
        AnswerCueLayout::Stream layouts;
        QString text;
        for (const QString& delta : deltas) {
            text += delta;
            const auto start = std::chrono::steady_clock::now();
            const AnswerCueLayout layout =
                stream ? layouts.layout(text, true) : AnswerCueLayout(text, true);
            benchmark::DoNotOptimize(layout.hasSpeakableCue());
            const auto end = std::chrono::steady_clock::now();
            microseconds.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    const size_t tenth = microseconds.size() / 10;
    double first = 0;
    double last = 0;
    for (size_t i = 0; i < tenth; ++i) {
        first += microseconds[i];
        last += microseconds[microseconds.size() - 1 - i];
    }
    state.counters["first_tenth_us"] = first / double(tenth);
    state.counters["last_tenth_us"] = last / double(tenth);
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["deltas"] = double(deltas.size());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[microseconds.size() * 99 / 100];
    state.counters["max_us"] = microseconds.back();
}
BENCHMARK(BM_StreamedAnswer)->Arg(0)->Arg(1)->ArgName("stream")->Unit(benchmark::kMillisecond);

// The costliest single delta: the whole answer.
void BM_WholeAnswer(benchmark::State& state) {
    const QString text = streamedDeltas().join(QString());
    for (auto _ : state) {
        const AnswerCueLayout layout(text, true);
        benchmark::DoNotOptimize(layout.cues.size());
    }
}
BENCHMARK(BM_WholeAnswer)->Unit(benchmark::kMicrosecond);

} // namespace
