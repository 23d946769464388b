#include "ui/foundation/ScreenHarness.h"

#include "support/KeyHold.h"

#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/FocusRing.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/preparation/ReadyStepContent.h"

#include <QHideEvent>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

namespace corvel::test {
namespace {

using Status = MacPermissionStatus;
using Kind = MacPermissionKind;

class OnboardingViewTest : public ::testing::Test {
protected:
    void open(GuidedSetupStep step = GuidedSetupStep::welcome) {
        view = std::make_unique<OnboardingView>(h.environment(), step, [this] { ++finished; });
        view->resize(1280, 860);
        view->show();
        QApplication::setActiveWindow(view.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }
    // Keys go to the focused control, else to the window.
    void pressKey(Qt::Key key) {
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : view.get(), key);
        QCoreApplication::processEvents();
    }
    void pressReturn() { pressKey(Qt::Key_Return); }
    // Tabs to `target`; whether it shows the keyboard ring there.
    bool tabTo(QWidget* target) {
        for (int presses = 0; presses < 20 && !target->hasFocus(); ++presses)
            pressKey(Qt::Key_Tab);
        return FocusRing::shownOn(target);
    }
    QAbstractButton* button(const char* text) {
        return findNamed<QAbstractButton>(*view, QString::fromUtf8(text), true);
    }
    void click(const char* text) {
        QAbstractButton* found = button(text);
        ASSERT_NE(found, nullptr) << text;
        found->click();
        QCoreApplication::processEvents();
    }
    QString text(const char* name) {
        QWidget* label = view->findChild<QWidget*>(QString::fromUtf8(name));
        if (auto* spaced = qobject_cast<SpacedLabel*>(label))
            return spaced->text();
        return qobject_cast<QLabel*>(label)->text();
    }
    QAbstractButton* footer(const char* name) {
        return view->findChild<QAbstractButton*>(QString::fromUtf8(name));
    }
    ReadyStepContent* ready() { return static_cast<ReadyStepContent*>(view->content()); }

    ScreenHarness h{std::nullopt};
    int finished = 0;
    std::unique_ptr<OnboardingView> view;
};

TEST_F(OnboardingViewTest, WalksEveryStepWithTheLinuxStatuses) {
    open();
    EXPECT_EQ(view->findChild<QWidget*>(QStringLiteral("guideProgress"))->accessibleName(),
              QStringLiteral("Setup, step 1 of 4"));
    EXPECT_FALSE(footer("guideBack")->isVisible());

    // Return presses "Set up my computer".
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::speech);
    EXPECT_EQ(view->companion()->mood(), CloudMood::listening);

    // No speech model: the settings are offered, never a request that cannot change anything.
    EXPECT_TRUE(view->content()
                    ->findChild<SpacedLabel*>(QStringLiteral("permissionHint"))
                    ->text()
                    .startsWith(ComputerTexts::restrictedHint()));
    pressReturn(); // no default button on a step that is not allowed
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
    click("Open Settings");
    EXPECT_EQ(h.provider->settingsOpened, std::vector<Kind>{Kind::speech});
    EXPECT_TRUE(h.provider->requests.empty());
    click("I’ll do this later");
    ASSERT_EQ(view->step(), GuidedSetupStep::callAudio);

