#include "ui/foundation/AccessibilityPreferences.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace corvel;

TEST(AccessibilityPreferencesTest, EnvironmentOverridesAndSignalsOnlyOnChange) {
    qputenv("CORVEL_REDUCE_MOTION", "1");
    qputenv("CORVEL_REDUCE_TRANSPARENCY", "0");
    AccessibilityPreferences preferences;
    QSignalSpy motion(&preferences, &AccessibilityPreferences::reduceMotionChanged);
    QSignalSpy transparency(&preferences, &AccessibilityPreferences::reduceTransparencyChanged);
    preferences.load();
    EXPECT_TRUE(preferences.reduceMotion());
    EXPECT_FALSE(preferences.reduceTransparency());
    EXPECT_EQ(motion.count(), 1);
    EXPECT_EQ(transparency.count(), 0);

    preferences.setReduceMotion(true);
    EXPECT_EQ(motion.count(), 1);
    preferences.setReduceTransparency(true);
    ASSERT_EQ(transparency.count(), 1);
    EXPECT_TRUE(transparency.first().first().toBool());
    qunsetenv("CORVEL_REDUCE_MOTION");
    qunsetenv("CORVEL_REDUCE_TRANSPARENCY");
}
