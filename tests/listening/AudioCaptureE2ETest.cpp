#include "TestGrammar.h"
#include "listening/AudioCapture.h"
#include "listening/CaptureError.h"
#include "listening/TranscriptQuestionTracker.h"
#include "platform/PulseRecordStream.h"

#include "FakeCaptureStack.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <utility>

using namespace corvel;
using namespace Qt::StringLiterals;

// Under the address sanitizer: sphinxbase's JSGF parser, which only the test grammar uses, leaks
// a few of its own allocations; its frames are only seen with the slow unwinder.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:jsgf_parse_string\n";
}

namespace {

const QString question = u"Hello. Tell me about your last project."_s;

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

QString run(const QString& program, const QStringList& arguments, bool mustSucceed = true) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    if (mustSucceed) {
        EXPECT_EQ(process.exitCode(), 0)
            << program.toStdString() << " " << arguments.join(u' ').toStdString();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString pactl(const QStringList& arguments) {
    return run(u"pactl"_s, arguments);
}

// The names of the sources that clients' record streams read (not the server's own modules).
QStringList recordedSources() {
    QMap<QString, QString> names;
    for (const auto& line : pactl({u"list"_s, u"short"_s, u"sources"_s}).split(u'\n'))
        names.insert(line.section(u'\t', 0, 0), line.section(u'\t', 1, 1));
    QStringList recorded;
    for (const auto& line : pactl({u"list"_s, u"short"_s, u"source-outputs"_s}).split(u'\n')) {
        const QStringList fields = line.split(u'\t');
        if (fields.size() > 2 && fields[2] != u"-"_s)
            recorded.append(names.value(fields[1], fields[1]));
    }
    return recorded;
}

bool recordsFrom(const QString& source) {
    return waitUntil([&] { return recordedSources() == QStringList{source}; });
}

// Devices a test adds to the shared sound server; its end takes them away and gives the server
// back the defaults scripts/test set, so the next test finds it as it expects.
class DeviceChanges {
public:
    DeviceChanges() = default;
    Q_DISABLE_COPY_MOVE(DeviceChanges)
    ~DeviceChanges() {
        for (const auto& module : m_modules)
            run(u"pactl"_s, {u"unload-module"_s, module}, false);
        pactl({u"set-default-sink"_s, u"call_sink"_s});
        pactl({u"set-default-source"_s, u"virtmic"_s});
    }
    QString load(const QString& module, const QString& argument) {
        m_modules.prepend(pactl({u"load-module"_s, module, argument}));
        return m_modules.first();
    }

private:
    QStringList m_modules;
};

class AudioCaptureE2ETest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("PULSE_SERVER"))
            << "needs the sound server that scripts/test starts";
        ASSERT_TRUE(directory.isValid());
        speech = directory.filePath(u"question.wav"_s);
        run(u"espeak-ng"_s, {u"-v"_s, u"en-us"_s, u"-w"_s, speech, question});
        capture.setOnTranscript([this](const QString& text, bool isFinal) {
            if (isFinal)
                finals.append(text);
        });
    }

    // Plays the question into a sink while the engine listens, until it was heard.
    void hearQuestionThrough(const QString& sink) {
        QProcess player;
        player.start(u"paplay"_s, {u"--device="_s + sink, speech});
        bool heardAudio = false;
        const auto heard = [&] {
            heardAudio = heardAudio || capture.lastAudibleUptime().has_value();
            return finals.join(u' ').contains(u"tell me about your last project"_s);
        };
        EXPECT_TRUE(waitUntil(heard)) << finals.join(u" | "_s).toStdString();
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
    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    hearQuestionThrough(u"call_sink"_s);
}

TEST_F(AudioCaptureE2ETest, TheVirtualMicrophoneIsTranscribed) {
    test::finish(capture.start(AudioSource::microphone, u"en-US"_s));
    hearQuestionThrough(u"mic_sink"_s);
}

// Speaks `sentence` with a Festival voice into the call output while an engine with the
// application's own models listens, and returns its final results once the speech has ended and
// the engine has had time to finish.
static QStringList heardByTheApplication(const QString& voice, const QByteArray& sentence) {
    QTemporaryDir directory;
    const QString text = directory.filePath(u"sentence.txt"_s);
    const QString spoken = directory.filePath(u"sentence.wav"_s);
    QFile file(text);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sentence + '\n');
    file.close();
    run(u"text2wave"_s, {u"-eval"_s, u"("_s + voice + u")"_s, u"-o"_s, spoken, text});
    AudioCapture application;
    QStringList heard;
    application.setOnTranscript([&](const QString& transcript, bool isFinal) {
        if (isFinal)
            heard.append(transcript);
    });
    test::finish(application.start(AudioSource::system, u"en-US"_s));
    QProcess player;
    player.start(u"paplay"_s, {u"--device=call_sink"_s, spoken});
    EXPECT_TRUE(waitUntil([&] { return player.state() == QProcess::NotRunning; }));
    // Well past the end of speech: a second final result would have come by then.
    waitUntil([] { return false; }, 1500);
    EXPECT_TRUE(waitUntil([&] { return !heard.isEmpty(); }));
    application.stop();
    return heard;
}

