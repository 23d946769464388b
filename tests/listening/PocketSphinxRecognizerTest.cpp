#include "TestGrammar.h"
#include "listening/AudioCapture.h"
#include "support/Files.h"
#include "support/ManualClock.h"

#include "FakeCaptureStack.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>

using namespace corvel;
using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t second = SpeechRecognitionTask::sampleRate;

std::vector<qint16> spoken(const QString& text) {
    QTemporaryDir directory;
    const QString wave = directory.filePath(u"s.wav"_s);
    const QString raw = directory.filePath(u"s.raw"_s);
    EXPECT_EQ(QProcess::execute(u"espeak-ng"_s, {u"-v"_s, u"en-us"_s, u"-w"_s, wave, text}), 0);
    EXPECT_EQ(QProcess::execute(u"sox"_s, {wave, u"-r"_s, u"16000"_s, u"-c"_s, u"1"_s, u"-b"_s,
                                           u"16"_s, u"-e"_s, u"signed-integer"_s, raw}),
              0);
    QFile file(raw);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    std::vector<qint16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
    return samples;
}

// Final results in order, across the tasks of one test.
class Finals {
public:
    SpeechRecognizer::ResultHandler handler() {
        return [this](const SpeechRecognitionResult& result) {
            if (!result.isFinal)
                return;
            std::lock_guard lock(m_mutex);
            m_texts.push_back(result.text.value_or(QString()));
            m_changed.notify_all();
        };
    }
    std::size_t count() {
        std::lock_guard lock(m_mutex);
        return m_texts.size();
    }
    // A guard against hanging, not a measurement.
    std::vector<QString> waitFor(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(30), [&] { return m_texts.size() >= count; });
        return m_texts;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<QString> m_texts;
};

// A guard against hanging, not a measurement.
bool waitUntil(const std::function<bool()>& done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

class PocketSphinxRecognizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        recognizer = test::platformWithTestGrammar().recognizer(u"en-US"_s);
        ASSERT_TRUE(recognizer);
        // Two questions and their pauses, the second spoken soon after the first.
        for (const auto* text : {"Tell me about your last project.", "Why do you want this job?"}) {
            const auto speech = spoken(QString::fromLatin1(text));
            audio.insert(audio.end(), speech.begin(), speech.end());
            audio.resize(audio.size() + second, 0);
        }
    }

    // Sends the whole recording at once in fragments of `size`. Each final hands over to a new
    // task, requested when the result is seen, so the task that gave it has received more audio
    // meanwhile, as with the capture engine's rotation.
    std::vector<QString> recognizeHandingOver(std::size_t size) {
        Finals finals;
        auto task = recognizer->recognize(true, finals.handler());
        std::size_t handedOver = 0;
        const auto handOver = [&] {
            ++handedOver;
            auto next = recognizer->recognize(true, finals.handler());
            task->cancel();
            task->endAudio();
            task = next;
        };
        for (std::size_t offset = 0; offset < audio.size(); offset += size) {
            task->append(audio.data() + offset, std::min(size, audio.size() - offset));
            if (finals.count() > handedOver)
                handOver();
        }
        while (handedOver < 2 && finals.waitFor(handedOver + 1).size() > handedOver)
            handOver();
        task->cancel();
        task->endAudio();
        return finals.waitFor(2);
    }

    std::shared_ptr<SpeechRecognizer> recognizer;
    std::vector<qint16> audio;
};

} // namespace

TEST_F(PocketSphinxRecognizerTest, AudioAfterAFinalResultGoesToTheNextTask) {
    // Everything arrives at once: the second question reaches the first task after its pause.
    const auto texts = recognizeHandingOver(audio.size());
    EXPECT_EQ(texts, (std::vector<QString>{u"Tell me about your last project."_s,
                                           u"Why do you want this job?"_s}));
}

TEST_F(PocketSphinxRecognizerTest, FragmentSizesDoNotChangeTheWords) {
    const auto reference = recognizeHandingOver(1600);
    ASSERT_EQ(reference.size(), 2u);
    EXPECT_EQ(recognizeHandingOver(441), reference);
    EXPECT_EQ(recognizeHandingOver(16000), reference);
}

