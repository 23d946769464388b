#include "ui/session/CaptureHelpView.h"
#include "session/StoreHarness.h"
#include "ui/session/InterviewLanguageChoiceView.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;

namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Feeds level readings every half second for `seconds` of the manual clock.
void hear(StoreHarness& h, double level, double seconds) {
    for (double t = 0; t < seconds; t += 0.5) {
        h.capture.level(level);
        h.clock.advance(0.5);
    }
    QCoreApplication::processEvents();
}

} // namespace

TEST(CaptureHelpView, ShowsOnlyWhileListeningFails) {
    StoreHarness h;
    h.prepare();
    QWidget host;
    auto* help = new CaptureHelpView(*h.store, h.audio, false, &host);
    host.show();
    EXPECT_FALSE(help->isVisible());
    ASSERT_TRUE(h.startListening());

    hear(h, 0.0, 9);
    ASSERT_EQ(h.audio.health(), AudioCaptureHealth::noAudio);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->hint().startsWith(s("The other person’s voice must play on this computer.")));
    EXPECT_NE(help->findChild<InterviewLanguageChoiceView*>(), nullptr);

    const int starts = h.capture.starts;
    help->restartButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.capture.starts > starts; }));

    hear(h, 0.9, 12);
    ASSERT_EQ(h.audio.health(), AudioCaptureHealth::stalled);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->hint().startsWith(s("Sound is arriving.")));

    h.store->togglePause();
    QCoreApplication::processEvents();
    EXPECT_FALSE(help->isVisible());
}

TEST(CaptureHelpView, TheSessionsSourceChoosesTheHint) {
    StoreHarness h;
    h.prepare();
    h.store->setAudioSource(AudioSource::microphone);
    QWidget host;
    auto* help = new CaptureHelpView(*h.store, h.audio, true, &host);
    host.show();
    ASSERT_TRUE(h.startListening());
    // Changing the setting during the session does not change the session's source.
    h.store->setAudioSource(AudioSource::system);
    hear(h, 0.0, 9);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->hint().contains(s("check the microphone selected")));
}
