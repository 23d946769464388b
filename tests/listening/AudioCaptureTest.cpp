#include "listening/AudioCapture.h"
#include "listening/AudioBufferRelay.h"
#include "support/ManualClock.h"

#include "FakeCaptureStack.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace corvel;
using namespace Qt::StringLiterals;
using corvel::test::settle;

namespace {

struct Delivery {
    QString text;
    bool isFinal;
    bool operator==(const Delivery&) const = default;
};

class AudioCaptureTest : public ::testing::Test {
protected:
    AudioCaptureTest() : capture(std::nullopt, stack.platform(), clock) {
        capture.setOnTranscript([this](const QString& text, bool isFinal) {
            delivered.push_back({text, isFinal});
        });
        capture.setOnSegmentStart([this] { ++segmentStarts; });
    }

    void startRunning(AudioSource source = AudioSource::system) {
        test::finish(capture.start(source, u"en-US"_s));
        ASSERT_TRUE(capture.isRunning());
    }
    test::FakeRecognitionTask& task() { return stack.recognizer->current(); }
    // A recogniser failure, then `pause` seconds.
    void failThenWait(double pause, const QString& domain = u"x"_s, int code = 1) {
        task().fail(domain, code);
        clock.advance(pause);
    }
    std::size_t taskCount() const { return stack.recognizer->tasks.size(); }
    void sendSamples(qint16 value, std::size_t count = 1600) {
        const std::vector<qint16> samples(count, value);
        stack.input().samples(samples.data(), samples.size());
        settle();
    }

    test::ManualClock clock;
    test::FakeCaptureStack stack;
    AudioCapture capture;
    std::vector<Delivery> delivered;
    int segmentStarts = 0;
};

QString message(QCoro::Task<> task) {
    try {
        test::finish(std::move(task));
    } catch (const CaptureError& error) {
        return error.message();
    }
    return {};
}

} // namespace

TEST_F(AudioCaptureTest, StartRunsCaptureAndRecognitionAndStopUndoesEverythingButTheError) {
    QSignalSpy errors(&capture, &AudioCapture::errorChanged);
    startRunning(AudioSource::microphone);
    EXPECT_EQ(capture.source(), AudioSource::microphone);
    EXPECT_EQ(stack.sources, std::vector{AudioSource::microphone});
    EXPECT_EQ(stack.locales, std::vector{u"en-US"_s});
    EXPECT_EQ(segmentStarts, 1);
    EXPECT_TRUE(task().requiresOnDevice);
    EXPECT_EQ(errors.count(), 1) << "start clears the error";

    sendSamples(100);
    EXPECT_EQ(task().audio.size(), 1600u) << "samples reach the current request";
    task().result(u"tell me"_s);
    EXPECT_EQ(capture.transcript(), u"tell me"_s);
    EXPECT_EQ(delivered, (std::vector<Delivery>{{u"tell me"_s, false}}));

    stack.input().failure(CaptureError::platform(u"The device went away."_s));
    EXPECT_EQ(capture.error(), u"Audio capture has stopped. The device went away."_s);
    EXPECT_FALSE(capture.isRunning());
    EXPECT_FALSE(capture.source());
    EXPECT_TRUE(capture.transcript().isEmpty());
    EXPECT_TRUE(task().cancelled);
    EXPECT_TRUE(task().ended);

    capture.stop();
    capture.stop();
    EXPECT_EQ(capture.error(), u"Audio capture has stopped. The device went away."_s);
    EXPECT_EQ(errors.count(), 2);

    // A changed microphone is its own message, not a stopped capture.
    startRunning(AudioSource::microphone);
    stack.input().failure(CaptureError::inputChanged());
    EXPECT_EQ(capture.error(),
              u"The audio input has changed. Check your microphone, then restart listening."_s);
    EXPECT_FALSE(capture.isRunning());
    EXPECT_TRUE(stack.input().stopped);
}

TEST_F(AudioCaptureTest, LevelsMeterTheSamplesAndMarkAudibleSound) {
    startRunning();
    sendSamples(0);
    EXPECT_EQ(capture.level(), 0.0);
    EXPECT_FALSE(capture.lastAudibleUptime());
    clock.advance(0.1);
    sendSamples(-32768);
    EXPECT_EQ(capture.level(), 1.0);
    EXPECT_EQ(capture.lastAudibleUptime(), clock.now());
    // The meter reads at most every 0.08 s; the recogniser still hears every sample.
    sendSamples(0);
    EXPECT_EQ(capture.level(), 1.0);
    EXPECT_EQ(task().audio.size(), 4800u);

    EXPECT_EQ(AudioBufferRelay::meterLevel(0, 0), 0.0);
    EXPECT_EQ(AudioBufferRelay::meterLevel(0.000001 * 100, 100), 0.0) << "-60 dB reads 0";
    EXPECT_NEAR(AudioBufferRelay::meterLevel(0.01 * 10, 10), 2.0 / 3.0, 1e-9) << "-20 dB";

    capture.stop();
    EXPECT_EQ(capture.level(), 0.0);
    EXPECT_FALSE(capture.lastAudibleUptime());
}

