#pragma once

#include <QObject>

#include <concepts>
#include <utility>

namespace corvel {

// Assigns a store's published field and announces the change with its NOTIFY signal. A value
// equal to the current one changes nothing; types without equality announce every assignment.
template <typename Owner, typename T, typename Value>
void assign(Owner& owner, T& field, Value&& value, void (Owner::*changed)()) {
    if constexpr (std::equality_comparable<T>) {
        if (field == value)
            return;
    }
    field = std::forward<Value>(value);
    Q_EMIT(owner.*changed)();
}

} // namespace corvel
