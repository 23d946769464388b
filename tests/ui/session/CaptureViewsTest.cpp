// The capture status line, its help card and the interview language choice, over the real store.
#include "SessionScreenHarness.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/OptionPill.h"
#include "ui/foundation/Palette.h"
#include "ui/foundation/PressButtonStyle.h"
#include "ui/session/CaptureHelpView.h"
#include "ui/session/CaptureStatusView.h"
#include "ui/session/InterviewLanguageChoiceView.h"
#include "ui/session/OverlayView.h"
#include "ui/session/SessionView.h"

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace corvel;
using test::s;
using test::SessionScreenHarness;
using test::shownTexts;
using test::StoreHarness;

namespace {

using Heights = std::array<double, 4>;

// Feeds level readings every half second for `seconds` of the manual clock.
void hear(StoreHarness& h, double level, double seconds) {
    for (double t = 0; t < seconds; t += 0.5) {
        h.capture.level(level);
        h.clock.advance(0.5);
    }
    QCoreApplication::processEvents();
}

void click(OptionPill* option) {
    QTest::mouseClick(option, Qt::LeftButton);
    QCoreApplication::processEvents();
}

} // namespace

TEST(CaptureStatusView, FollowsLevelAndHealthAndTheMenuCallsBack) {
    StoreHarness h;
    h.prepare();
    AccessibilityPreferences still;
    still.setReduceMotion(true);
    CaptureStatusView view(h.audio, s("English"), AudioSource::system, false, {}, &still);
    view.show();
    EXPECT_EQ(shownTexts(&view),
              (QStringList{s("Listening stopped"), s("Call audio"), s("English")}));
    EXPECT_EQ(view.languageMenu(), nullptr);
    QStringList chosen;
    CaptureStatusView withMenu(h.audio, s("English"), AudioSource::system, false,
                               [&](const QString& language) { chosen.append(language); });
    ASSERT_NE(withMenu.languageMenu(), nullptr);
    EXPECT_EQ(withMenu.languageMenu()->accessibleName(), s("Interview language: English"));
    for (QAction* action : withMenu.languageMenu()->menu()->actions())
        action->trigger();
    EXPECT_EQ(chosen, (QStringList{s("English"), s("French")}));

    ASSERT_TRUE(h.startListening());
    h.capture.level(1.0);
    EXPECT_EQ(view.barHeights(), (Heights{10, 16, 13, 8}));
    EXPECT_EQ(view.barColor(), Palette::green());
    EXPECT_EQ(view.accessibleName(), s("Audio received, Call audio, English"));
    // One element: its texts are not read again one by one.
    for (QLabel* part : view.findChildren<QLabel*>())
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(part)->state().invisible);

    view.setState(s("French"), AudioSource::microphone, true);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2}));
    EXPECT_EQ(view.barColor(), Palette::secondary());
    EXPECT_EQ(shownTexts(&view),
              (QStringList{s("Listening paused"), s("Microphone"), s("French")}));
    h.capture.level(0.8);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2}));

    view.setState(s("French"), AudioSource::microphone, false);
    hear(h, 0.0, 10);
    EXPECT_EQ(view.healthText(), s("Waiting for audio"));
}

TEST(CaptureStatusView, LevelsEaseUnlessReduceMotion) {
    StoreHarness h;
    h.prepare();
    AccessibilityPreferences moving;
    moving.setReduceMotion(false);
    CaptureStatusView view(h.audio, s("English"), AudioSource::system, false, {}, &moving);
    view.show();
    ASSERT_TRUE(h.startListening());
    h.capture.level(1.0);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2})) << "the change eases in";
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.barHeights() == Heights{10, 16, 13, 8}; }));

    // A hidden view does not animate.
    view.hide();
    h.capture.level(0.0);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2}));
}

