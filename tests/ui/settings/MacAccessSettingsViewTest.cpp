#include "ui/settings/MacAccessSettingsView.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/ScreenHarness.h"

#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

TEST(MacAccessSettingsViewTest,
     RowsMoodAndRefreshFollowThePermissionStoreAndTheGuideOpensOutsideASession) {
    ScreenHarness h;
    auto& statuses = h.provider->statuses;
    statuses[MacPermissionKind::speech] = MacPermissionStatus::allowed;
    statuses[MacPermissionKind::callAudio] = MacPermissionStatus::needsAccess;
    statuses[MacPermissionKind::microphone] = MacPermissionStatus::denied;
    MacAccessSettingsView view(h.environment());
    auto* companion = view.findChild<CloudCompanion*>();
    ASSERT_TRUE(companion);

    // Coming on screen reads the system again.
    const int readsBefore = h.provider->reads;
    view.show();
    EXPECT_GT(h.provider->reads, readsBefore);
    EXPECT_EQ(
        texts(view).mid(texts(view).indexOf(QStringLiteral("Speech recognition"))),
        (QStringList{QStringLiteral("Speech recognition"), QStringLiteral("Allowed"),
                     QStringLiteral("Call audio"), QStringLiteral("Not allowed"),
                     QStringLiteral("Microphone · optional"), QStringLiteral("Not allowed")}));
    EXPECT_EQ(companion->mood(), CloudMood::welcome);

    // Call audio becomes available, the microphone is restricted: ready whatever the microphone.
    statuses[MacPermissionKind::callAudio] = MacPermissionStatus::allowed;
    statuses[MacPermissionKind::microphone] = MacPermissionStatus::restricted;
    view.hide();
    view.show();
    EXPECT_EQ(companion->mood(), CloudMood::ready);
    EXPECT_TRUE(texts(view).contains(QStringLiteral("Not available on this computer")));
    EXPECT_FALSE(texts(view).contains(QStringLiteral("Not allowed")));

    // The setup guide button posts the notification, only outside a session.
    QSignalSpy posted(&h.notifications, &AppNotifications::showSetupGuide);
    auto* guide = findNamed<ActionButton>(view, QStringLiteral("Open setup guide"));
    guide->click();
    EXPECT_EQ(posted.size(), 1);

    h.stores.prepare();
    ASSERT_TRUE(h.stores.startListening());
    EXPECT_FALSE(guide->isEnabled());
    h.store().endSession();
    EXPECT_TRUE(guide->isEnabled());
}
