// Speaks nothing itself: decodes recorded sentences through the application's capture engine and
// recogniser at live pace, hands every final result to the question detector and reports the
// word error rate, the questions found, the statements taken for questions, the CPU used per
// second of audio and the peak memory. speech-devset makes the recordings.
#include "listening/AudioCapture.h"
#include "listening/AudioCapturePlatform.h"
#include "listening/TranscriptQuestionTracker.h"
#include "platform/PocketSphinxRecognizer.h"
#include "platform/SpeechRecognitionTask.h"

#include <QCoreApplication>
#include <QCoroTask>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <QThread>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

using namespace corvel;

namespace {

constexpr int rate = SpeechRecognitionTask::sampleRate;
constexpr std::size_t fragment = rate / 10;

struct Sentence {
    QString reference;
    std::vector<qint16> speech;
};

// The whole recording, each sentence with the pauses around it, and where each sentence's pause
// ends.
struct Recording {
    std::vector<qint16> samples;
    std::vector<std::size_t> sentenceEnds;
};

Recording compose(const std::vector<Sentence>& sentences) {
    Recording recording;
    for (const auto& sentence : sentences) {
        recording.samples.insert(recording.samples.end(), sentence.speech.begin(),
                                 sentence.speech.end());
        recording.sentenceEnds.push_back(recording.samples.size());
    }
    return recording;
}

using SteadyClock = std::chrono::steady_clock;

// Which sentence the results belong to. After each sentence's pause the input waits, should the
// recogniser lag, until that sentence's final result came and the recogniser went quiet.
struct Progress {
    std::atomic<std::size_t> sentence = 0;
    std::atomic<int> finalsOfSentence = 0;
    std::atomic<SteadyClock::rep> lastResult = 0;
    std::atomic<bool> fed = false;

    void reset() {
        sentence = 0;
        finalsOfSentence = 0;
        lastResult = SteadyClock::now().time_since_epoch().count();
        fed = false;
    }
    bool settled() const {
        const auto quiet =
            SteadyClock::now() - SteadyClock::time_point(SteadyClock::duration(lastResult.load()));
        return finalsOfSentence > 0 && quiet > std::chrono::milliseconds(400);
    }
};

// Feeds the recording in 100 ms fragments at `pace` times its own speed, from a thread of its own,
// as the sound server would.
class RecordingInput final : public AudioInput {
public:
    RecordingInput(const Recording& recording, double pace, SamplesHandler onSamples,
                   Progress& progress)
        : m_recording(recording), m_pace(pace), m_onSamples(std::move(onSamples)),
          m_progress(progress) {}

    QCoro::Task<> start(CancelToken) override {
        m_thread = std::jthread([this](std::stop_token stop) { feed(stop); });
        co_return;
    }
    void stop() override { m_thread = {}; }

private:
    void feed(std::stop_token stop) {
        auto begin = SteadyClock::now();
        const auto& samples = m_recording.samples;
        std::size_t sentence = 0;
        for (std::size_t offset = 0; offset < samples.size() && !stop.stop_requested();
             offset += fragment) {
            std::this_thread::sleep_until(
                begin + std::chrono::microseconds(qint64(double(offset) * 1e6 / rate / m_pace)));
            const std::size_t count = std::min(fragment, samples.size() - offset);
            m_onSamples(samples.data() + offset, count);
            if (offset + count < m_recording.sentenceEnds[sentence])
                continue;
            const auto waitStart = SteadyClock::now();
            while (!stop.stop_requested() && !m_progress.settled() &&
                   SteadyClock::now() - waitStart < std::chrono::seconds(3))
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            begin += SteadyClock::now() - waitStart;
            m_progress.finalsOfSentence = 0;
            m_progress.sentence = ++sentence;
            if (sentence == m_recording.sentenceEnds.size())
                break;
        }
        m_progress.fed = true;
    }

    const Recording& m_recording;
    double m_pace;
    SamplesHandler m_onSamples;
    Progress& m_progress;
    std::jthread m_thread; // last: stops and joins before the members it uses go
};

bool startsWithRequest(const QString& sentence) {
    for (const char* verb : {"Tell me", "Tell us", "Describe", "Walk me", "Talk me", "Take me",
                             "Give me", "Explain", "Share"}) {
        if (sentence.startsWith(QLatin1String(verb)))
            return true;
    }
    return false;
}

QStringList words(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}']+"));
    return text.toLower().split(separators, Qt::SkipEmptyParts);
}