TEST(CaptureStatusView, LanguageMenuLocksWhileStartingAndKeepsItsLook) {
    // A capture start that waits for the clock: the menu is locked until it is done.
    test::ManualClock clock;
    AudioCaptureDriver driver;
    driver.start = [&clock](AudioSource, QString, CancelToken token) -> QCoro::Task<> {
        co_await clock.sleep(1, token);
    };
    AudioCapture slow(driver, AudioCapturePlatform{}, clock);
    CaptureStatusView starting(slow, s("English"), AudioSource::system, false,
                               [](const QString&) {});
    starting.show();
    QToolButton* menu = starting.languageMenu();
    const QImage atRest = menu->grab().toImage();
    auto task = slow.start(AudioSource::system, s("en-US"));
    EXPECT_EQ(starting.healthText(), s("Starting audio"));
    EXPECT_FALSE(menu->isEnabled());
    clock.advance(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.isRunning(); }));
    EXPECT_TRUE(menu->isEnabled());

    // Open, or still believed under the pointer after a choice, it keeps its plain look.
    menu->setAttribute(Qt::WA_UnderMouse);
    EXPECT_EQ(menu->grab().toImage(), atRest) << "under the pointer";
    menu->setDown(true);
    EXPECT_EQ(menu->grab().toImage(), atRest) << "pressed";
}

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

    const int starts = h.capture.starts;
    help->restartButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.capture.starts > starts; }));

    hear(h, 0.9, 12);
    ASSERT_EQ(h.audio.health(), AudioCaptureHealth::stalled);
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

TEST(InterviewLanguageChoiceView, ChangesTheLanguageAndLocksBeforeASessionWhileOneRuns) {
    StoreHarness h;
    h.prepare();
    InterviewContext context = h.store->context();
    context.language = s(" EN-GB \n");
    h.store->setContext(context);
    InterviewLanguageChoiceView before(*h.store, false, false);
    InterviewLanguageChoiceView live(*h.store, true, false);
    EXPECT_EQ(before.selected(), s("English"));
    EXPECT_TRUE(before.option(s("English"))->isSelected());
    EXPECT_FALSE(before.option(s("French"))->isSelected());

    click(before.option(s("French")));
    EXPECT_EQ(h.store->context().language, s("Français"));
    EXPECT_TRUE(before.option(s("French"))->isSelected());
    EXPECT_FALSE(before.option(s("English"))->isSelected());
    // Clicking the chosen language again keeps it chosen.
    click(before.option(s("French")));
    EXPECT_TRUE(before.option(s("French"))->isSelected());

    const QString caption = s("Choose the language spoken during the call.");
    EXPECT_TRUE(shownTexts(&before).contains(caption));
    const InterviewLanguageChoiceView compact(*h.store, true, true);
    EXPECT_FALSE(shownTexts(&compact).contains(caption));

    ASSERT_TRUE(h.startListening());
    EXPECT_EQ(h.capture.lastLocale, s("fr-FR"));
    EXPECT_FALSE(before.option(s("English"))->isEnabled());
    EXPECT_TRUE(live.option(s("English"))->isEnabled());

    // During a session the live choice follows the session, and a change restarts listening.
    const int starts = h.capture.starts;
    click(live.option(s("English")));
    EXPECT_EQ(live.selected(), s("English"));
    EXPECT_TRUE(live.option(s("English"))->isSelected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.capture.starts > starts; }, 5000));
    EXPECT_EQ(h.capture.lastLocale, s("en-US"));
}

// The language choices inside the capture help, on the session screen and in the floating
// window, are built with the accessibility preferences: under Reduce Motion a press dims them
// and never shrinks them.
TEST(InterviewLanguageChoiceView, NoChoiceScalesUnderReduceMotion) {
    SessionScreenHarness h;
    ASSERT_TRUE(h.startListening());
    SessionView session(h.environment());
    OverlayView overlay(*h.store, &h.preferences);
    for (const QWidget* root : {static_cast<QWidget*>(&session), static_cast<QWidget*>(&overlay)}) {
        for (OptionPill* pill : root->findChild<CaptureHelpView*>()->findChildren<OptionPill*>()) {
            SCOPED_TRACE(pill->text().toStdString());
            QTest::mousePress(pill, Qt::LeftButton);
            EXPECT_DOUBLE_EQ(pill->findChild<PressButtonStyle*>()->scale(), 1.0);
            EXPECT_DOUBLE_EQ(pill->findChild<PressButtonStyle*>()->opacity(), 0.82);
            QTest::mouseRelease(pill, Qt::LeftButton);
        }
    }
}
