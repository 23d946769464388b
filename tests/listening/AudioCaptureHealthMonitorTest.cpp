#include "listening/AudioCaptureHealthMonitor.h"

#include "support/ManualClock.h"

#include <gtest/gtest.h>

#include <limits>

using namespace corvel;
using corvel::test::ManualClock;

namespace {

constexpr double loud = 0.5;
constexpr double quiet = 0.05;

// Readings every `step` seconds for `seconds`, as the capture engine delivers them.
void feed(AudioCaptureHealthMonitor& monitor, ManualClock& clock, double level, double seconds,
          double step = 0.08) {
    for (double elapsed = 0; elapsed < seconds; elapsed += step) {
        monitor.receive(level, clock.now());
        clock.advance(step);
    }
}

} // namespace

TEST(AudioCaptureHealthMonitor, NothingHeardIsWaitingThenNoAudio) {
    AudioCaptureHealthMonitor idle;
    idle.receive(loud, 1.0);
    idle.receiveText(1.0);
    EXPECT_EQ(idle, AudioCaptureHealthMonitor());
    EXPECT_EQ(idle.health(100.0), AudioCaptureHealth::idle);

    ManualClock clock;
    auto monitor = AudioCaptureHealthMonitor::startedAtUptime(clock.now());
    const double start = clock.now();
    // Quiet readings, a level of exactly 0.12 and broken readings are not sound.
    feed(monitor, clock, quiet, 3.0);
    feed(monitor, clock, AudioCaptureHealthMonitor::audibleLevel, 3.0);
    monitor.receive(std::numeric_limits<double>::quiet_NaN(), clock.now());
    monitor.receive(std::numeric_limits<double>::infinity(), clock.now());
    EXPECT_FALSE(monitor.lastAudibleAt);
    EXPECT_EQ(monitor.health(start + 7.99), AudioCaptureHealth::waitingForAudio);
    EXPECT_EQ(monitor.health(start + 8.0), AudioCaptureHealth::noAudio);

    // Text without any sound is transcribing for three seconds, then waiting (never noAudio).
    monitor.receiveText(clock.now());
    EXPECT_EQ(monitor.health(clock.now() + 2.99), AudioCaptureHealth::transcribing);
    EXPECT_EQ(monitor.health(clock.now() + 3.0), AudioCaptureHealth::waitingForAudio);
    EXPECT_EQ(monitor.health(clock.now() + 30.0), AudioCaptureHealth::waitingForAudio);
}

TEST(AudioCaptureHealthMonitor, SoundWithoutTextStallsUntilTextArrives) {
    ManualClock clock;
    auto monitor = AudioCaptureHealthMonitor::startedAtUptime(clock.now());
    const double soundStart = clock.now();
    feed(monitor, clock, loud, 7.9);
    EXPECT_GE(monitor.pendingSoundDuration, 2.0);
    EXPECT_EQ(monitor.health(soundStart + 7.99), AudioCaptureHealth::receivingAudio);
    feed(monitor, clock, loud, 0.2);
    EXPECT_EQ(monitor.health(clock.now()), AudioCaptureHealth::stalled);
    // Once the sound stops, it stays stalled for ten seconds, then waits.
    EXPECT_EQ(monitor.health(*monitor.lastAudibleAt + 9.99), AudioCaptureHealth::stalled);
    EXPECT_EQ(monitor.health(*monitor.lastAudibleAt + 10.0), AudioCaptureHealth::waitingForAudio);

    monitor.receiveText(clock.now());
    EXPECT_EQ(monitor.health(clock.now()), AudioCaptureHealth::transcribing);
    // Sound goes on without text: a fresh stretch, so receiving, not stalled at once.
    feed(monitor, clock, loud, 4.0);
    EXPECT_EQ(monitor.health(clock.now()), AudioCaptureHealth::receivingAudio);
    EXPECT_EQ(monitor.health(clock.now() + 1.5), AudioCaptureHealth::waitingForAudio);
}

TEST(AudioCaptureHealthMonitor, StretchOfSoundAccumulatesOnlyAudibleTime) {
    ManualClock clock;
    auto monitor = AudioCaptureHealthMonitor::startedAtUptime(clock.now());
    monitor.receive(loud, clock.now());
    EXPECT_EQ(monitor.pendingSoundAt, clock.now());
    // Two seconds between audible readings count as at most half a second.
    clock.advance(2.0);
    monitor.receive(loud, clock.now());
    EXPECT_DOUBLE_EQ(monitor.pendingSoundDuration, 0.5);
    // A reading whose predecessor was quiet adds nothing.
    clock.advance(0.1);
    monitor.receive(quiet, clock.now());
    clock.advance(0.1);
    monitor.receive(loud, clock.now());
    EXPECT_DOUBLE_EQ(monitor.pendingSoundDuration, 0.5);
    // Under two seconds of sound never stalls.
    EXPECT_EQ(monitor.health(*monitor.pendingSoundAt + 9.0), AudioCaptureHealth::waitingForAudio);

    // More than three seconds of silence end the stretch; the next sound starts a new one.
    clock.advance(0.1);
    feed(monitor, clock, quiet, 3.0);
    monitor.receive(loud, clock.now());
    EXPECT_EQ(monitor.pendingSoundAt, clock.now());
    EXPECT_EQ(monitor.pendingSoundDuration, 0.0);
}
