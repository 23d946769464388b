#include "core/AnswerPrompt.h"
#include "core/ResponseStreamDecoder.h"
#include "core/SSEByteParser.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace corvel;

namespace {

// About 50 MB of text-delta events as the Responses API streams them, each around 200 bytes
// carrying one to three French words.
const QByteArray& answerStream() {
    static const QByteArray stream = [] {
        const char* words[] = {"je",     "travaille", "depuis",  "cinq",     "ans", "sur",
                               "des",    "projets",   "où",      "l’équipe", "a",   "livré",
                               "à",      "temps",     "grâce",   "à",        "une", "méthode",
                               "claire", "et",        "précise", "réussite", "été", "client"};
        std::mt19937 random(7);
        QByteArray body;
        body.reserve(52 * 1024 * 1024);
        for (qint64 sequence = 1; body.size() < 50 * 1000 * 1000; ++sequence) {
            QByteArray delta;
            for (int n = 1 + random() % 3; n > 0; --n)
                delta += ' ' + QByteArray(words[random() % std::size(words)]);
            body += "event: response.output_text.delta\n"
                    "data: {\"type\":\"response.output_text.delta\",\"sequence_number\":" +
                    QByteArray::number(sequence) +
                    ",\"item_id\":\"msg_68a1f3c2b7d08190a3e5c1f2d4b6a8c9\",\"output_index\":0,"
                    "\"content_index\":0,\"delta\":\"" +
                    delta + "\",\"logprobs\":[]}\n\n";
        }
        return body;
    }();
    return stream;
}

template <typename Decode> void decodeStream(benchmark::State& state, Decode decode) {
    const QByteArray& stream = answerStream();
    qint64 events = 0;
    for (auto _ : state) {
        SSEByteParser parser;
        qint64 letters = 0;
        const auto onEvent = [&](SSEEvent&& event) {
            const ResponseStreamUpdate update = decode(event);
            letters += update.text.size();
            ++events;
            return true;
        };
        // Network reads arrive in pieces of at most 64 KiB.
        for (qsizetype at = 0; at < stream.size(); at += 65'536)
            parser.consume(
                QByteArrayView(stream).sliced(at, std::min<qsizetype>(65'536, stream.size() - at)),
                onEvent);
        benchmark::DoNotOptimize(letters);
    }
    const double bytes = double(stream.size()) * double(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["MB"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
    state.counters["events"] = benchmark::Counter(double(events), benchmark::Counter::kIsRate);
}

void SseDecoding(benchmark::State& state) {
    decodeStream(state, &ResponseStreamDecoder::decode);
}
BENCHMARK(SseDecoding)->Unit(benchmark::kMillisecond);

// The same stream with every event read by the full JSON parser, for comparison.
void SseDecodingFullJsonParser(benchmark::State& state) {
    decodeStream(state, [](const SSEEvent& event) {
        return ResponseStreamDecoder::decodeWithJsonParser(event.data);
    });
}
BENCHMARK(SseDecodingFullJsonParser)->Unit(benchmark::kMillisecond);

void PromptBuild(benchmark::State& state) {
    InterviewContext context;
    context.name = QStringLiteral("Camille Martin");
    context.role = QStringLiteral("Ingénieure logiciel senior");
    context.company = QStringLiteral("Société Générale des Données");
    for (int i = 0; i < 400; ++i)
        context.resume += QStringLiteral("Développement d’applications C++ et Qt, réussite. ");
    for (int i = 0; i < 150; ++i)
        context.jobDescription += QStringLiteral("Vous concevrez des services fiables à Lyon. ");
    context.notes = QStringLiteral("Parler du projet de migration https://exemple.fr/projet");
    context.language = QStringLiteral("Français");
    const QString question = QStringLiteral("Pouvez-vous me parler d’un projet difficile ?");
    for (auto _ : state) {
        benchmark::DoNotOptimize(AnswerPrompt::instructions(AnswerStyle::adaptive));
        benchmark::DoNotOptimize(AnswerPrompt::input(question, context));
    }
}
BENCHMARK(PromptBuild)->Unit(benchmark::kMicrosecond);

} // namespace