    // While the request runs nothing moves the guide on; afterwards the settings help.
    EXPECT_EQ(button("Check again"), nullptr);
    h.provider->hold = true;
    click("Allow call audio");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.provider->requests.empty(); }));
    EXPECT_FALSE(button("Waiting for the system…")->isEnabled());
    EXPECT_FALSE(button("I’ll do this later")->isEnabled());
    EXPECT_FALSE(footer("guideBack")->isEnabled());
    EXPECT_FALSE(footer("guideSkip")->isEnabled());
    footer("guideSkip")->click();
    view->back();
    pressReturn();
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(view->step(), GuidedSetupStep::callAudio);

    h.provider->hold = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.permissions.requesting(); }));
    click("Open Settings");
    EXPECT_EQ(h.provider->settingsOpened.back(), Kind::callAudio);
    EXPECT_EQ(h.provider->requests.size(), 1u);

    // Back and forth keeps the attempt.
    footer("guideBack")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
    click("I’ll do this later");
    EXPECT_NE(button("Open Settings"), nullptr);

    // Allowed in the settings: Check again turns the card green, Return continues.
    h.provider->statuses[Kind::callAudio] = Status::allowed;
    click("Check again");
    EXPECT_EQ(text("guideSentence"), QStringLiteral("All set. Your microphone stays out of it."));
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::ready);
    EXPECT_EQ(text("guideContentLabel"), QStringLiteral("4 of 4 · Your interview"));

    // Finishing reports once, however often Return is pressed.
    pressReturn();
    pressReturn();
    EXPECT_EQ(finished, 1);
}

// Return presses the button that shows the keyboard ring, Back and Skip included; while none
// shows it (nothing focused, or the focus from a click) Return presses the step's main button.
TEST_F(OnboardingViewTest, ReturnPressesTheRingedButtonElseTheMainOne) {
    h.provider->statuses[Kind::speech] = Status::allowed;
    h.provider->statuses[Kind::callAudio] = Status::allowed;
    open(GuidedSetupStep::speech);
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::callAudio) << "Continue";
    ASSERT_TRUE(tabTo(footer("guideSkip")));
    QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(4, 4));
    ASSERT_TRUE(footer("guideSkip")->hasFocus());
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::ready) << "Continue after a click";

    ASSERT_TRUE(tabTo(footer("guideBack")));
    pressReturn();
    EXPECT_EQ(view->step(), GuidedSetupStep::callAudio) << "Back";
    EXPECT_EQ(finished, 0);
    ASSERT_TRUE(tabTo(footer("guideSkip")));
    pressReturn();
    EXPECT_EQ(finished, 1) << "Skip";
    EXPECT_EQ(view->step(), GuidedSetupStep::callAudio);
}

// A held Return presses once, with nothing focused or with the ring on the main button, and
// its repeats, marked as such or not, do not press the next step's main button once it has
// replaced the first.
TEST_F(OnboardingViewTest, AHeldReturnPressesOnce) {
    h.provider->statuses[Kind::speech] = Status::allowed;
    h.provider->statuses[Kind::callAudio] = Status::allowed;
    open();
    ASSERT_EQ(QApplication::focusWidget(), nullptr);
    holdKey(view.get(), Qt::Key_Return);
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
    holdKey(view.get(), Qt::Key_Enter, 40, Qt::KeypadModifier);
    EXPECT_EQ(view->step(), GuidedSetupStep::callAudio);

    for (const Repeats as : {Repeats::marked, Repeats::unmarked}) {
        view.reset();
        open();
        ASSERT_TRUE(tabTo(button("Set up my computer")));
        holdKey(view.get(), Qt::Key_Return, 40, {}, as);
        EXPECT_EQ(view->step(), GuidedSetupStep::speech);
        EXPECT_EQ(finished, 0);
    }
}

