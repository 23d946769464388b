#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/AccessibilityPreferences.h"

#include "support/ManualClock.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvel;
using corvel::test::ManualClock;

namespace {

void showNow(QWidget& widget) {
    widget.show();
    QCoreApplication::processEvents();
}

void moveTo(CloudCompanion& companion, QPointF position) {
    QMouseEvent move(QEvent::MouseMove, position, companion.mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&companion, &move);
}

CloudCompanionFrame still(CloudMood mood) {
    CloudCompanionFrame frame;
    frame.mood = mood;
    return frame;
}

} // namespace

TEST(CloudCompanionTest, StillAndIdleWithReduceMotionWhileHiddenOrNotAnimated) {
    ManualClock clock;
    AccessibilityPreferences preferences;
    CloudCompanion companion(240, CloudMood::listening, true, 0, &preferences, clock);
    EXPECT_FALSE(companion.isRedrawing());
    EXPECT_EQ(clock.sleeperCount(), 0u);

    showNow(companion);
    EXPECT_TRUE(companion.isRedrawing());
    EXPECT_EQ(clock.sleeperCount(), 1u);
    clock.advance(1.5);
    EXPECT_DOUBLE_EQ(companion.frame().time, 1.5);
    companion.setReactionID(1);
    EXPECT_TRUE(companion.frame().greetingProgress());

    // Reduce Motion: the still frame, no greeting, no clock sleeper, no clicks, not announced.
    preferences.setReduceMotion(true);
    EXPECT_FALSE(companion.isRedrawing());
    EXPECT_EQ(clock.sleeperCount(), 0u);
    EXPECT_EQ(companion.frame(), still(CloudMood::listening));
    companion.setReactionID(2);
    clock.advance(1);
    EXPECT_EQ(companion.frame(), still(CloudMood::listening));
    EXPECT_TRUE(companion.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&companion)->state().invisible);

    preferences.setReduceMotion(false);
    EXPECT_TRUE(companion.isRedrawing());
    EXPECT_FALSE(companion.frame().greetingProgress()); // cleared, not resumed
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(&companion);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_FALSE(button->state().invisible);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Say hello to your cloud guide"));

    companion.hide();
    EXPECT_FALSE(companion.isRedrawing());
    EXPECT_EQ(clock.sleeperCount(), 0u);

    // Shown again, the animation clock starts over.
    showNow(companion);
    clock.advance(0.25);
    EXPECT_DOUBLE_EQ(companion.frame().time, 0.25);

    companion.setAnimated(false);
    EXPECT_EQ(clock.sleeperCount(), 0u);
    companion.setReactionID(3);
    EXPECT_EQ(companion.frame(), still(CloudMood::listening));
    EXPECT_TRUE(companion.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(CloudCompanionTest, GreetingLastsPointNineSecondsAndRestartsOnEachTrigger) {
    ManualClock clock;
    CloudCompanion companion(240, CloudMood::welcome, true, 0, nullptr, clock);
    showNow(companion);
    clock.advance(2);
    EXPECT_FALSE(companion.frame().greetingElapsed);

    companion.setReactionID(5);
    EXPECT_DOUBLE_EQ(*companion.frame().greetingProgress(), 0.0);
    clock.advance(0.45);
    companion.setReactionID(5); // unchanged: no new greeting
    EXPECT_NEAR(*companion.frame().greetingProgress(), 0.5, 1e-9);
    clock.advance(0.45);
    EXPECT_FALSE(companion.frame().greetingProgress());

    QTest::mouseClick(&companion, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(*companion.frame().greetingProgress(), 0.0);
    clock.advance(0.5);
    QTest::mouseClick(&companion, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(*companion.frame().greetingProgress(), 0.0);
}

TEST(CloudCompanionTest, PointerSamplesAreThinnedToThirtyASecondAndClearedOnLeave) {
    ManualClock clock;
    CloudCompanion companion(240, CloudMood::listening, true, 0, nullptr, clock);
    showNow(companion);
    clock.advance(1); // clear of any sample taken as the window appeared

    moveTo(companion, QPointF(240, 90)); // right edge, middle
    EXPECT_EQ(companion.frame().pointer, QPointF(1, 0));
    EXPECT_TRUE(companion.frame().hovering);

    clock.advance(0.02);
    moveTo(companion, QPointF(0, 0));
    EXPECT_EQ(companion.frame().pointer, QPointF(1, 0)); // too soon: dropped
    clock.advance(0.02);
    moveTo(companion, QPointF(0, 0));
    EXPECT_EQ(companion.frame().pointer, QPointF(-1, -1));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&companion, &leave);
    EXPECT_EQ(companion.frame().pointer, QPointF());
    EXPECT_FALSE(companion.frame().hovering);
}

// With assistive technology running, naming the companion in its constructor builds its interface
// before it knows it is still: a still companion must not stay announced as a button.
TEST(CloudCompanionTest, StillFromTheStartIsHiddenFromAccessibility) {
    const bool wasActive = QAccessible::isActive();
    QAccessible::setActive(true);
    ManualClock clock;
    AccessibilityPreferences reduced;
    reduced.setReduceMotion(true);
    CloudCompanion notAnimated(200, CloudMood::welcome, false, 0, nullptr, clock);
    CloudCompanion underReduceMotion(200, CloudMood::welcome, true, 0, &reduced, clock);
    CloudCompanion animated(200, CloudMood::welcome, true, 0, nullptr, clock);
    for (CloudCompanion* still : {&notAnimated, &underReduceMotion}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(still);
        EXPECT_TRUE(accessible->state().invisible);
        EXPECT_NE(accessible->role(), QAccessible::Button);
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&animated)->role(), QAccessible::Button);
    QAccessible::setActive(wasActive);
}