TEST_F(AudioCaptureTest, SupersededStartsEndAsCancellationsAndPublishNothing) {
    stack.startsAtOnce = false;
    QSignalSpy errors(&capture, &AudioCapture::errorChanged);
    auto first = capture.start(AudioSource::system, u"en-US"_s);
    auto firstInput = stack.inputs.back();
    auto second = capture.start(AudioSource::microphone, u"en-US"_s);
    EXPECT_TRUE(firstInput->stopped);
    EXPECT_THROW(test::finish(std::move(first)), CancellationError);
    EXPECT_EQ(capture.source(), AudioSource::microphone);

    capture.stop();
    EXPECT_THROW(test::finish(std::move(second)), CancellationError);

    CancelSource caller;
    auto third = capture.start(AudioSource::system, u"en-US"_s, caller.token());
    caller.cancel();
    EXPECT_THROW(test::finish(std::move(third)), CancellationError);
    EXPECT_FALSE(capture.isRunning());
    EXPECT_FALSE(capture.source());
    EXPECT_TRUE(stack.input().stopped);
    EXPECT_FALSE(capture.error());
    EXPECT_EQ(errors.count(), 3) << "only the starts' clearing of the error";
}

TEST_F(AudioCaptureTest, StartFailuresArePublishedAndRethrown) {
    EXPECT_EQ(message(capture.start(AudioSource::system, u"fr-FR"_s)),
              u"Speech recognition does not support this language on your computer."_s);
    EXPECT_EQ(capture.error(), CaptureError::unsupportedLanguage().message());
    EXPECT_TRUE(stack.inputs.empty()) << "no capture without a recogniser";

    stack.recognizer->available = false;
    EXPECT_EQ(message(capture.start(AudioSource::system, u"en-US"_s)),
              CaptureError::speechUnavailable().message());
    stack.recognizer->available = true;

    stack.nextStartFailure = CaptureError::noMicrophone();
    EXPECT_EQ(message(capture.start(AudioSource::microphone, u"en-US"_s)),
              CaptureError::noMicrophone().message());
    EXPECT_EQ(capture.error(), CaptureError::noMicrophone().message());
    EXPECT_FALSE(capture.isRunning());
    EXPECT_TRUE(stack.input().stopped);
    EXPECT_TRUE(task().cancelled);
}

TEST_F(AudioCaptureTest, CallbacksOfAnEarlierSessionChangeNothing) {
    startRunning();
    auto& oldTask = task();
    auto oldSamples = stack.input().samples;
    auto oldFailure = stack.input().failure;
    startRunning(AudioSource::microphone);
    delivered.clear();

    oldTask.result(u"stale words"_s, true);
    oldFailure(CaptureError::platform(u"stale failure"_s));
    oldFailure(CaptureError::inputChanged());
    clock.advance(1);
    const std::vector<qint16> loud(1600, 30000);
    oldSamples(loud.data(), loud.size());
    settle();
    EXPECT_TRUE(capture.isRunning());
    EXPECT_FALSE(capture.error());
    EXPECT_TRUE(capture.transcript().isEmpty());
    EXPECT_TRUE(delivered.empty());
    EXPECT_EQ(capture.level(), 0.0);
    EXPECT_TRUE(task().audio.empty());

    auto& current = task();
    capture.stop();
    current.result(u"after stop"_s);
    EXPECT_TRUE(delivered.empty());
    EXPECT_TRUE(capture.transcript().isEmpty());
}

TEST_F(AudioCaptureTest, ResultsArePublishedOnceAndFinalsStartTheNextSegment) {
    startRunning();
    task().result(u"  "_s);
    task().result(u"tell me"_s);
    task().result(u"tell me"_s);
    EXPECT_EQ(taskCount(), 1u);
    task().result(u"tell me"_s, true);
    EXPECT_EQ(delivered, (std::vector<Delivery>{{u"tell me"_s, false}, {u"tell me"_s, true}}));
    ASSERT_EQ(taskCount(), 2u) << "a final starts the next segment at once";
    EXPECT_EQ(segmentStarts, 2);
    EXPECT_TRUE(stack.recognizer->tasks[0]->cancelled);
    EXPECT_EQ(capture.transcript(), u"tell me"_s);

    // A segment that ended with its final is not delivered again at renewal.
    clock.advance(AudioCapture::renewalSeconds);
    EXPECT_EQ(delivered.size(), 2u);
    EXPECT_EQ(taskCount(), 3u);
}

