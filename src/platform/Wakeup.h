#pragma once

#include <QTimer>

#include <coroutine>
#include <memory>
#include <utility>

namespace corvel {

// A one-shot event a coroutine can co_await while several sources (a timer, a cancellation) may
// fire it. fire() resumes the waiting coroutine at once; fireSoon() on the next event-loop turn,
// so that cancelling never re-enters the canceller.
class Wakeup final {
public:
    bool await_ready() const noexcept { return m_state->fired; }
    void await_suspend(std::coroutine_handle<> handle) noexcept { m_state->handle = handle; }
    void await_resume() const noexcept {}

    bool hasFired() const { return m_state->fired; }
    void fire() { fire(m_state); }
    void fireSoon() {
        QTimer::singleShot(0, [state = m_state] { fire(state); });
    }

private:
    struct State {
        bool fired = false;
        std::coroutine_handle<> handle;
    };
    static void fire(const std::shared_ptr<State>& state) {
        if (state->fired)
            return;
        state->fired = true;
        if (auto handle = std::exchange(state->handle, {}))
            handle.resume();
    }
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace corvel
