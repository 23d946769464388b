#include "TestGrammar.h"
#include "listening/AudioCapture.h"
#include "listening/CaptureError.h"
#include "listening/TranscriptQuestionTracker.h"

#include "FakeCaptureStack.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace corvel;

// Under the address sanitizer: sphinxbase's JSGF parser, which only the test grammar uses, leaks
// a few of its own allocations; its frames are only seen with the slow unwinder.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:jsgf_parse_string\n";
}

namespace {

const QString question = QStringLiteral("Hello. Tell me about your last project.");

// A guard against hanging, not a measurement.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), 0)
        << program.toStdString() << " " << arguments.join(QLatin1Char(' ')).toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class AudioCaptureE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            << "needs the sound server that scripts/test starts";
        ASSERT_TRUE(directory.isValid());
        speech = directory.filePath(QStringLiteral("question.wav"));
        run(QStringLiteral("espeak-ng"), {QStringLiteral("-v"), QStringLiteral("en-us"),
                                          QStringLiteral("-w"), speech, question});
        capture.setOnTranscript([this](const QString& text, bool isFinal) {
            if (isFinal)
                finals.append(text);
        });
    }

    // Plays the question into a sink while the engine listens, until it was heard.
    void hearQuestionThrough(const QString& sink) {
        QProcess player;
        player.start(QStringLiteral("paplay"), {QStringLiteral("--device=") + sink, speech});
        bool heardAudio = false;
        const auto heard = [&] {
            heardAudio = heardAudio || capture.lastAudibleUptime().has_value();
            return finals.join(QLatin1Char(' '))
                .contains(QStringLiteral("tell me about your last project"));
        };
        EXPECT_TRUE(waitUntil(heard)) << finals.join(QStringLiteral(" | ")).toStdString();
        EXPECT_TRUE(heardAudio);
        EXPECT_TRUE(capture.isRunning());
        EXPECT_FALSE(capture.error());
        player.waitForFinished(30000);
    }

    QString startError(AudioSource source, const QString& locale) {
        try {
            test::finish(capture.start(source, locale));
        } catch (const CaptureError& error) {
            EXPECT_EQ(capture.error(), error.message());
            EXPECT_FALSE(capture.isRunning());
            return error.message();
        }
        ADD_FAILURE() << "the start succeeded";
        return {};
    }

    QTemporaryDir directory;
    QString speech;
    AudioCapture capture{std::nullopt, test::platformWithTestGrammar()};
    QStringList finals;
};

} // namespace

TEST_F(AudioCaptureE2ETest, CallAudioIsTranscribed) {
    test::finish(capture.start(AudioSource::system, QStringLiteral("en-US")));
    hearQuestionThrough(QStringLiteral("call_sink"));
}

TEST_F(AudioCaptureE2ETest, TheVirtualMicrophoneIsTranscribed) {
    test::finish(capture.start(AudioSource::microphone, QStringLiteral("en-US")));
    hearQuestionThrough(QStringLiteral("mic_sink"));
}

TEST_F(AudioCaptureE2ETest, ASpokenQuestionIsPickedOutWithTheApplicationsModels) {
    // A natural voice and the models the application decodes with.
    const QString text = directory.filePath(QStringLiteral("question.txt"));
    const QString spoken = directory.filePath(QStringLiteral("slt.wav"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("So, could you walk me through your last project?\n");
    file.close();
    run(QStringLiteral("text2wave"),
        {QStringLiteral("-eval"), QStringLiteral("(voice_cmu_us_slt_arctic_hts)"),
         QStringLiteral("-o"), spoken, text});
    AudioCapture application;
    QStringList heard;
    application.setOnTranscript([&](const QString& transcript, bool isFinal) {
        if (isFinal)
            heard.append(transcript);
    });
    test::finish(application.start(AudioSource::system, QStringLiteral("en-US")));
    QProcess player;
    player.start(QStringLiteral("paplay"), {QStringLiteral("--device=call_sink"), spoken});
    std::optional<QString> question;
    const auto picked = [&] {
        for (const auto& transcript : heard) {
            if (!question)
                question = TranscriptQuestionTracker::question(transcript, true);
        }
        return question.has_value();
    };
    EXPECT_TRUE(waitUntil(picked)) << heard.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(question && question->endsWith(QLatin1Char('?')));
    player.waitForFinished(30000);
}

TEST_F(AudioCaptureE2ETest, FrenchHasNoInstalledModel) {
    AudioCapture system; // the application's own recognisers
    try {
        test::finish(system.start(AudioSource::system, QStringLiteral("fr-FR")));
        ADD_FAILURE() << "French started";
    } catch (const CaptureError& error) {
        EXPECT_EQ(error.kind(), CaptureError::Kind::unsupportedLanguage);
    }
    EXPECT_EQ(
        system.error(),
        QStringLiteral("Speech recognition does not support this language on your computer."));
}

TEST_F(AudioCaptureE2ETest, AMissingSoundServerIsACaptureErrorWithItsReason) {
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:" + directory.filePath(QStringLiteral("no-server")).toUtf8());
    const QString callError = startError(AudioSource::system, QStringLiteral("en-US"));
    const QString microphoneError = startError(AudioSource::microphone, QStringLiteral("en-US"));
    qputenv("PULSE_SERVER", server);
    EXPECT_TRUE(callError.startsWith(QStringLiteral("Could not capture call audio. ")));
    EXPECT_TRUE(callError.endsWith(QStringLiteral("The sound server is not available (Connection "
                                                  "refused).")))
        << callError.toStdString();
    EXPECT_EQ(microphoneError,
              QStringLiteral("The sound server is not available (Connection refused)."));
}

TEST_F(AudioCaptureE2ETest, AMonitorAsDefaultInputIsNoMicrophone) {
    run(QStringLiteral("pactl"),
        {QStringLiteral("set-default-source"), QStringLiteral("call_sink.monitor")});
    const QString error = startError(AudioSource::microphone, QStringLiteral("en-US"));
    run(QStringLiteral("pactl"), {QStringLiteral("set-default-source"), QStringLiteral("virtmic")});
    EXPECT_EQ(error, CaptureError::noMicrophone().message());
}

TEST_F(AudioCaptureE2ETest, ARemovedOutputStopsCaptureInsteadOfMovingToTheMicrophone) {
    const QString module = run(QStringLiteral("pactl"),
                               {QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                                QStringLiteral("sink_name=removable_sink")});
    run(QStringLiteral("pactl"),
        {QStringLiteral("set-default-sink"), QStringLiteral("removable_sink")});
    test::finish(capture.start(AudioSource::system, QStringLiteral("en-US")));
    EXPECT_TRUE(capture.isRunning());
    run(QStringLiteral("pactl"), {QStringLiteral("unload-module"), module});
    run(QStringLiteral("pactl"), {QStringLiteral("set-default-sink"), QStringLiteral("call_sink")});

    EXPECT_TRUE(waitUntil([&] { return capture.error().has_value(); }));
    EXPECT_FALSE(capture.isRunning());
    EXPECT_TRUE(capture.error()->startsWith(QStringLiteral("Audio capture has stopped. ")))
        << capture.error()->toStdString();

    // Speech into the microphone afterwards reaches nothing.
    run(QStringLiteral("paplay"), {QStringLiteral("--device=mic_sink"), speech});
    QCoreApplication::processEvents();
    EXPECT_TRUE(finals.isEmpty());
}