TEST_F(AudioCaptureE2ETest, ASpokenQuestionIsPickedOutWithTheApplicationsModels) {
    // A natural voice and the models the application decodes with.
    const QStringList heard = heardByTheApplication(u"voice_cmu_us_slt_arctic_hts"_s,
                                                    "So, could you walk me through your last "
                                                    "project?");
    std::optional<QString> question;
    for (const auto& transcript : heard) {
        if (!question)
            question = TranscriptQuestionTracker::question(transcript, true);
    }
    EXPECT_TRUE(question && question->endsWith(u'?')) << heard.join(u" | "_s).toStdString();
}

TEST_F(AudioCaptureE2ETest, APauseAtACommaDoesNotSplitAQuestion) {
    // The diphone voice pauses longest at its commas.
    const QStringList heard = heardByTheApplication(
        u"voice_kal_diphone"_s, "Okay, one last thing, when could you join us?");
    // One result, whose last sentence is the question.
    ASSERT_EQ(heard.size(), 1) << heard.join(u" | "_s).toStdString();
    EXPECT_TRUE(heard.first().endsWith(u"when could you join us?"_s, Qt::CaseInsensitive))
        << heard.first().toStdString();
}

TEST_F(AudioCaptureE2ETest, FrenchHasNoInstalledModel) {
    AudioCapture system; // the application's own recognisers
    try {
        test::finish(system.start(AudioSource::system, u"fr-FR"_s));
        ADD_FAILURE() << "French started";
    } catch (const CaptureError& error) {
        EXPECT_EQ(error.kind(), CaptureError::Kind::unsupportedLanguage);
    }
    EXPECT_EQ(system.error(),
              u"Speech recognition does not support this language on your computer."_s);
}

TEST_F(AudioCaptureE2ETest, AMissingSoundServerIsACaptureErrorWithItsReason) {
    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:" + directory.filePath(u"no-server"_s).toUtf8());
    const QString callError = startError(AudioSource::system, u"en-US"_s);
    const QString microphoneError = startError(AudioSource::microphone, u"en-US"_s);
    qputenv("PULSE_SERVER", server);
    EXPECT_EQ(callError, u"Could not capture call audio. Check that the sound server is running "
                         "and your speakers or headphones are selected. The sound server is not "
                         "available (Connection refused)."_s);
    EXPECT_EQ(microphoneError, u"The sound server is not available (Connection refused)."_s);
}

TEST_F(AudioCaptureE2ETest, AMonitorAsDefaultInputIsNoMicrophone) {
    run(u"pactl"_s, {u"set-default-source"_s, u"call_sink.monitor"_s});
    const QString error = startError(AudioSource::microphone, u"en-US"_s);
    run(u"pactl"_s, {u"set-default-source"_s, u"virtmic"_s});
    EXPECT_EQ(error, CaptureError::noMicrophone().message());
}

TEST_F(AudioCaptureE2ETest, CallAudioFollowsTheDefaultOutput) {
    DeviceChanges devices;
    devices.load(u"module-null-sink"_s, u"sink_name=headset_sink"_s);
    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    EXPECT_TRUE(recordsFrom(u"call_sink.monitor"_s));

    // A headset plugged in during the call becomes the default output.
    pactl({u"set-default-sink"_s, u"headset_sink"_s});
    EXPECT_TRUE(recordsFrom(u"headset_sink.monitor"_s))
        << recordedSources().join(u' ').toStdString();
    hearQuestionThrough(u"headset_sink"_s);
}

TEST_F(AudioCaptureE2ETest, TheDefaultOutputChangedDuringStartUpIsFollowed) {
    using Device = PulseRecordStream::Device;
    DeviceChanges devices;
    devices.load(u"module-null-sink"_s, u"sink_name=headset_sink"_s);
    devices.load(u"module-null-source"_s, u"source_name=headset_mic"_s);
    const struct {
        Device device;
        QStringList change;
        QString recorded;
    } rows[] = {
        {Device::defaultSinkMonitor,
         {u"set-default-sink"_s, u"headset_sink"_s},
         u"headset_sink.monitor"_s},
        // The microphone keeps the input it started with, and a change before it was ready is
        // no failure.
        {Device::defaultSource, {u"set-default-source"_s, u"headset_mic"_s}, u"virtmic"_s},
    };
    for (const auto& row : rows) {
        pactl({u"set-default-sink"_s, u"call_sink"_s});
        pactl({u"set-default-source"_s, u"virtmic"_s});
        std::atomic<int> fragments = 0;
        std::atomic<bool> failed = false;
        bool changed = false; // on the stream's thread only
        // The change is made before the record request goes out, so the server's event for it
        // always arrives before the stream is ready.
        PulseRecordStream stream(
            row.device,
            {{},
             [&](const qint16*, std::size_t) { ++fragments; },
             [&](PulseRecordStream::Failure, const QString&) { failed = true; }},
            [&](const QByteArray&) {
                if (!std::exchange(changed, true))
                    pactl(row.change);
            });
        stream.start();
        EXPECT_TRUE(recordsFrom(row.recorded)) << recordedSources().join(u' ').toStdString();
        // Audio keeps coming well after the stream became ready.
        EXPECT_TRUE(waitUntil([&] { return fragments >= 10; }));
        EXPECT_FALSE(failed) << row.recorded.toStdString();
        stream.stop();
    }
}

