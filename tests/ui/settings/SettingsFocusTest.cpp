#include "ui/settings/SettingsView.h"

#include "ui/foundation/ActionButton.h"
#include "ui/foundation/DisclosureGroup.h"
#include "ui/foundation/ScreenHarness.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using namespace corvel::test;

// "Check connection" disables itself while it checks. Qt would hand its focus to the next
// control, the "Microphone · manual" pill, and the next Space would switch the audio source.
TEST(SettingsFocusTest, CheckConnectionKeepsTheFocusAndSpaceChangesNothing) {
    ScreenHarness h;
    SettingsSeams seams;
    seams.bundle.allowsPrivateAPIKeyFallback = true;
    seams.openUrl = h.urlOpener();
    SettingsView view(h.environment(), seams);
    view.resize(1100, 900);
    for (DisclosureGroup* group : view.findChildren<DisclosureGroup*>())
        group->setExpanded(true);
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    auto* check = findNamed<ActionButton>(view, QStringLiteral("Check connection"), true);
    ASSERT_NE(check, nullptr);
    const AudioSource source = h.store().audioSource();

    check->setFocus(Qt::TabFocusReason);
    const auto space = [&] {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &view,
                        Qt::Key_Space);
    };
    // Twice: Space checks, again during the check it changes nothing, and the focus comes back.
    for (int round = 0; round < 2; ++round) {
        h.stores.server->enqueue(TestHttpServer::json(200, "{\"id\":\"resp\"}"));
        space();
        ASSERT_TRUE(h.store().isCheckingConnection());
        space();
        EXPECT_EQ(h.store().audioSource(), source);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !h.store().isCheckingConnection(); }, 5000));
        EXPECT_TRUE(check->hasFocus());
    }
}
