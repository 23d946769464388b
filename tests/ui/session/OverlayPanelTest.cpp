#include "ui/session/OverlayPanel.h"
#include "session/StoreHarness.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace corvel;
using test::StoreHarness;

TEST(OverlayPanel, IsSizedFromTheScreenReusedAndHiddenWhenClosed) {
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 1440, 875)), QSize(560, 660));
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 800, 600)), QSize(560, 552));
    EXPECT_EQ(OverlayPanel::sizeFor(QRect(0, 0, 450, 380)), QSize(440, 350));
    EXPECT_EQ(OverlayPanel::sizeFor(std::nullopt), QSize(560, 660));

    StoreHarness h;
    int built = 0;
    h.makePanel = [&built](AppStore& store) {
        ++built;
        return std::make_unique<OverlayPanel>(store);
    };
    h.makeStore(QStringLiteral("sk-test"), true);
    EXPECT_FALSE(h.store->panel()) << "no panel before it is first opened";
    h.store->openOverlay();
    auto* panel = dynamic_cast<OverlayPanel*>(h.store->panel());
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(h.store->showOverlay());
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(panel->windowFlags() & Qt::WindowDoesNotAcceptFocus);
    panel->move(10, 20);
    h.store->hideOverlay();
    EXPECT_FALSE(h.store->showOverlay());
    EXPECT_FALSE(panel->isVisible());
    h.store->openOverlay();
    EXPECT_EQ(h.store->panel(), panel);
    EXPECT_EQ(built, 1);
    EXPECT_EQ(panel->pos(), QPoint(10, 20));

    QCloseEvent close;
    QCoreApplication::sendEvent(panel, &close);
    EXPECT_FALSE(h.store->showOverlay());
    EXPECT_EQ(h.store->panel(), panel);
}
