#include "platform/UptimeClock.h"

#include "platform/Wakeup.h"

#include <QCoroTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <cmath>

namespace corvel {

double SystemUptimeClock::now() const {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QCoro::Task<> SystemUptimeClock::sleep(double seconds, CancelToken token) {
    token.throwIfCancelled();
    Wakeup wakeup;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, [&wakeup] { wakeup.fire(); });
    const auto registration = token.onCancel([&wakeup] { wakeup.fireSoon(); });
    timer.start(static_cast<int>(std::ceil(std::max(0.0, seconds) * 1000.0)));
    co_await wakeup;
    token.throwIfCancelled();
}

UptimeClock& systemUptimeClock() {
    static SystemUptimeClock clock;
    return clock;
}

void finishCancelledTasks() {
    QEventLoop loop;
    QTimer::singleShot(100, &loop, &QEventLoop::quit);
    loop.exec();
}

QCoro::Task<> nextEventLoopTurn() {
    co_await QCoro::sleepFor(std::chrono::milliseconds(0));
}

} // namespace corvel
