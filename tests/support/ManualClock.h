#pragma once

#include "platform/UptimeClock.h"

#include <map>

namespace corvel::test {

// A clock that moves only when the test says so. Sleepers wake, in deadline order, as advance()
// passes their deadlines, each seeing now() equal to its own deadline.
class ManualClock final : public UptimeClock {
public:
    explicit ManualClock(double start = 1000.0) : m_now(start) {}
    double now() const override { return m_now; }
    QCoro::Task<> sleep(double seconds, CancelToken token) override;
    void advance(double seconds);
    std::size_t sleeperCount() const { return m_sleepers.size(); }

private:
    double m_now;
    int m_next = 0;
    std::multimap<std::pair<double, int>, std::function<void()>> m_sleepers;
};

} // namespace corvel::test
