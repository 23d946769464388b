#pragma once

#include "platform/Cancellation.h"

#include <QCoroTask>

namespace corvel {

// The one monotonic clock: seconds of uptime, never stepped by wall-clock changes.
// Every duration and every delay inside a task goes through it, so tests can drive time.
class UptimeClock {
public:
    virtual ~UptimeClock() = default;
    virtual double now() const = 0;
    // Completes after `seconds` of this clock; throws CancellationError once `token` is cancelled.
    virtual QCoro::Task<> sleep(double seconds, CancelToken token) = 0;
};

class SystemUptimeClock final : public UptimeClock {
public:
    double now() const override;
    QCoro::Task<> sleep(double seconds, CancelToken token) override;
};

// The process-wide system clock, for constructors whose clock argument is left out.
UptimeClock& systemUptimeClock();

// Suspends until the next turn of the event loop, so starting a task never re-enters its caller.
QCoro::Task<> nextEventLoopTurn();

// Runs the event loop briefly so that tasks cancelled by their owners' destruction reach their
// end (cancellation resumes them on a later turn). For the end of a process.
void finishCancelledTasks();

} // namespace corvel
