#include "platform/Cancellation.h"
#include "platform/UptimeClock.h"
#include "support/ManualClock.h"

#include <QCoroTask>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace corvel;

TEST(Cancellation, CallbacksRunOnceAndRegistrationsUnregister) {
    CancelSource source;
    int first = 0;
    int dropped = 0;
    auto keep = source.token().onCancel([&] { ++first; });
    {
        auto gone = source.token().onCancel([&] { ++dropped; });
    }
    EXPECT_FALSE(source.token().isCancelled());
    source.cancel();
    source.cancel();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(dropped, 0);
    EXPECT_THROW(source.token().throwIfCancelled(), CancellationError);

    // Registering on a cancelled token runs the callback at once.
    int late = 0;
    auto lateRegistration = source.token().onCancel([&] { ++late; });
    EXPECT_EQ(late, 1);

    // A default token is never cancelled.
    EXPECT_NO_THROW(CancelToken().throwIfCancelled());

    // A registration that outlives its source is harmless when it goes.
    CancelRegistration outliving;
    {
        CancelSource shortLived;
        outliving = shortLived.token().onCancel([] {});
    }
}

TEST(UptimeClock, SystemSleepCompletesAndCancelWakesEarly) {
    auto& clock = systemUptimeClock();
    const double before = clock.now();
    QCoro::waitFor(clock.sleep(0.02, {}));
    EXPECT_GE(clock.now() - before, 0.02);

    CancelSource source;
    bool cancelled = false;
    auto sleeper = [&]() -> QCoro::Task<> {
        try {
            co_await clock.sleep(3600, source.token());
        } catch (const CancellationError&) {
            cancelled = true;
        }
    };
    auto task = sleeper();
    QCoro::waitFor([&]() -> QCoro::Task<> {
        co_await clock.sleep(0.01, {});
        source.cancel();
    }());
    QCoro::waitFor(task);
    EXPECT_TRUE(cancelled);
}

TEST(UptimeClock, ManualClockWakesSleepersInDeadlineOrderAtTheirDeadline) {
    test::ManualClock clock(100);
    std::vector<std::pair<int, double>> woke;
    auto sleeper = [&](int id, double seconds) -> QCoro::Task<> {
        co_await clock.sleep(seconds, {});
        woke.emplace_back(id, clock.now());
    };
    auto a = sleeper(1, 0.5);
    auto b = sleeper(2, 0.2);
    auto c = sleeper(3, 2.0);
    clock.advance(1.0);
    ASSERT_EQ(woke.size(), 2u);
    EXPECT_EQ(woke[0], std::make_pair(2, 100.2));
    EXPECT_EQ(woke[1], std::make_pair(1, 100.5));
    EXPECT_DOUBLE_EQ(clock.now(), 101.0);

    CancelSource source;
    bool cancelled = false;
    // A named lambda: its captures must outlive the suspended coroutine.
    auto cancellable = [&]() -> QCoro::Task<> {
        try {
            co_await clock.sleep(5, source.token());
        } catch (const CancellationError&) {
            cancelled = true;
        }
    };
    auto d = cancellable();
    source.cancel();
    EXPECT_FALSE(cancelled) << "cancelling must not re-enter the canceller";
    QCoro::waitFor(d);
    EXPECT_TRUE(cancelled);
    clock.advance(1.0);
    EXPECT_EQ(woke.size(), 3u);
    EXPECT_EQ(clock.sleeperCount(), 0u);
}
