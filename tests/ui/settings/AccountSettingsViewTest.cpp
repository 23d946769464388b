#include "ui/settings/AccountSettingsView.h"

#include "ScreenHarness.h"
#include "ui/foundation/ActionButton.h"
#include "ui/foundation/StatusTag.h"

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

namespace {

// Signed in through the restore of a saved session on the direct path.
void signIn(ScreenHarness& h, std::optional<QString> name) {
    GoogleStoredSession session = AuthStoreHarness::googleSession();
    session.account.name = name;
    h.auth.googleVault().save(session);
    h.auth.server->enqueue(TestHttpServer::json(200, googleTokenReply()));
    QByteArray user = googleUserReply();
    if (name)
        user.replace("\"sub\"", "\"name\":\"" + name->toUtf8() + "\",\"sub\"");
    h.auth.server->enqueue(TestHttpServer::json(200, user));
    h.auth.makeStore(false, true);
    h.auth.waitUntilIdle();
}

} // namespace

TEST(AccountSettingsViewTest, SignedInAndDuringASession) {
    ScreenHarness h;
    signIn(h, QStringLiteral("<i>Ana</i> Lima"));
    ASSERT_TRUE(h.auth.store->account());
    AccountSettingsView view(h.environment());
    view.show();
    EXPECT_EQ(view.findChild<StatusTag*>()->text(), QStringLiteral("Signed in"));
    EXPECT_TRUE(view.findChild<StatusTag*>()->isPositive());
    const QStringList shown = texts(view);
    EXPECT_TRUE(shown.contains(QStringLiteral("<i>Ana</i> Lima")));
    EXPECT_TRUE(shown.contains(QStringLiteral("ana@example.com")));
    EXPECT_FALSE(shown.contains(QStringLiteral("Sign in for live answer cues.")));
    EXPECT_TRUE(shown.contains(QStringLiteral(
        "Your resume and interview history stay on this computer. Your account and usage sync "
        "securely.")));
    for (const QLabel* label : view.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText);

    auto* signOut = findNamed<ActionButton>(view, QStringLiteral("Sign out"));
    ASSERT_TRUE(signOut);
    EXPECT_TRUE(signOut->isEnabled());
    EXPECT_EQ(signOut->toolTip(), QStringLiteral("Sign out on this computer"));

    h.stores.prepare();
    ASSERT_TRUE(h.stores.startListening());
    EXPECT_FALSE(signOut->isEnabled());
    EXPECT_EQ(signOut->toolTip(), QStringLiteral("End the session before changing accounts"));
    EXPECT_TRUE(texts(view).contains(QStringLiteral("End your session before changing accounts.")));
    h.stores.store->endSession();

    signOut->click();
    EXPECT_FALSE(h.auth.store->account());
    EXPECT_EQ(view.findChild<StatusTag*>()->text(), QStringLiteral("Preparation only"));
    EXPECT_TRUE(texts(view).contains(QStringLiteral("Sign in for live answer cues.")));
}

TEST(AccountSettingsViewTest, SignedOutBusyAndCancelled) {
    ScreenHarness h;
    AccountSettingsView view(h.environment());
    view.show();
    auto* cancel = findNamed<QAbstractButton>(view, QStringLiteral("Cancel sign-in"));
    ASSERT_TRUE(cancel);
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_TRUE(texts(view).contains(
        QStringLiteral("AI is included. Your preparation stays on this computer.")));
    EXPECT_FALSE(texts(view).contains(QStringLiteral(
        "Account sign-in is being configured. You can prepare your interview now.")));

    h.auth.store->signIn();
    ASSERT_TRUE(h.auth.store->isBusy());
    EXPECT_FALSE(cancel->isHidden());
    EXPECT_TRUE(cancel->isEnabled());
    cancel->click();
    EXPECT_FALSE(h.auth.store->isBusy());
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_TRUE(texts(view).contains(QStringLiteral("Google sign-in cancelled.")));
}

TEST(AccountSettingsViewTest, UnconfiguredSignInShowsItsNoteInsteadOfMessages) {
    ScreenHarness h;
    GoogleAuthStore::Collaborators collaborators;
    collaborators.bundle = BundleInfo{};
    collaborators.secretStore = std::make_shared<MemorySecretStore>();
    GoogleAuthStore unconfigured(std::move(collaborators));
    ASSERT_FALSE(unconfigured.isConfigured());
    ASSERT_TRUE(unconfigured.message());
    AccountSettingsView view(
        AppEnvironment{*h.stores.store, unconfigured, h.permissions, h.notifications});
    view.show();
    const QStringList shown = texts(view);
    EXPECT_TRUE(shown.contains(QStringLiteral(
        "Account sign-in is being configured. You can prepare your interview now.")));
    EXPECT_FALSE(shown.contains(*unconfigured.message()));
}
