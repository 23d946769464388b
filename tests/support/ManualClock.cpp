#include "support/ManualClock.h"

#include "platform/Wakeup.h"

namespace corvel::test {

QCoro::Task<> ManualClock::sleep(double seconds, CancelToken token) {
    token.throwIfCancelled();
    Wakeup wakeup;
    const auto key = std::make_pair(m_now + std::max(0.0, seconds), m_next++);
    m_sleepers.emplace(key, [&wakeup] { wakeup.fire(); });
    const auto registration = token.onCancel([this, key, &wakeup] {
        m_sleepers.erase(key);
        wakeup.fireSoon();
    });
    co_await wakeup;
    token.throwIfCancelled();
}

void ManualClock::advance(double seconds) {
    const double target = m_now + seconds;
    while (!m_sleepers.empty() && m_sleepers.begin()->first.first <= target) {
        auto node = m_sleepers.extract(m_sleepers.begin());
        m_now = std::max(m_now, node.key().first);
        node.mapped()();
    }
    m_now = target;
}

} // namespace corvel::test
