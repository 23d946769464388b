#include "ui/foundation/CloudConversationIllustration.h"
#include "ui/foundation/AccessibilityPreferences.h"
#include "ui/foundation/CloudCompanion.h"
#include "ui/foundation/ConversationSpeechBubble.h"

#include "support/ManualClock.h"

#include <QAccessible>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <numbers>

using namespace corvel;
using corvel::test::ManualClock;

namespace {

void showNow(QWidget& widget) {
    widget.show();
    QCoreApplication::processEvents();
}

// Speaker bubble opaque and redrawn, its companion listening; the other faded, still, welcoming.
void expectSpeaker(const CloudConversationIllustration& picture, bool left) {
    EXPECT_EQ(picture.leftSpeaking(), left);
    EXPECT_TRUE(picture.bubble(left)->isSpeaking());
    EXPECT_FALSE(picture.bubble(!left)->isSpeaking());
    EXPECT_EQ(picture.companion(left)->mood(), CloudMood::listening);
    EXPECT_EQ(picture.companion(!left)->mood(), CloudMood::welcome);
}

QImage bubble(bool speaking, bool left, bool animated, double time) {
    QImage image(52, 36, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    ConversationSpeechBubble::draw(painter, Qt::red, speaking, left, animated, time);
    return image;
}

} // namespace

TEST(CloudConversationIllustrationTest, CloudsTakeTurnsEveryThreeSecondsWhileAnimating) {
    ManualClock clock;
    CloudConversationIllustration picture(true, false, nullptr, clock);
    expectSpeaker(picture, true);
    EXPECT_FALSE(picture.isTakingTurns()); // not shown yet

    showNow(picture);
    EXPECT_TRUE(picture.isTakingTurns());
    EXPECT_TRUE(picture.bubble(true)->isRedrawing());
    EXPECT_FALSE(picture.bubble(false)->isRedrawing());
    EXPECT_TRUE(picture.companion(true)->isRedrawing());
    // Decorative as a whole: its clickable companions are not announced either.
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(picture.companion(true))->state().invisible);
    clock.advance(2.9);
    expectSpeaker(picture, true);
    clock.advance(0.1);
    expectSpeaker(picture, false);
    EXPECT_TRUE(picture.bubble(false)->isRedrawing());
    EXPECT_FALSE(picture.bubble(true)->isRedrawing());
    clock.advance(3);
    expectSpeaker(picture, true);

    // Hidden half-way through a turn and shown again: a full turn from the moment it reappears.
    clock.advance(1.5);
    picture.hide();
    EXPECT_EQ(clock.sleeperCount(), 0u);
    showNow(picture);
    clock.advance(2.9);
    expectSpeaker(picture, true);
    clock.advance(0.1);
    expectSpeaker(picture, false);
}

TEST(CloudConversationIllustrationTest, PauseAndReduceMotionHoldEverythingStill) {
    ManualClock clock;
    AccessibilityPreferences preferences;
    CloudConversationIllustration picture(true, false, &preferences, clock);
    showNow(picture);
    clock.advance(3);
    expectSpeaker(picture, false);

    picture.setPaused(true);
    EXPECT_EQ(clock.sleeperCount(), 0u); // no turn-taking, no bubble or companion redraws
    EXPECT_FALSE(picture.companion(false)->isAnimated());
    clock.advance(10);
    expectSpeaker(picture, false); // the speaker stays opaque
    EXPECT_FALSE(picture.bubble(false)->isAnimated());

    picture.setPaused(false);
    clock.advance(2.9);
    expectSpeaker(picture, false);
    clock.advance(0.1);
    expectSpeaker(picture, true);

    preferences.setReduceMotion(true);
    EXPECT_EQ(clock.sleeperCount(), 0u);
    clock.advance(6);
    expectSpeaker(picture, true);
    EXPECT_EQ(picture.companion(true)->frame().time, 0);

    // Destroyed while taking turns: the task ends without touching the picture.
    preferences.setReduceMotion(false);
    auto* second = new CloudConversationIllustration(true, false, nullptr, clock);
    showNow(*second);
    delete second;
    QCoreApplication::processEvents();
    clock.advance(3);
    QCoreApplication::processEvents();
}

TEST(CloudConversationIllustrationTest, BubbleIsOneShapeWithTailAndHoppingDots) {
    const QImage speaker = bubble(true, true, false, 0);
    // The two overlapping rectangles fill as one shape: no hole where they cross.
    EXPECT_NEAR(speaker.pixelColor(26, 20).alphaF(), 0.9, 0.01);
    EXPECT_EQ(speaker.pixelColor(1, 1).alpha(), 0);  // notched corner
    EXPECT_GT(speaker.pixelColor(9, 33).alpha(), 0); // tail on the left
    EXPECT_EQ(speaker.pixelColor(41, 33).alpha(), 0);
    EXPECT_GT(bubble(true, false, false, 0).pixelColor(41, 33).alpha(), 0);
    EXPECT_EQ(speaker.pixelColor(15, 13), QColor(Qt::red)); // dots at rest on y = 12

    const QImage listener = bubble(false, true, true, 0.5);
    EXPECT_NEAR(listener.pixelColor(26, 20).alphaF(), 0.38 * 0.9, 0.01);
    // Still and faded: a 0.38 dot over the 0.38 x 0.9 bubble.
    EXPECT_NEAR(listener.pixelColor(15, 13).alphaF(), 0.38 + 0.38 * 0.9 * 0.62, 0.01);

    // At sin(3.2 t) = 1 the first dot is 2 units up and the third, 1.7 behind, still down.
    const QImage hop = bubble(true, true, true, std::numbers::pi / 6.4);
    EXPECT_EQ(hop.pixelColor(15, 11), QColor(Qt::red));
    EXPECT_NE(hop.pixelColor(15, 14), QColor(Qt::red));
    EXPECT_EQ(hop.pixelColor(35, 15), QColor(Qt::red));
}
