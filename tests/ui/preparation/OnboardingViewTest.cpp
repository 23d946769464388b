#include "PreparationHarness.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/SpacedLabel.h"
#include "ui/preparation/ComputerTexts.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/preparation/PermissionStepContent.h"
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
    void pressReturn() {
        QTest::keyClick(view.get(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QAbstractButton* button(const char* text) {
        return findByText<QAbstractButton>(*view, QString::fromUtf8(text));
    }
    void click(const char* text) {
        QAbstractButton* found = button(text);
        ASSERT_NE(found, nullptr) << text;
        found->click();
        QCoreApplication::processEvents();
    }
    QString labelText(const char* name) {
        QWidget* label = view->findChild<QWidget*>(QString::fromUtf8(name));
        if (auto* spaced = qobject_cast<SpacedLabel*>(label))
            return spaced->text();
        return qobject_cast<QLabel*>(label)->text();
    }
    QString hint() {
        return view->content()->findChild<SpacedLabel*>(QStringLiteral("permissionHint"))->text();
    }
    QAbstractButton* footer(const char* name) {
        return view->findChild<QAbstractButton*>(QString::fromUtf8(name));
    }

    PreparationHarness h;
    int finished = 0;
    std::unique_ptr<OnboardingView> view;
};

TEST_F(OnboardingViewTest, WalksEveryStepWithTheLinuxStatuses) {
    open();
    EXPECT_EQ(labelText("guideContentLabel"), QStringLiteral("A little setup. A clearer head."));
    EXPECT_EQ(view->findChild<QWidget*>(QStringLiteral("guideProgress"))->accessibleName(),
              QStringLiteral("Setup, step 1 of 4"));
    EXPECT_EQ(view->companion()->mood(), CloudMood::welcome);
    EXPECT_FALSE(footer("guideBack")->isVisible());

    // Return presses "Set up my computer".
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::speech);
    EXPECT_EQ(labelText("guideContentLabel"), QStringLiteral("2 of 4 · Speech"));
    EXPECT_EQ(labelText("guideSentence"), QStringLiteral("First, let’s make the questions clear."));
    EXPECT_EQ(view->companion()->mood(), CloudMood::listening);

    // No speech model: the settings are offered, never a request that cannot change anything.
    EXPECT_TRUE(hint().startsWith(QStringLiteral("This is not available on this computer yet.")));
    EXPECT_NE(button("Check again"), nullptr);
    pressReturn(); // no default button on a step that is not allowed
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
    click("Open Settings");
    EXPECT_EQ(h.provider->settingsOpened, std::vector<Kind>{Kind::speech});
    EXPECT_TRUE(h.provider->requests.empty());
    click("I’ll do this later");
    ASSERT_EQ(view->step(), GuidedSetupStep::callAudio);

    // Call audio before an attempt, while the request runs, and after it changed nothing.
    EXPECT_TRUE(hint().startsWith(QStringLiteral("Call audio is what your computer plays")));
    EXPECT_EQ(button("Check again"), nullptr);
    h.provider->hold = true;
    click("Allow call audio");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.provider->requests.empty(); }));
    QAbstractButton* waiting = button("Waiting for the system…");
    ASSERT_NE(waiting, nullptr);
    EXPECT_FALSE(waiting->isEnabled());
    EXPECT_FALSE(button("I’ll do this later")->isEnabled());
    EXPECT_FALSE(footer("guideBack")->isEnabled());
    EXPECT_FALSE(footer("guideSkip")->isEnabled());
    EXPECT_EQ(view->companion()->mood(), CloudMood::thinking);
    footer("guideSkip")->click();
    view->back();
    pressReturn();
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(view->step(), GuidedSetupStep::callAudio);

    h.provider->hold = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.permissions->requesting(); }));
    EXPECT_TRUE(hint().startsWith(QStringLiteral("Check in Settings → Sound")));
    EXPECT_NE(button("Check again"), nullptr);
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
    EXPECT_EQ(labelText("guideSentence"),
              QStringLiteral("All set. Your microphone stays out of it."));
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::ready);
    EXPECT_EQ(labelText("guideContentLabel"), QStringLiteral("4 of 4 · Your interview"));
    EXPECT_EQ(labelText("guideSentence"),
              QStringLiteral("You can prepare now and finish setup later."));

    pressReturn();
    pressReturn();
    EXPECT_EQ(finished, 1);
}

