#include "ui/shell/AppEntryView.h"

#include "fixture/ScreenFixture.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/NativeAppBackdrop.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/shell/RootView.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using fixture::ScreenFixture;

namespace {

const QString notice = QStringLiteral("You’re using a different account. Review the interview "
                                      "details saved on this computer before starting your next "
                                      "session.");

bool setting(const QString& key) {
    return QSettings().value(key, false).toBool();
}

void completeGuide() {
    QSettings().setValue(AppEntryView::completedGuidedSetupKey, true);
}

// The gate as the window shows it.
struct Gate {
    explicit Gate(ScreenFixture& fixture) : view(fixture.environment()) {
        view.resize(1040, 740);
        view.show();
    }
    bool showsRoot() const { return qobject_cast<RootView*>(view.content()); }
    void finishFromGuide() {
        auto* guide = qobject_cast<OnboardingView*>(view.content());
        ASSERT_NE(guide, nullptr);
        auto* skip = guide->findChild<QAbstractButton*>(QStringLiteral("guideSkip"));
        ASSERT_NE(skip, nullptr);
        QTest::mouseClick(skip, Qt::LeftButton);
        QTest::qWait(10); // the old content goes on the next turn
    }
    AppEntryView view;
};

} // namespace

TEST(AppEntryView, FreshSettingsShowTheGuideAndFinishingItOpensTheWorkspaceForGood) {
    ScreenFixture fixture;
    {
        Gate gate(fixture);
        EXPECT_TRUE(gate.view.showsGuide());
        EXPECT_DOUBLE_EQ(gate.view.backdrop()->tintOpacity(), 0.62);
        gate.finishFromGuide();
        EXPECT_TRUE(setting(AppEntryView::completedGuidedSetupKey));
        EXPECT_TRUE(setting(AppEntryView::hasOpenedWorkspaceKey));
        EXPECT_TRUE(gate.showsRoot());
        EXPECT_DOUBLE_EQ(gate.view.backdrop()->tintOpacity(), 0.82);
    }
    Gate nextLaunch(fixture);
    EXPECT_TRUE(nextLaunch.showsRoot());
}

TEST(AppEntryView, FinishingCancelsABusySignInBeforeTheKeysAreWritten) {
    ScreenFixture fixture;
    Gate gate(fixture);
    fixture.beginSignIn();
    ASSERT_TRUE(fixture.auth().isBusy());
    std::optional<bool> keysWrittenWhenCancelled;
    QObject::connect(&fixture.auth(), &GoogleAuthStore::isBusyChanged, [&] {
        if (!fixture.auth().isBusy())
            keysWrittenWhenCancelled = setting(AppEntryView::completedGuidedSetupKey) ||
                                       setting(AppEntryView::hasOpenedWorkspaceKey);
    });
    gate.finishFromGuide();
    ASSERT_TRUE(keysWrittenWhenCancelled.has_value());
    EXPECT_FALSE(*keysWrittenWhenCancelled);
    EXPECT_EQ(fixture.auth().message(), QStringLiteral("Google sign-in cancelled."));
    EXPECT_TRUE(setting(AppEntryView::completedGuidedSetupKey));
    EXPECT_TRUE(gate.showsRoot());
}

TEST(AppEntryView, TheSetupGuideNotificationIsIgnoredDuringASessionAndShowsAFreshGuideAfter) {
    ScreenFixture fixture;
    completeGuide();
    Gate gate(fixture);
    ASSERT_TRUE(gate.showsRoot());
    ASSERT_TRUE(fixture.startSession());
    fixture.notifications().postShowSetupGuide();
    EXPECT_TRUE(gate.showsRoot());

    fixture.store().endSession();
    fixture.notifications().postShowSetupGuide();
    EXPECT_TRUE(gate.view.showsGuide());
    EXPECT_DOUBLE_EQ(gate.view.backdrop()->tintOpacity(), 0.62);
    const QPointer<QWidget> firstGuide = gate.view.content();
    gate.finishFromGuide();
    EXPECT_TRUE(gate.showsRoot());
    EXPECT_TRUE(firstGuide.isNull());

    fixture.notifications().postShowSetupGuide();
    EXPECT_TRUE(gate.view.showsGuide());
    EXPECT_NE(gate.view.content(), firstGuide.data());
}

TEST(AppEntryView, OneNoticeForTheSequenceAToNobodyToAToB) {
    ScreenFixture fixture;
    completeGuide();
    Gate gate(fixture);
    int notices = 0;
    QObject::connect(&fixture.store(), &AppStore::messageChanged,
                     [&] { notices += fixture.store().message() == notice; });
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"))); // the first account of a fresh launch
    fixture.signOut();
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A")));
    EXPECT_EQ(notices, 0);
    ASSERT_TRUE(fixture.signIn(QStringLiteral("B")));
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(gate.view.lastVerifiedAccountID(), QStringLiteral("B"));
}

TEST(AppEntryView, TheAccountSeenAtAppearanceGivesNoNoticeAndANameOnlyChangeNoReaction) {
    ScreenFixture fixture;
    completeGuide();
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana")));
    Gate gate(fixture);
    EXPECT_EQ(gate.view.lastVerifiedAccountID(), QStringLiteral("A"));
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana Lima")));
    EXPECT_EQ(fixture.store().message(), std::nullopt);
    EXPECT_EQ(fixture.store().context().name, QString()); // no reaction, so no fill either
}

TEST(AppEntryView, TheAccountNameFillsABlankInterviewNameOnlyOutsideASession) {
    ScreenFixture fixture;
    completeGuide();
    Gate gate(fixture);
    ASSERT_TRUE(fixture.startSession());
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana")));
    EXPECT_EQ(fixture.store().context().name, QString());

    fixture.store().endSession();
    fixture.signOut();
    InterviewContext context = fixture.store().context();
    context.name = QStringLiteral("   ");
    fixture.store().setContext(context);
    ASSERT_TRUE(fixture.signIn(QStringLiteral("B"), QStringLiteral("Bea")));
    EXPECT_EQ(fixture.store().context().name, QStringLiteral("Bea"));
    // The notice goes in whether or not a session runs; here A was seen before B.
    EXPECT_EQ(fixture.store().message(), notice);
}
