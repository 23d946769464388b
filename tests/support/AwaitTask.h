#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>

namespace corvel::test {

// QCoro::waitFor that also carries an exception out of the task (QCoro 0.8's waitFor would
// leave its event loop running forever instead).
template <typename T> T awaitTask(QCoro::Task<T> task) {
    std::exception_ptr error;
    if constexpr (std::is_void_v<T>) {
        auto run = [&]() -> QCoro::Task<> {
            try {
                co_await task;
            } catch (...) {
                error = std::current_exception();
            }
        };
        QCoro::waitFor(run());
        if (error)
            std::rethrow_exception(error);
    } else {
        std::optional<T> result;
        auto run = [&]() -> QCoro::Task<> {
            try {
                result.emplace(co_await task);
            } catch (...) {
                error = std::current_exception();
            }
        };
        QCoro::waitFor(run());
        if (error)
            std::rethrow_exception(error);
        return std::move(*result);
    }
}

} // namespace corvel::test