TEST_F(AudioCaptureTest, OnlyImmediateRotationsHandTheRequestOverWhileItStillTakesAudio) {
    startRunning();
    task().result(u"tell me"_s, true);
    ASSERT_EQ(taskCount(), 2u);
    EXPECT_TRUE(stack.recognizer->previousStillOpen.back()) << "a final hands over";
    EXPECT_TRUE(stack.recognizer->tasks[0]->ended) << "once the next request is in place";
    sendSamples(100);
    EXPECT_TRUE(stack.recognizer->tasks[0]->audio.empty());
    EXPECT_EQ(task().audio.size(), 1600u);

    // A retry after a failure starts afresh.
    task().fail(u"x"_s, 1);
    EXPECT_TRUE(task().ended);
    clock.advance(0.8);
    ASSERT_EQ(taskCount(), 3u);
    EXPECT_FALSE(stack.recognizer->previousStillOpen.back());
}

TEST_F(AudioCaptureTest, RenewalDeliversThePendingTextOnceAsFinal) {
    startRunning();
    clock.advance(20);
    task().result(u"about your last"_s);
    clock.advance(AudioCapture::renewalSeconds - 20 - 0.01);
    EXPECT_EQ(taskCount(), 1u);
    clock.advance(0.01);
    EXPECT_EQ(delivered,
              (std::vector<Delivery>{{u"about your last"_s, false}, {u"about your last"_s, true}}));
    ASSERT_EQ(taskCount(), 2u);
    EXPECT_TRUE(stack.recognizer->tasks[0]->ended);
    EXPECT_EQ(capture.transcript(), u"about your last"_s)
        << "unchanged until the new segment's first result";
    stack.recognizer->tasks[0]->result(u"late"_s, true);
    EXPECT_EQ(delivered.size(), 2u);

    task().result(u"project"_s);
    EXPECT_EQ(capture.transcript(), u"project"_s);
    clock.advance(AudioCapture::renewalSeconds);
    EXPECT_EQ(delivered.back(), (Delivery{u"project"_s, true}));
    EXPECT_EQ(delivered.size(), 4u);
    EXPECT_EQ(segmentStarts, 3);
}

TEST_F(AudioCaptureTest, NoSpeechAndOnDeviceFailuresRetryAfterAPause) {
    startRunning();
    task().fail(u"kAFAssistantErrorDomain"_s, 1110);
    EXPECT_TRUE(task().cancelled);
    clock.advance(0.29);
    EXPECT_EQ(taskCount(), 1u);
    clock.advance(0.01);
    ASSERT_EQ(taskCount(), 2u);
    EXPECT_TRUE(task().requiresOnDevice);

    failThenWait(0.3, u"kLSRErrorDomain"_s, 102);
    ASSERT_EQ(taskCount(), 3u);
    EXPECT_FALSE(task().requiresOnDevice) << "on-device recognition is off for the session";

    // The same failure once on-device is off is an ordinary quick failure.
    failThenWait(0.3, u"kLSRErrorDomain"_s, 102);
    EXPECT_EQ(taskCount(), 3u);
    clock.advance(0.5);
    EXPECT_EQ(taskCount(), 4u);
    EXPECT_TRUE(capture.isRunning());
    EXPECT_FALSE(capture.error());

    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    EXPECT_TRUE(task().requiresOnDevice) << "a new session may use it again";
}

TEST_F(AudioCaptureTest, DictationAndPermissionFailuresStopWithTheirMessages) {
    for (
        const auto& [domain, code, error] :
        {std::tuple{u"kLSRErrorDomain"_s, 201,
                    u"Enable Dictation in Settings \u2192 Keyboard, then restart listening."_s},
         {u"kAFAssistantErrorDomain"_s, 1700,
          u"Allow Speech Recognition in Settings \u2192 Privacy & Security, then restart listening."_s}}) {
        startRunning();
        task().fail(domain, code);
        EXPECT_FALSE(capture.isRunning());
        EXPECT_EQ(capture.error(), error);
    }
}

TEST_F(AudioCaptureTest, QuickFailuresRetryTwiceThenStop) {
    const QString unavailable =
        u"Transcription is unavailable. Check your connection, then try again. "_s;
    startRunning();
    for (std::size_t retry = 1; retry <= 2; ++retry) {
        clock.advance(2.9);
        failThenWait(0.79, u"kAFAssistantErrorDomain"_s, 203);
        EXPECT_EQ(taskCount(), retry);
        clock.advance(0.01);
        EXPECT_EQ(taskCount(), retry + 1);
    }
    task().result(u" "_s);
    task().fail(u"kAFAssistantErrorDomain"_s, 203, u"Third."_s);
    EXPECT_FALSE(capture.isRunning());
    EXPECT_EQ(capture.error(), unavailable + u"Third."_s);

    // Text resets the count, and a failure late in a segment retries sooner.
    startRunning();
    const auto base = taskCount();
    failThenWait(0.8);
    failThenWait(0.8);
    task().result(u"hello"_s);
    failThenWait(0.15);
    EXPECT_EQ(taskCount(), base + 3);
    clock.advance(5);
    failThenWait(0.15);
    EXPECT_EQ(taskCount(), base + 4);
    failThenWait(0.8);
    failThenWait(0.8);
    EXPECT_TRUE(capture.isRunning()) << "two quick failures since the late one";

    // An unavailable recogniser stops at the first failure.
    stack.recognizer->available = false;
    clock.advance(5);
    task().fail(u"x"_s, 1, u"Gone."_s);
    EXPECT_EQ(capture.error(), unavailable + u"Gone."_s);
}

