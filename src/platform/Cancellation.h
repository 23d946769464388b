#pragma once

#include <exception>
#include <functional>
#include <memory>

namespace corvel {

// Thrown by awaiting code once its token is cancelled. Never shown to the user.
class CancellationError final : public std::exception {
public:
    const char* what() const noexcept override { return "cancelled"; }
};

namespace detail {
struct CancelState;
}

// Unregisters a cancellation callback when destroyed.
class CancelRegistration final {
public:
    CancelRegistration() = default;
    CancelRegistration(std::weak_ptr<detail::CancelState> state, int id);
    CancelRegistration(CancelRegistration&& other) noexcept;
    CancelRegistration& operator=(CancelRegistration&& other) noexcept;
    CancelRegistration(const CancelRegistration&) = delete;
    CancelRegistration& operator=(const CancelRegistration&) = delete;
    ~CancelRegistration();

private:
    void reset();
    std::weak_ptr<detail::CancelState> m_state;
    int m_id = 0;
};

// The awaiting side of a cancellation. A default token is never cancelled.
// Used on one thread (the main thread) only.
class CancelToken final {
public:
    CancelToken() = default;
    bool isCancelled() const;
    void throwIfCancelled() const;
    // Runs callback once when the token is cancelled; at once when it already is.
    [[nodiscard]] CancelRegistration onCancel(std::function<void()> callback) const;

private:
    friend class CancelSource;
    explicit CancelToken(std::shared_ptr<detail::CancelState> state);
    std::shared_ptr<detail::CancelState> m_state;
};

// The owning side: a task's owner keeps the source and cancels it to stop the task.
class CancelSource final {
public:
    CancelSource();
    CancelToken token() const;
    void cancel();
    bool isCancelled() const;

private:
    std::shared_ptr<detail::CancelState> m_state;
};

} // namespace corvel