// The space above a control goes with it: a hidden control leaves no gap.
TEST_F(OnboardingViewTest, HiddenControlsLeaveNoGap) {
    const auto gap = [this](QWidget* above, QWidget* below) {
        QCoreApplication::processEvents();
        return below->mapTo(view.get(), QPoint()).y() -
               above->mapTo(view.get(), QPoint(0, above->height())).y();
    };
    open(GuidedSetupStep::speech);
    QAbstractButton* later = button("I’ll do this later");
    ASSERT_TRUE(button("Open Settings") && button("Check again") && later);
    EXPECT_EQ(gap(button("Open Settings"), button("Check again")), 18);
    EXPECT_EQ(gap(button("Check again"), later), 18);
    h.provider->statuses[Kind::speech] = Status::allowed;
    click("Check again");
    ASSERT_EQ(button("Check again"), nullptr);
    EXPECT_EQ(gap(button("Continue"), later), 18);

    view.reset();
    open(GuidedSetupStep::ready);
    auto* note = findNamed<SpacedLabel>(
        *view,
        QStringLiteral("Finish audio setup before starting your call. You can reopen this guide "
                       "at any time."),
        true);
    ASSERT_TRUE(note);
    h.provider->statuses[Kind::callAudio] = Status::allowed;
    h.permissions.refresh();
    ASSERT_TRUE(QTest::qWaitFor([&] { return note->isHidden(); }));
    EXPECT_EQ(gap(button("Prepare my interview"), button("Using microphone mode instead?")), 26);
}

TEST_F(OnboardingViewTest, RemovingTheGuideAbandonsARunningRequest) {
    open(GuidedSetupStep::callAudio);
    h.provider->hold = true;
    click("Allow call audio");
    ASSERT_TRUE(h.permissions.requesting());
    // A minimised window hides spontaneously and keeps the request.
    QHideEvent minimised;
    QSpontaneKeyEvent::setSpontaneous(&minimised);
    static_cast<QObject*>(view.get())->event(&minimised);
    EXPECT_TRUE(h.permissions.requesting());
    view->hide();
    EXPECT_FALSE(h.permissions.requesting());

    view->show();
    click("Open Settings");
    view.reset();
    EXPECT_FALSE(h.permissions.requesting());
}

TEST_F(OnboardingViewTest, ReadyStepMicrophoneAndAccountRow) {
    // Microphone settings that fail to open say so.
    h.provider->settingsOpen = false;
    open(GuidedSetupStep::ready);
    click("Using microphone mode instead?");
    EXPECT_TRUE(view->showMicrophone());
    ASSERT_TRUE(ready()->microphoneButton()->isVisible());
    ready()->microphoneButton()->click();
    EXPECT_EQ(h.provider->settingsOpened, std::vector<Kind>{Kind::microphone});
    EXPECT_NE(findNamed<QLabel>(*view, ComputerTexts::microphoneSettingsUnavailable(), true),
              nullptr);

    // The account row follows the key and the cloud account.
    EXPECT_EQ(ready()->accountStatus(), QStringLiteral("Sign in for live answers"));
    EXPECT_TRUE(ready()->signInBlock()->isVisible());
    ASSERT_TRUE(h.store().saveKey(QStringLiteral("sk-test")));
    EXPECT_EQ(ready()->accountStatus(), QStringLiteral("Ready"));

    // Signed in on the cloud route: loading, then ready.
    view.reset();
    h.makeAuth(true, true);
    TestHttpServer::Response slow = ScreenHarness::accountReply();
    slow.chunkDelayMs = 300;
    h.configureCloud(slow);
    open(GuidedSetupStep::ready);
    EXPECT_EQ(ready()->accountStatus(), QStringLiteral("Check in Settings"));
    EXPECT_FALSE(ready()->signInBlock()->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store().canStartCloudSession(); }, 5000));
    EXPECT_EQ(ready()->accountStatus(), QStringLiteral("Ready"));
}

TEST_F(OnboardingViewTest, WelcomeSignInCanBeCancelledAndSetUpCancelsIt) {
    open();
    GoogleAuthStore& auth = *h.auth.store;
    auth.signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return auth.isBusy(); }));
    click("Cancel sign-in");
    EXPECT_FALSE(auth.isBusy());
    // The store's own words, shown as they are.
    EXPECT_NE(findNamed<SpacedLabel>(*view, QStringLiteral("Google sign-in cancelled."), true),
              nullptr);

    auth.signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return auth.isBusy(); }));
    pressReturn();
    EXPECT_FALSE(auth.isBusy());
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
}

} // namespace
} // namespace corvel::test