TEST_F(AudioCaptureTest, HealthFollowsLevelsTextAndTime) {
    stack.startsAtOnce = false;
    auto starting = capture.start(AudioSource::system, u"en-US"_s);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::starting);
    stack.input().ready.fire();
    test::finish(std::move(starting));
    EXPECT_EQ(capture.health(), AudioCaptureHealth::waitingForAudio);

    // Polling alone turns silence into noAudio.
    clock.advance(7.9);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::waitingForAudio);
    clock.advance(0.5);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::noAudio);

    sendSamples(20000);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::receivingAudio);
    task().result(u"hello"_s);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::transcribing);
    clock.advance(3.5); // the next poll after the text is 3 s old
    EXPECT_EQ(capture.health(), AudioCaptureHealth::waitingForAudio);

    QSignalSpy changes(&capture, &AudioCapture::healthChanged);
    clock.advance(10);
    EXPECT_EQ(changes.count(), 0) << "only changes are published";
    capture.stop();
    EXPECT_EQ(capture.health(), AudioCaptureHealth::idle);
    clock.advance(10);
    EXPECT_EQ(capture.health(), AudioCaptureHealth::idle);
}

TEST(AudioCaptureDriverTest, TheDriverReplacesTheWholeStack) {
    test::ManualClock clock;
    int starts = 0;
    int stops = 0;
    Wakeup release;
    CancelToken startToken;
    AudioCaptureDriver::FailureCallback fail;
    AudioCaptureDriver::LevelCallback level;
    AudioCaptureDriver::TranscriptCallback transcript;
    AudioCaptureDriver driver{
        [&](AudioSource, QString locale, CancelToken token) -> QCoro::Task<> {
            ++starts;
            startToken = token;
            if (locale == u"fr-FR"_s)
                throw CaptureError::unsupportedLanguage();
            Wakeup wakeup = release;
            co_await wakeup;
        },
        [&] { ++stops; },
        [&](auto callback) { fail = std::move(callback); },
        [&](auto callback) { level = std::move(callback); },
        [&](auto callback) { transcript = std::move(callback); },
    };
    AudioCapture capture(driver, {}, clock);
    std::vector<std::pair<QString, bool>> delivered;
    int segmentStarts = 0;
    capture.setOnTranscript(
        [&](const QString& text, bool isFinal) { delivered.emplace_back(text, isFinal); });
    capture.setOnSegmentStart([&] { ++segmentStarts; });

    auto pending = capture.start(AudioSource::system, u"en-US"_s);
    EXPECT_FALSE(capture.isRunning());
    EXPECT_EQ(segmentStarts, 0);
    capture.stop();
    EXPECT_TRUE(startToken.isCancelled());
    release.fire();
    EXPECT_THROW(test::finish(std::move(pending)), CancellationError);
    EXPECT_FALSE(capture.error());

    release = Wakeup();
    release.fire();
    test::finish(capture.start(AudioSource::system, u"en-US"_s));
    EXPECT_TRUE(capture.isRunning());
    EXPECT_EQ(segmentStarts, 1);
    transcript(u"hello"_s, true);
    level(0.5);
    EXPECT_EQ(capture.transcript(), u"hello"_s);
    EXPECT_EQ(delivered, (std::vector<std::pair<QString, bool>>{{u"hello"_s, true}}));
    EXPECT_EQ(capture.level(), 0.5);
    EXPECT_EQ(capture.lastAudibleUptime(), clock.now());

    fail(u"Driver lost."_s);
    EXPECT_EQ(capture.error(), u"Audio capture has stopped. Driver lost."_s);
    EXPECT_FALSE(capture.isRunning());
    transcript(u"late"_s, false);
    EXPECT_EQ(delivered.size(), 1u);

    EXPECT_THROW(test::finish(capture.start(AudioSource::system, u"fr-FR"_s)), CaptureError);
    EXPECT_EQ(capture.error(), CaptureError::unsupportedLanguage().message());
    EXPECT_EQ(starts, 3);
    EXPECT_GE(stops, 3);
}