TEST_F(PocketSphinxRecognizerTest, AFreshTaskHearsNothingOfAnEndedOne) {
    Finals finals;
    auto first = recognizer->recognize(true, finals.handler());
    first->append(audio.data(), audio.size());
    first->endAudio();
    ASSERT_EQ(finals.waitFor(1).size(), 1u);
    first->cancel();

    // The rest of the first recording was dropped with it.
    auto quiet = recognizer->recognize(true, finals.handler());
    const std::vector<qint16> silence(second, 0);
    quiet->append(silence.data(), silence.size());
    quiet->endAudio();
    auto next = recognizer->recognize(true, finals.handler());
    const auto speech = spoken(u"What is your greatest strength?"_s);
    next->append(speech.data(), speech.size());
    next->append(silence.data(), silence.size());
    const auto texts = finals.waitFor(2);
    next->cancel();
    EXPECT_EQ(texts, (std::vector<QString>{u"Tell me about your last project."_s,
                                           u"What is your greatest strength?"_s}));
}

namespace {

// A capture engine hearing through a copy of the installed model, which the tests damage and
// repair. The general language model, which the test grammar does not use, is linked.
class DamagedModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QDir installed(QStringLiteral(CORVEL_POCKETSPHINX_MODELDIR "/en-us"));
        ASSERT_TRUE(QDir(directory.path()).mkpath(u"en-us/en-us"_s));
        const QDir acoustic(installed.filePath(u"en-us"_s));
        for (const QString& name : acoustic.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(acoustic.filePath(name), hmm(name)));
        ASSERT_TRUE(QFile::copy(installed.filePath(u"cmudict-en-us.dict"_s),
                                directory.filePath(u"en-us/cmudict-en-us.dict"_s)));
        ASSERT_TRUE(QFile::link(installed.filePath(u"en-us.lm.bin"_s),
                                directory.filePath(u"en-us/en-us.lm.bin"_s)));
        useModel(test::testGrammar());
        capture.setOnTranscript([this](const QString& text, bool isFinal) {
            if (isFinal)
                finals.append(text);
        });
    }

    void useModel(const QByteArray& grammar) {
        PocketSphinxRecognizer::Options options;
        options.modelDirectory = directory.path();
        options.grammar = grammar;
        options.interviewModelDirectory = directory.filePath(u"no-interview-model"_s);
        recognizer = PocketSphinxRecognizer::create(u"en-US"_s, options);
        ASSERT_TRUE(recognizer);
    }
    QString hmm(const QString& name) const { return directory.filePath(u"en-us/en-us/"_s + name); }
    AudioCapturePlatform platform() {
        auto platform = stack.platform();
        platform.recognizer = [this](const QString&) { return recognizer; };
        return platform;
    }
    // The failure to load comes from the recogniser's thread, usually once the start is through.
    QString errorAfterStart() {
        try {
            test::finish(capture.start(AudioSource::system, u"en-US"_s));
        } catch (const CancellationError&) {
        }
        EXPECT_TRUE(waitUntil([&] { return capture.error().has_value(); }));
        EXPECT_FALSE(capture.isRunning());
        return capture.error().value_or(QString());
    }
    QString startError() {
        try {
            test::finish(capture.start(AudioSource::system, u"en-US"_s));
        } catch (const CaptureError& error) {
            return error.message();
        }
        return {};
    }

    // The final results once `text` and a pause were heard.
    QStringList heard(const QString& text) {
        auto speech = spoken(text);
        speech.resize(speech.size() + second, 0);
        stack.input().samples(speech.data(), speech.size());
        waitUntil([&] { return !finals.isEmpty() || capture.error(); });
        return finals;
    }

    QTemporaryDir directory;
    std::shared_ptr<SpeechRecognizer> recognizer;
    test::ManualClock clock;
    test::FakeCaptureStack stack;
    AudioCapture capture{std::nullopt, platform(), clock};
    QStringList finals;
    const QString notLoaded =
        CaptureError::transcriptionUnavailable(u"The speech model could not be loaded."_s);
};

} // namespace