TEST_F(OnboardingViewTest, AllowedStepsContinueOnReturnAndTheReadyStepShowsIt) {
    h.provider->statuses[Kind::speech] = Status::allowed;
    h.provider->statuses[Kind::callAudio] = Status::allowed;
    h.provider->statuses[Kind::microphone] = Status::allowed;
    open(GuidedSetupStep::speech);
    EXPECT_EQ(labelText("guideSentence"),
              QStringLiteral("Perfect. We can turn speech into words."));
    EXPECT_EQ(view->content()->findChild<QLabel*>(QStringLiteral("permissionStatus"))->text(),
              QStringLiteral("Access allowed"));
    EXPECT_EQ(button("I’ll do this later")->isEnabled(), true);
    pressReturn();
    pressReturn();
    ASSERT_EQ(view->step(), GuidedSetupStep::ready);
    EXPECT_EQ(view->companion()->mood(), CloudMood::ready);
    EXPECT_EQ(labelText("guideSentence"),
              QStringLiteral("Your computer is ready. Let’s tell your story."));
    click("Using microphone mode instead?");
    EXPECT_TRUE(view->showMicrophone());
    EXPECT_NE(findByText<QLabel>(*view, QStringLiteral("Microphone access allowed")), nullptr);
    view->advance();
    EXPECT_EQ(view->step(), GuidedSetupStep::ready);
}

TEST_F(OnboardingViewTest, RemovingTheGuideAbandonsARunningRequest) {
    open(GuidedSetupStep::callAudio);
    h.provider->hold = true;
    click("Allow call audio");
    ASSERT_TRUE(h.permissions->requesting());
    // A minimised window hides spontaneously and keeps the request.
    QHideEvent minimised;
    QSpontaneKeyEvent::setSpontaneous(&minimised);
    static_cast<QObject*>(view.get())->event(&minimised);
    EXPECT_TRUE(h.permissions->requesting());
    view->hide();
    EXPECT_FALSE(h.permissions->requesting());

    view->show();
    click("Open Settings");
    view.reset();
    EXPECT_FALSE(h.permissions->requesting());
}

TEST_F(OnboardingViewTest, ReadyStepAccountRowOnEachRoute) {
    const auto accountStatus = [&] {
        return static_cast<ReadyStepContent*>(view->content())->accountStatus();
    };
    const auto signInShown = [&] {
        return static_cast<ReadyStepContent*>(view->content())->signInBlock()->isVisible();
    };
    // Private route, no key, signed out; then a key is saved.
    open(GuidedSetupStep::ready);
    EXPECT_EQ(accountStatus(), QStringLiteral("Sign in for live answers"));
    EXPECT_TRUE(signInShown());
    ASSERT_TRUE(h.store().saveKey(QStringLiteral("sk-test")));
    EXPECT_EQ(accountStatus(), QStringLiteral("Ready"));

    // Cloud route, signed out.
    h.configureCloud(std::nullopt);
    EXPECT_EQ(accountStatus(), QStringLiteral("Sign in for live answers"));

    // Signed in: loading, then ready; then an account error.
    view.reset();
    h.makeAuth(true, true);
    TestHttpServer::Response slow = PreparationHarness::accountReply();
    slow.chunkDelayMs = 300;
    h.configureCloud(slow);
    open(GuidedSetupStep::ready);
    EXPECT_TRUE(h.store().isRefreshingCloudAccount());
    EXPECT_EQ(accountStatus(), QStringLiteral("Check in Settings"));
    EXPECT_FALSE(signInShown());
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store().canStartCloudSession(); }, 5000));
    EXPECT_EQ(accountStatus(), QStringLiteral("Ready"));
    h.stores.server->enqueue(TestHttpServer::json(503, "{}"));
    h.store().refreshCloudAccount();
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.store().cloudAccountError().has_value(); }, 5000));
    EXPECT_EQ(accountStatus(), QStringLiteral("Check in Settings"));
}

TEST_F(OnboardingViewTest, MicrophoneAndSettingsNeverFailSilently) {
    h.provider->settingsOpen = false;
    open(GuidedSetupStep::ready);
    click("Using microphone mode instead?");
    QAbstractButton* microphone =
        static_cast<ReadyStepContent*>(view->content())->microphoneButton();
    EXPECT_EQ(microphone->text(), QStringLiteral("Open microphone settings"));
    microphone->click();
    EXPECT_EQ(h.provider->settingsOpened, std::vector<Kind>{Kind::microphone});
    EXPECT_NE(findByText<QLabel>(*view, ComputerTexts::settingsUnavailable()), nullptr);
}

TEST_F(OnboardingViewTest, WelcomeSignInCanBeCancelledAndSetUpCancelsIt) {
    open();
    GoogleAuthStore& auth = *h.auth.store;
    EXPECT_NE(findByText<QAbstractButton>(*view, QStringLiteral("Sign in with Google")), nullptr);
    EXPECT_EQ(button("Cancel sign-in"), nullptr);
    auth.signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return auth.isBusy(); }));
    click("Cancel sign-in");
    EXPECT_FALSE(auth.isBusy());
    // The store's own words, shown as they are.
    QLabel* message = findByText<QLabel>(*view, QStringLiteral("Google sign-in cancelled."));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->textFormat(), Qt::PlainText);

    auth.signIn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return auth.isBusy(); }));
    pressReturn();
    EXPECT_FALSE(auth.isBusy());
    EXPECT_EQ(view->step(), GuidedSetupStep::speech);
}

} // namespace
} // namespace corvel::test