int editDistance(const QStringList& a, const QStringList& b) {
    std::vector<int> row(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

double processCpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return double(time.tv_sec) + double(time.tv_nsec) / 1e9;
}

struct RunResult {
    std::vector<QStringList> finals; // per sentence
    double cpuSeconds = 0;
};

void waitFor(const std::function<bool()>& done) {
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

RunResult decode(AudioCapture& capture, const Recording& recording, Progress& progress) {
    RunResult result;
    result.finals.resize(recording.sentenceEnds.size());
    capture.setOnTranscript([&](const QString& text, bool isFinal) {
        progress.lastResult = SteadyClock::now().time_since_epoch().count();
        const std::size_t sentence = progress.sentence;
        if (!isFinal || sentence >= result.finals.size())
            return;
        result.finals[sentence].append(text);
        ++progress.finalsOfSentence;
    });
    progress.reset();
    const double cpuBefore = processCpuSeconds();
    bool started = false;
    auto run = [&]() -> QCoro::Task<> {
        co_await capture.start(AudioSource::system, QStringLiteral("en-US"));
        started = true;
    };
    auto task = run();
    waitFor([&] { return started || capture.error().has_value(); });
    if (capture.error()) {
        std::fprintf(stderr, "speech-devset: %s\n", qPrintable(*capture.error()));
        std::exit(1);
    }
    waitFor([&] { return progress.fed.load(); });
    capture.stop();
    result.cpuSeconds = processCpuSeconds() - cpuBefore;
    capture.setOnTranscript(nullptr);
    return result;
}

std::vector<Sentence> readManifest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "speech-devset: cannot read %s\n", qPrintable(path));
        std::exit(2);
    }
    std::vector<Sentence> sentences;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        const auto tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0)
            continue;
        QFile raw(line.left(tab));
        if (!raw.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "speech-devset: cannot read %s\n", qPrintable(raw.fileName()));
            std::exit(2);
        }
        const QByteArray bytes = raw.readAll();
        Sentence sentence{line.mid(tab + 1), std::vector<qint16>(bytes.size() / 2)};
        std::memcpy(sentence.speech.data(), bytes.constData(), sentence.speech.size() * 2);
        sentences.push_back(std::move(sentence));
    }
    return sentences;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    double pace = 1;
    int runs = 1;
    bool verbose = false;
    QString label = QStringLiteral("voice");
    PocketSphinxRecognizer::Options options;
    while (arguments.size() > 1) {
        const QString option = arguments.takeFirst();
        if (option == QStringLiteral("--pace") && !arguments.isEmpty())
            pace = arguments.takeFirst().toDouble();
        else if (option == QStringLiteral("--runs") && !arguments.isEmpty())
            runs = arguments.takeFirst().toInt();
        else if (option == QStringLiteral("--label") && !arguments.isEmpty())
            label = arguments.takeFirst();
        else if (option == QStringLiteral("--set") && arguments.size() > 2) {
            const QByteArray name = arguments.takeFirst().toUtf8();
            options.settings.emplace_back(name, arguments.takeFirst().toUtf8());
        } else if (option == QStringLiteral("--interview-model") && !arguments.isEmpty()) {
            options.interviewModelDirectory = arguments.takeFirst();
        } else if (option == QStringLiteral("--interview-weight") && !arguments.isEmpty()) {
            options.interviewWeight = arguments.takeFirst().toFloat();
        } else if (option == QStringLiteral("--clean-interview-weight") && !arguments.isEmpty()) {
            options.cleanInterviewWeight = arguments.takeFirst().toFloat();
        } else if (option == QStringLiteral("--library")) {
            options.libraryDefaults = true;
        } else if (option == QStringLiteral("-v")) {
            verbose = true;
        } else {
            std::fprintf(stderr, "speech-devset: unknown option %s\n", qPrintable(option));
            return 2;
        }
    }
    if (arguments.size() != 1 || pace <= 0 || runs < 1) {
        std::fprintf(
            stderr,
            "usage: corvel-speech-devset [--pace N] [--runs N] [--label NAME]\n"
            "         [--set DECODER-OPTION VALUE]... [--interview-model DIR]\n"
            "         [--interview-weight W] [--clean-interview-weight W] [--library] [-v]\n"
            "         MANIFEST\n"
            "  MANIFEST: one line per sentence, the path of 16 kHz mono s16le audio, a "
            "tab, the reference text\n");
        return 2;
    }
    const auto sentences = readManifest(arguments.first());
    const Recording recording = compose(sentences);

    Progress progress;
    const Recording* fed = &recording;
    auto platform = AudioCapturePlatform::system();
    std::shared_ptr<SpeechRecognizer> recognizer;
    platform.recognizer = [=](const QString& locale) mutable {
        if (!recognizer)
            recognizer = PocketSphinxRecognizer::create(locale, options);
        return recognizer;
    };
    platform.openInput = [&](AudioSource, AudioInput::SamplesHandler onSamples,
                             AudioInput::FailureHandler) -> std::unique_ptr<AudioInput> {
        return std::make_unique<RecordingInput>(*fed, pace, std::move(onSamples), progress);
    };
    AudioCapture capture(std::nullopt, platform);
    {
        // Loads the model outside the measured runs, as an earlier session of the app would.
        Recording warmUp;
        warmUp.samples.assign(rate, 0);
        warmUp.sentenceEnds = {warmUp.samples.size()};
        fed = &warmUp;
        decode(capture, warmUp, progress);
        fed = &recording;
    }

    std::vector<RunResult> results;
    for (int run = 0; run < runs; ++run)
        results.push_back(decode(capture, recording, progress));

    const RunResult& first = results.front();
    int errors = 0, referenceWords = 0, questions = 0, questionsWritten = 0, questionsFound = 0,
        statements = 0, statementsTaken = 0, split = 0, questionsMarked = 0, othersMarked = 0,
        askedCount = 0, othersCount = 0;
    QTextStream out(stdout);
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const QString& reference = sentences[i].reference;
        const QStringList& finals = first.finals[i];
        const QString hypothesis = finals.join(QLatin1Char(' '));
        split += finals.size() > 1 ? 1 : 0;
        const int sentenceErrors = editDistance(words(reference), words(hypothesis));
        errors += sentenceErrors;
        referenceWords += int(words(reference).size());
        // A question ends with "?", or is a request: the detector takes it from the written
        // sentence, or it opens with a request's verb.
        const bool asked = reference.trimmed().endsWith(QLatin1Char('?'));
        const bool written = TranscriptQuestionTracker::question(reference, true).has_value();
        const bool isQuestion = asked || written || startsWithRequest(reference);
        bool found = false;
        for (const auto& segment : finals)
            found = found || TranscriptQuestionTracker::question(segment, true).has_value();
        (isQuestion ? questions : statements) += 1;
        const bool marked = !finals.isEmpty() && finals.last().endsWith(QLatin1Char('?'));
        (asked ? questionsMarked : othersMarked) += marked ? 1 : 0;
        (asked ? askedCount : othersCount) += 1;
        // Questions the detector refuses even as written are beyond the recogniser's reach.
        if (isQuestion && written) {
            ++questionsWritten;
            questionsFound += found ? 1 : 0;
        }
        if (!isQuestion && found)
            ++statementsTaken;
        if (verbose) {
            const char* mark = !isQuestion ? (found ? "S!" : "S ")
                               : written   ? (found ? "Q+" : "Q-")
                                           : (found ? "q+" : "q-");
            out << mark << " " << sentenceErrors << "\t" << reference << "\t"
                << finals.join(QStringLiteral(" | ")) << "\n";
        }
    }
    bool stable = true;
    for (const auto& other : results)
        stable = stable && other.finals == first.finals;
    double cpu = 0;
    for (const auto& result : results)
        cpu += result.cpuSeconds;
    const double audioSeconds = double(recording.samples.size()) / rate * runs;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    out << label << ": WER " << QString::number(100.0 * errors / referenceWords, 'f', 1) << " % ("
        << errors << "/" << referenceWords << "), questions found " << questionsFound << "/"
        << questionsWritten << " (of those the detector takes as written; " << questions
        << " asked), statements taken " << statementsTaken << "/" << statements
        << ", \"?\" on questions " << questionsMarked << "/" << askedCount
        << " and on other sentences " << othersMarked << "/" << othersCount << ", sentences split "
        << split << ", RTF (CPU per audio second) " << QString::number(cpu / audioSeconds, 'f', 3)
        << " (pace " << pace << ")"
        << ", peak memory " << usage.ru_maxrss / 1024 << " MB";
    if (runs > 1)
        out << ", " << runs << " runs " << (stable ? "identical" : "DIFFER");
    out << "\n";
    return 0;
}
