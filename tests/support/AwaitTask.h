#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>

namespace corvel::test {

// QCoro::waitFor that also carries an exception out of the task (QCoro 0.8's waitFor would
// leave its event loop running forever instead).
template <typename T> T awaitTask(QCoro::Task<T> task) {
    std::exception_ptr error;
    std::optional<std::conditional_t<std::is_void_v<T>, bool, T>> result;
    auto run = [&]() -> QCoro::Task<> {
        try {
            if constexpr (std::is_void_v<T>) {
                co_await task;
                result.emplace(true);
            } else {
                result.emplace(co_await task);
            }
        } catch (...) {
            error = std::current_exception();
        }
    };
    QCoro::waitFor(run());
    if (error)
        std::rethrow_exception(error);
    if constexpr (!std::is_void_v<T>)
        return std::move(*result);
}

} // namespace corvel::test