TEST_F(AudioCaptureE2ETest, ARemovedOutputHandsCaptureToTheNextOutputNeverToTheMicrophone) {
    DeviceChanges devices;
    const QString module = devices.load(u"module-null-sink"_s, u"sink_name=removable_sink"_s);
    pactl({u"set-default-sink"_s, u"removable_sink"_s});
    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    EXPECT_TRUE(recordsFrom(u"removable_sink.monitor"_s));
    pactl({u"unload-module"_s, module});
    pactl({u"set-default-sink"_s, u"call_sink"_s});

    EXPECT_TRUE(recordsFrom(u"call_sink.monitor"_s)) << recordedSources().join(u' ').toStdString();
    EXPECT_TRUE(capture.isRunning());
    EXPECT_FALSE(capture.error());
    // Speech into the microphone reaches nothing; speech the computer plays does.
    run(u"paplay"_s, {u"--device=mic_sink"_s, speech});
    waitUntil([] { return false; }, 500);
    EXPECT_FALSE(capture.lastAudibleUptime());
    hearQuestionThrough(u"call_sink"_s);
}

TEST_F(AudioCaptureE2ETest, CallAudioStopsWhenNoOutputIsLeftAndNeverRecordsTheMicrophone) {
    // A server of its own, with one output that can be taken away and a microphone.
    const QByteArray sharedServer = qgetenv("PULSE_SERVER");
    const QString socket = directory.filePath(u"native"_s);
    QDir(directory.path()).mkpath(u"xdg"_s);
    QFile::setPermissions(directory.filePath(u"xdg"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess daemon;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"HOME"_s, directory.path());
    environment.insert(u"XDG_RUNTIME_DIR"_s, directory.filePath(u"xdg"_s));
    // Off the session bus, where the shared server holds the sound server's name.
    environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s);
    environment.remove(u"DISPLAY"_s);
    daemon.setProcessEnvironment(environment);
    daemon.start(u"pulseaudio"_s,
                 {u"--daemonize=no"_s, u"--exit-idle-time=-1"_s, u"-n"_s,
                  u"--load=module-native-protocol-unix auth-anonymous=1 socket="_s + socket,
                  u"--load=module-null-sink sink_name=only_sink"_s,
                  u"--load=module-null-source source_name=only_microphone"_s});
    qputenv("PULSE_SERVER", "unix:" + socket.toUtf8());
    const auto restore = qScopeGuard([&] {
        qputenv("PULSE_SERVER", sharedServer);
        daemon.terminate();
        daemon.waitForFinished(10000);
    });
    ASSERT_TRUE(waitUntil([] { return !run(u"pactl"_s, {u"info"_s}, false).isEmpty(); }));

    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    EXPECT_TRUE(recordsFrom(u"only_sink.monitor"_s));
    pactl({u"unload-module"_s, u"module-null-sink"_s});
    EXPECT_TRUE(waitUntil([&] { return capture.error().has_value(); }));
    EXPECT_FALSE(capture.isRunning());
    EXPECT_TRUE(capture.error()->startsWith(u"Audio capture has stopped. "_s))
        << capture.error()->toStdString();
    EXPECT_TRUE(recordedSources().isEmpty()) << recordedSources().join(u' ').toStdString();
}

TEST_F(AudioCaptureE2ETest, AChangedOrRemovedMicrophoneStopsWithItsMessage) {
    const QString changed =
        u"The audio input has changed. Check your microphone, then restart listening."_s;
    DeviceChanges devices;
    const QString module = devices.load(u"module-null-source"_s, u"source_name=headset_mic"_s);
    // Another input becomes the default, then the input in use goes away.
    const std::pair<QString, QStringList> changes[] = {
        {u"virtmic"_s, {u"set-default-source"_s, u"headset_mic"_s}},
        {u"headset_mic"_s, {u"unload-module"_s, module}},
    };
    for (const auto& [source, change] : changes) {
        test::finish(capture.start(AudioSource::microphone, u"en-US"_s));
        EXPECT_TRUE(recordsFrom(source));
        pactl(change);
        EXPECT_TRUE(waitUntil([&] { return capture.error().has_value(); }));
        EXPECT_EQ(capture.error(), changed) << source.toStdString();
        EXPECT_FALSE(capture.isRunning());
    }
    EXPECT_TRUE(recordedSources().isEmpty()) << recordedSources().join(u' ').toStdString();
}