TEST_F(DamagedModelTest, AModelThatFailedToLoadLoadsAtTheNextStartOnceRepaired) {
    const QByteArray means = test::readFile(hmm(u"means"_s));
    ASSERT_TRUE(QFile::remove(hmm(u"means"_s)));
    EXPECT_EQ(errorAfterStart(), notLoaded);
    EXPECT_EQ(startError(), CaptureError::speechUnavailable().message())
        << "the same files are not loaded again";

    test::writeFile(hmm(u"means"_s), means);
    EXPECT_EQ(startError(), QString());
    ASSERT_TRUE(capture.isRunning());
    auto speech = spoken(u"Tell me about your last project."_s);
    speech.resize(speech.size() + second, 0);
    stack.input().samples(speech.data(), speech.size());
    EXPECT_TRUE(waitUntil([&] { return !finals.isEmpty(); }));
    EXPECT_EQ(finals, QStringList{u"Tell me about your last project."_s});
    EXPECT_TRUE(capture.isRunning());
    capture.stop();
}

TEST_F(DamagedModelTest, AMalformedModelFileStopsListeningWithAMessageAndTheProgramGoesOn) {
    // Each of these ends the program inside the library.
    const std::pair<QString, std::function<QByteArray(QByteArray)>> damages[] = {
        {u"transition_matrices"_s, [](const QByteArray& bytes) { return bytes.left(100); }},
        {u"mdef"_s, [](const QByteArray&) { return QByteArray(); }},
        {u"means"_s,
         [](QByteArray bytes) {
             for (int i = 200; i < 1200; ++i)
                 bytes[i] = char(i * 37);
             return bytes;
         }},
    };
    for (const auto& [name, damage] : damages) {
        const QByteArray intact = test::readFile(hmm(name));
        test::writeFile(hmm(name), damage(intact));
        EXPECT_EQ(errorAfterStart(), notLoaded) << name.toStdString();
        EXPECT_EQ(startError(), CaptureError::speechUnavailable().message());
        test::writeFile(hmm(name), intact);
    }
    EXPECT_EQ(startError(), QString());
    EXPECT_TRUE(capture.isRunning()) << "repaired";
    capture.stop();
}

TEST_F(DamagedModelTest, OnlyTheFilesTheLibraryOpensAreChecked) {
    // The library opens a feature transform whenever there is one, and this one has no sum.
    test::writeFile(hmm(u"feature_transform"_s), QByteArray(4096, '\x11'));
    EXPECT_EQ(errorAfterStart(), notLoaded);
    ASSERT_TRUE(QFile::remove(hmm(u"feature_transform"_s)));

    // A desktop's folder settings, notes and an edited README are never opened.
    test::writeFile(hmm(u".directory"_s), "[Desktop Entry]\nIcon=folder-sound\n");
    test::writeFile(hmm(u"notes.txt"_s), "copied from the package\n");
    test::writeFile(hmm(u"README"_s), test::readFile(hmm(u"README"_s)) + "Edited.\n");
    EXPECT_EQ(startError(), QString());
    // The model loads once audio comes: hearing a question shows it did.
    EXPECT_EQ(heard(u"Tell me about your last project."_s),
              QStringList{u"Tell me about your last project."_s});
    EXPECT_TRUE(capture.isRunning());
    capture.stop();
}

TEST_F(DamagedModelTest, AChangedLanguageModelIsRefused) {
    useModel({});
    const QString languageModel = directory.filePath(u"en-us/en-us.lm.bin"_s);
    QByteArray bytes = test::readFile(languageModel);
    ASSERT_TRUE(QFile::remove(languageModel));
    // The library loads this one, and would decode with whatever it read.
    for (int i = 2000; i < 102000; ++i)
        bytes[i] = char(i * 37);
    test::writeFile(languageModel, bytes);
    EXPECT_EQ(errorAfterStart(), notLoaded);
}
