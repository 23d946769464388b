#include "ui/shell/AppEntryView.h"

#include "fixture/ScreenFixture.h"
#include "ui/preparation/OnboardingView.h"
#include "ui/shell/RootView.h"
#include <QAbstractButton>

#include <QSettings>
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

// Fresh settings show the guide; finishing it opens the workspace for good.
TEST(AppEntryView, FinishingCancelsABusySignInBeforeTheKeysAreWritten) {
    ScreenFixture fixture;
    auto gate = std::make_unique<Gate>(fixture);
    EXPECT_TRUE(gate->view.showsGuide());
    fixture.beginSignIn();
    ASSERT_TRUE(fixture.auth().isBusy());
    std::optional<bool> keysWrittenWhenCancelled;
    QObject::connect(&fixture.auth(), &GoogleAuthStore::isBusyChanged, [&] {
        if (!fixture.auth().isBusy())
            keysWrittenWhenCancelled = setting(AppEntryView::completedGuidedSetupKey) ||
                                       setting(AppEntryView::hasOpenedWorkspaceKey);
    });
    gate->finishFromGuide();
    ASSERT_TRUE(keysWrittenWhenCancelled.has_value());
    EXPECT_FALSE(*keysWrittenWhenCancelled);
    EXPECT_EQ(fixture.auth().message(), QStringLiteral("Google sign-in cancelled."));
    EXPECT_TRUE(setting(AppEntryView::completedGuidedSetupKey));
    EXPECT_TRUE(setting(AppEntryView::hasOpenedWorkspaceKey));
    EXPECT_TRUE(gate->showsRoot());
    gate.reset();
    EXPECT_TRUE(Gate(fixture).showsRoot()); // the next launch
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
    const QPointer<QWidget> firstGuide = gate.view.content();
    gate.finishFromGuide();
    EXPECT_TRUE(gate.showsRoot());
    EXPECT_TRUE(firstGuide.isNull());

    fixture.notifications().postShowSetupGuide();
    EXPECT_TRUE(gate.view.showsGuide());
    EXPECT_NE(gate.view.content(), firstGuide.data());
}

// When a notice or a name fill is due is AccountChange's table; the view must feed it only
// changes of subject, and only those after the window appeared.
TEST(AppEntryView, AccountChangesAfterAppearanceGiveOneNoticeAndFillABlankName) {
    ScreenFixture fixture;
    completeGuide();
    AppStore& store = fixture.store();
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana")));
    Gate gate(fixture);
    EXPECT_EQ(gate.view.lastVerifiedAccountID(), QStringLiteral("A"));
    // A name-only change is no change: no reaction, so no fill either.
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana Lima")));
    EXPECT_EQ(store.context().name, QString());
    fixture.signOut();
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A")));
    EXPECT_EQ(store.message(), std::nullopt);

    // Another account during a session: the notice, but the name stays.
    ASSERT_TRUE(fixture.startSession());
    ASSERT_TRUE(fixture.signIn(QStringLiteral("B"), QStringLiteral("Bea")));
    EXPECT_EQ(store.message(), notice);
    EXPECT_EQ(store.context().name, QString());
    EXPECT_EQ(gate.view.lastVerifiedAccountID(), QStringLiteral("B"));

    store.endSession();
    store.setMessage(std::nullopt);
    fixture.signOut();
    InterviewContext context = store.context();
    context.name = QStringLiteral("   ");
    store.setContext(context);
    ASSERT_TRUE(fixture.signIn(QStringLiteral("A"), QStringLiteral("Ana")));
    EXPECT_EQ(store.context().name, QStringLiteral("Ana"));
    EXPECT_EQ(store.message(), notice);
}
