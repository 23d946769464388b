#include "ui/session/CaptureStatusView.h"
#include "session/StoreHarness.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/Palette.h"

#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;

namespace {

QString s(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QStringList labels(const QWidget& view) {
    QStringList texts;
    for (const QLabel* label : view.findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

using Heights = std::array<double, 4>;

} // namespace

TEST(CaptureStatusView, FollowsLevelAndHealth) {
    StoreHarness h;
    h.prepare();
    AccessibilityPreferences still;
    still.setReduceMotion(true);
    CaptureStatusView view(h.audio, s("English"), AudioSource::system, false, {}, &still);
    view.show();
    EXPECT_EQ(labels(view), (QStringList{s("Listening stopped"), s("Call audio"), s("English")}));
    EXPECT_EQ(view.barColor(), Palette::cyan());
    EXPECT_EQ(view.languageMenu(), nullptr);

    ASSERT_TRUE(h.startListening());
    h.capture.level(1.0);
    EXPECT_EQ(view.barHeights(), (Heights{10, 16, 13, 8}));
    EXPECT_EQ(view.healthText(), s("Audio received"));
    EXPECT_EQ(view.barColor(), Palette::green());
    EXPECT_EQ(view.accessibleName(), s("Audio received, Call audio, English"));

    view.setState(s("French"), AudioSource::microphone, true);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2}));
    EXPECT_EQ(view.barColor(), Palette::secondary());
    EXPECT_EQ(labels(view), (QStringList{s("Listening paused"), s("Microphone"), s("French")}));
    h.capture.level(0.8);
    EXPECT_EQ(view.barHeights(), (Heights{2, 2, 2, 2}));

    view.setState(s("French"), AudioSource::microphone, false);
    for (int i = 0; i < 20; ++i) {
        h.capture.level(0.0);
        h.clock.advance(0.5);
    }
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

TEST(CaptureStatusView, LanguageMenuCallsBackAndLocksWhileStarting) {
    StoreHarness h;
    h.prepare();
    QStringList chosen;
    CaptureStatusView view(h.audio, s("English"), AudioSource::system, false,
                           [&](const QString& language) { chosen.append(language); });
    QToolButton* menu = view.languageMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), s("English"));
    EXPECT_EQ(menu->accessibleName(), s("Interview language: English"));
    EXPECT_EQ(menu->toolTip(),
              s("Choose the language spoken in the call. Changing it restarts listening."));
    for (QAction* action : menu->menu()->actions())
        action->trigger();
    EXPECT_EQ(chosen, (QStringList{s("English"), s("French")}));

    EXPECT_TRUE(menu->isEnabled());

    // A capture start that waits for the clock: the menu is locked until it is done.
    test::ManualClock clock;
    AudioCaptureDriver driver;
    driver.start = [&clock](AudioSource, QString, CancelToken token) -> QCoro::Task<> {
        co_await clock.sleep(1, token);
    };
    AudioCapture slow(driver, AudioCapturePlatform{}, clock);
    CaptureStatusView starting(slow, s("English"), AudioSource::system, false,
                               [](const QString&) {});
    auto task = slow.start(AudioSource::system, s("en-US"));
    EXPECT_EQ(starting.healthText(), s("Starting audio"));
    EXPECT_FALSE(starting.languageMenu()->isEnabled());
    clock.advance(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.isRunning(); }));
    EXPECT_TRUE(starting.languageMenu()->isEnabled());
}
