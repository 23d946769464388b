#include "ui/settings/AccountSettingsView.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/ScreenHarness.h"
#include "ui/foundation/StatusTag.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

// Which card shows for which account state is AccountCardState's table; here the view follows
// the stores and sends its buttons to them.
TEST(AccountSettingsViewTest, SignedInDuringASessionAndSignedOut) {
    ScreenHarness h;
    h.auth.googleVault().save(AuthStoreHarness::googleSession());
    h.auth.server->enqueue(TestHttpServer::json(200, googleTokenReply()));
    h.auth.server->enqueue(TestHttpServer::json(
        200, googleUserReply().replace("\"sub\"", "\"name\":\"<i>Ana</i> Lima\",\"sub\"")));
    h.auth.makeStore(false, true);
    h.auth.waitUntilIdle();
    ASSERT_TRUE(h.auth.store->account());
    AccountSettingsView view(h.environment());
    view.show();
    EXPECT_EQ(view.findChild<StatusTag*>()->text(), QStringLiteral("Signed in"));
    EXPECT_TRUE(texts(view).contains(QStringLiteral("<i>Ana</i> Lima")));
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText);

    auto* signOut = findNamed<ActionButton>(view, QStringLiteral("Sign out"));
    ASSERT_TRUE(signOut);
    EXPECT_TRUE(signOut->isEnabled());
    h.stores.prepare();
    ASSERT_TRUE(h.stores.startListening());
    EXPECT_FALSE(signOut->isEnabled());
    EXPECT_EQ(signOut->toolTip(), QStringLiteral("End the session before changing accounts"));
    h.store().endSession();

    signOut->click();
    EXPECT_FALSE(h.auth.store->account());
    EXPECT_EQ(view.findChild<StatusTag*>()->text(), QStringLiteral("Preparation only"));
}

TEST(AccountSettingsViewTest, ABusySignInIsCancelledFromTheCard) {
    ScreenHarness h;
    AccountSettingsView view(h.environment());
    view.show();
    auto* cancel = findNamed<QAbstractButton>(view, QStringLiteral("Cancel sign-in"));
    ASSERT_TRUE(cancel);
    EXPECT_TRUE(cancel->isHidden());
    h.auth.store->signIn();
    ASSERT_TRUE(h.auth.store->isBusy());
    EXPECT_FALSE(cancel->isHidden());
    cancel->click();
    EXPECT_FALSE(h.auth.store->isBusy());
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_TRUE(texts(view).contains(QStringLiteral("Google sign-in cancelled.")));
}

TEST(AccountSettingsViewTest, UnconfiguredSignInShowsItsNoteInsteadOfMessages) {
    ScreenHarness h;
    GoogleAuthStore& unconfigured = h.makeAuth(false, false);
    ASSERT_TRUE(unconfigured.message());
    AccountSettingsView view(h.environment());
    view.show();
    const QStringList shown = texts(view);
    EXPECT_TRUE(shown.contains(QStringLiteral(
        "Account sign-in is being configured. You can prepare your interview now.")));
    EXPECT_FALSE(shown.contains(*unconfigured.message()));
}
