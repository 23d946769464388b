#include "language/EnglishPunctuation.h"
#include "language/QuestionContinuation.h"
#include "listening/TranscriptQuestionTracker.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

using namespace corvel;

namespace {

constexpr qsizetype transcriptLength = 2000;

// An interviewer talking for a while: small talk, the company's story, then questions (0
// unpunctuated, as partial results come, 1 punctuated); or (2) the candidate telling a long story
// as one partial result, in which no question is found however far it is read.
QString interviewerTranscript(int variant) {
    const QString story = QStringLiteral(
        "so i joined the team as a junior developer and we moved the whole billing stack to go "
        "over the first year and i learned how to plan a migration and why the old builds were "
        "slow and my manager asked me whether we could ship faster and we did in the end ");
    const bool punctuated = variant == 1;
    const QString passage =
        variant == 2 ? story
        : punctuated
            ? QStringLiteral(
                  "Bonjour à tous, merci d’être là. Je suis la responsable du recrutement et je "
                  "dirige l’équipe produit depuis trois ans. Nous avons beaucoup grandi cette "
                  "année\u202F! Parlez-moi de votre dernier projet. Qu’avez-vous appris\u202F? "
                  "Okay, great. So we built the platform from scratch in our first year. Tell me "
                  "about a time you disagreed with your manager. How did you handle it? ")
            : QStringLiteral(
                  "okay thanks for joining us today so we built the platform from scratch in our "
                  "first year and the team doubled since then tell me about a time you disagreed "
                  "with your manager how did you handle it and what was the outcome for the team ");
    QString text;
    while (text.size() < transcriptLength) {
        text += passage;
    }
    return text.left(transcriptLength);
}

// Every state of the transcript as the recogniser grows it, one word at a time.
QStringList growingPrefixes(const QString& transcript) {
    QStringList prefixes;
    for (qsizetype i = 1; i <= transcript.size(); ++i) {
        if (i == transcript.size() || transcript[i] == u' ') {
            prefixes.append(transcript.left(i));
        }
    }
    return prefixes;
}

// Median and worst time of one update while a transcript grows word by word to 2,000 characters.
void BM_TrackerUpdateGrowingTranscript(benchmark::State& state) {
    const QStringList prefixes = growingPrefixes(interviewerTranscript(int(state.range(0))));
    benchmark::DoNotOptimize(TranscriptQuestionTracker::question(prefixes.back(), false)); // warm
    std::vector<double> micros;
    for (auto _ : state) {
        for (const QString& prefix : prefixes) {
            const auto start = std::chrono::steady_clock::now();
            auto question = TranscriptQuestionTracker::question(prefix, false);
            benchmark::DoNotOptimize(question);
            const auto elapsed = std::chrono::steady_clock::now() - start;
            micros.push_back(std::chrono::duration<double, std::micro>(elapsed).count());
        }
    }
    std::nth_element(micros.begin(), micros.begin() + micros.size() / 2, micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["max_us"] = *std::max_element(micros.begin(), micros.end());
    state.SetItemsProcessed(state.iterations() * prefixes.size());
}
BENCHMARK(BM_TrackerUpdateGrowingTranscript)->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

// One update on the full 2,000-character transcript, the slowest point of the growth.
void BM_TrackerUpdateFullTranscript(benchmark::State& state) {
    const QString transcript = interviewerTranscript(int(state.range(0)));
    for (auto _ : state) {
        auto question = TranscriptQuestionTracker::question(transcript, false);
        benchmark::DoNotOptimize(question);
    }
}
BENCHMARK(BM_TrackerUpdateFullTranscript)
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The finisher on one final result of 60 words, an interviewer's turn said in one breath: its
// sentences, each with its case and mark.
void BM_FinishOneBreath(benchmark::State& state) {
    const QString turn = QStringLiteral(
        "so we are a small team of about twelve people and most of our work comes from hospitals "
        "and clinics in the north west and everyone helps with support at the weekends when things "
        "get busy which they often do in the winter months how do you feel about being on the "
        "support rota once a month and would that work for you");
    benchmark::DoNotOptimize(EnglishPunctuation::finished(turn)); // warm
    for (auto _ : state) {
        QString finished = EnglishPunctuation::finished(turn);
        benchmark::DoNotOptimize(finished);
    }
}
BENCHMARK(BM_FinishOneBreath)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The decision each final result after a waiting question takes: whether the question may go
// on, and what the words after it make of it. After a cut question: an object, a remark with a
// clause about its subject, and a long run of words (the tagger reads the first 24); after a
// question whole as asked, words that read as an object but name nothing, which also reads the
// question for whether it is whole; after a question cut at a verb, its object; after an
// infinitive, its verb phrase; an interjection.
void BM_ReadWhatFollows(benchmark::State& state) {
    const QString cut = QStringLiteral("What is your opinion on?");
    const QString whole = QStringLiteral("What kind of work would you like to focus on?");
    const std::pair<QString, QString> pairs[] = {
        {cut, QStringLiteral("The tests that nobody runs.")},
        {cut, QStringLiteral("Anything you mention stays confidential.")},
        {cut, interviewerTranscript(false)},
        {whole, QStringLiteral("Anything at all you enjoyed.")},
        {QStringLiteral("How would you characterise?"), QStringLiteral("The team you manage now.")},
        {QStringLiteral("What made you want to?"), QStringLiteral("Switch to finance.")},
        {QStringLiteral("Can you walk me through?"), QStringLiteral("Phew.")}};
    const auto& [question, text] = pairs[state.range(0)];
    for (auto _ : state) {
        bool waits = QuestionContinuation::mayGoOn(question);
        auto reading = QuestionContinuation::read(question, text);
        benchmark::DoNotOptimize(waits);
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(BM_ReadWhatFollows)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

} // namespace
