#include "ui/foundation/RedrawSchedule.h"

#include "support/ManualClock.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace corvel;
using corvel::test::ManualClock;

TEST(RedrawScheduleTest, RedrawsAtMostOncePerIntervalAndHoldsNothingWhenStopped) {
    ManualClock clock;
    int redraws = 0;
    RedrawSchedule schedule(clock, 1.0 / 30, [&redraws] { ++redraws; });
    clock.advance(1);
    EXPECT_EQ(redraws, 0);

    schedule.setRunning(true);
    schedule.setRunning(true);
    clock.advance(1.0 / 60);
    EXPECT_EQ(redraws, 0);
    clock.advance(1 - 1.0 / 60);
    EXPECT_GE(redraws, 29);
    EXPECT_LE(redraws, 30);

    schedule.setRunning(false);
    EXPECT_EQ(clock.sleeperCount(), 0u);
    const int stoppedAt = redraws;
    clock.advance(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(redraws, stoppedAt);
}
